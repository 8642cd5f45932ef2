#!/usr/bin/env bash
# Installs what is missing, builds Marvolen with its tests and runs every test with CTest.
# Optional: BUILD_DIR and extra CMake arguments (the sanitizer run passes its own).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
build_dir=${BUILD_DIR:-build}
# The sanitizer build reports leaks in system libraries the tests load; those are listed here.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Debug} "$@"
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure --timeout 600 -j2
