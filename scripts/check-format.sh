#!/usr/bin/env bash
# Fails, listing them, when clang-format-14 would change any tracked .h or
# .cpp file. The version is pinned: another one formats differently.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format-14 >/dev/null; then
  echo "clang-format-14 is missing: scripts/install-deps.sh installs it" >&2
  exit 2
fi

total=$(git ls-files '*.h' '*.cpp' | wc -l)
mapfile -t unformatted < <(
  git ls-files -z '*.h' '*.cpp' |
    xargs -0 -r -n 16 -P "$(nproc)" sh -c \
      'for f; do clang-format-14 --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"; done' sh |
    sort)

if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted (clang-format-14 -i FILE), ${#unformatted[@]} of $total files:"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "Formatting: $total files as clang-format-14 writes them"
