#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need (espeak-ng is the
# peer the batch benchmarks measure against and the dictionary generator's second opinion; time
# gives their peak memory; the word lists tell the generator which spellings are words; sox reads
# back the spoken words' WAV files).
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config clang libfontconfig-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-dejavu-core fonts-wqy-microhei python3-fonttools
  libreoffice-writer-nogui poppler-utils
  xdg-utils dpkg-dev file ccache
  qt6-svg-dev desktop-file-utils appstream
  libespeak-ng-dev espeak-ng-data qt6-multimedia-dev
  espeak-ng time sox
  wbritish-insane wamerican-insane
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
