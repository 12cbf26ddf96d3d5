#!/usr/bin/env bash
# Installs what is needed, builds, puts the phonetic font where the desktop finds it for this
# user, and starts the program from the build's program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DVOXSCRIBE_TESTS=OFF -DVOXSCRIBE_BENCH=OFF
build_dir=${BUILD_DIR:-build}
if [[ -f "$build_dir/program/Ksphonet.ttf" ]]; then
  fonts=${XDG_DATA_HOME:-$HOME/.local/share}/fonts
  mkdir -p "$fonts"
  cp -f "$build_dir/program/Ksphonet.ttf" "$fonts/"
  fc-cache -f "$fonts" >/dev/null 2>&1 || true
fi
exec "$build_dir/program/voxscribe" "$@"
