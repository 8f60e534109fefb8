#!/usr/bin/env bash
# Builds one program and starts it: scripts/run-program.sh tallora|quorva
# [--here] [ARGUMENTS...]. Installs whatever is missing
# (scripts/install-deps.sh), builds the program and its default data files
# in build-release/ (Release, without tests and benchmarks), then runs it in
# the user's data folder, ${XDG_DATA_HOME:-~/.local/share}/Tallora or
# .../Quorva (created), or in the current folder with --here. The other
# arguments go to the program. TQ_JOBS sets the parallel jobs (default:
# every core).
set -euo pipefail

usage() {
  echo "usage: $0 tallora|quorva [--here] [ARGUMENTS...]" >&2
  exit 2
}

[ $# -ge 1 ] || usage
program=$1
shift
case "$program" in
  tallora) folder=Tallora ;;
  quorva) folder=Quorva ;;
  *) usage ;;
esac

here=0
args=()
for arg in "$@"; do
  if [ "$arg" = --here ] && [ $here -eq 0 ]; then
    here=1
  else
    args+=("$arg")
  fi
done

repo=$(cd "$(dirname "$0")/.." && pwd)
build="$repo/build-release"
jobs="${TQ_JOBS:-$(nproc)}"

"$repo/scripts/install-deps.sh"

# The configuration lists the programs whose targets exist
# (tq-programs.txt); configured again when the program is not there yet.
listed() { grep -qx "$program" "$build/tq-programs.txt" 2>/dev/null; }
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTQ_BUILD_TESTS=OFF -DTQ_BUILD_BENCH=OFF
elif ! listed; then
  cmake "$build" >/dev/null
fi
if ! listed; then
  echo "$0: this tree has no '$program' program to build (no such target in $build)" >&2
  exit 1
fi

cmake --build "$build" -j "$jobs" --target "$program" default_data_files

if [ $here -eq 1 ]; then
  workdir=$PWD
else
  workdir="${XDG_DATA_HOME:-$HOME/.local/share}/$folder"
  mkdir -p "$workdir"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "$0: no graphical display (DISPLAY and WAYLAND_DISPLAY are empty); built $build/bin/$program" >&2
  exit 1
fi

cd "$workdir"
exec "$build/bin/$program" "${args[@]}"
