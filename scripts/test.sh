#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the normal build, the same
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets for a
# bounded time. Set VOXSCRIBE_QUICK=1 to run the normal build only.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

build_dir=${BUILD_DIR:-build}
# Warnings stop the developer's and CI's builds.
BUILD_DIR=$build_dir bash scripts/build.sh -DVOXSCRIBE_WERROR=ON
ctest --test-dir "$build_dir" --output-on-failure --timeout 900 -j2

if [[ "${VOXSCRIBE_QUICK:-0}" != 1 ]]; then
  echo "== sanitizer build"
  BUILD_DIR=$build_dir-asan bash scripts/build.sh -DVOXSCRIBE_WERROR=ON -DVOXSCRIBE_SANITIZE=ON -DVOXSCRIBE_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$build_dir-asan" --output-on-failure --timeout 1800 -j2

  echo "== fuzz targets"
  CC=clang CXX=clang++ BUILD_DIR=$build_dir-fuzz bash scripts/build.sh -DVOXSCRIBE_WERROR=ON -DVOXSCRIBE_FUZZ=ON \
    -DVOXSCRIBE_FUZZ_SECONDS="${VOXSCRIBE_FUZZ_SECONDS:-30}"
  ctest --test-dir "$build_dir-fuzz" --output-on-failure --timeout 600
  # How many inputs each target tried in its time.
  awk '/^[0-9]+\/[0-9]+ Test: /{name=$3} /^stat::number_of_executed_units/{print name ": " $2 " inputs"}' \
    "$build_dir-fuzz/Testing/Temporary/LastTest.log"
fi
