#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run Tallora and
# Quorva; with --fuzz also clang and its libFuzzer for the fuzz targets. Only
# what is missing is installed; works as root or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config git
  clang-format-14
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev
  libjpeg62-turbo-dev
  # At run time: Qt's platform plugins (the X11 one ships with libqt6gui6),
  # Qt's own Portuguese texts (file and print dialogs) and the fonts the
  # windows ask for.
  qt6-qpa-plugins qt6-translations-l10n
  fonts-liberation2 fonts-dejavu-core
  libboost-dev libmuparser-dev
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

echo "Instalando: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
