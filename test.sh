#!/usr/bin/env bash
# Installs what is missing, builds Marvolen with its tests and runs every test with CTest.
# Usage: ./test.sh [PRESET] [CMAKE_ARGUMENTS...]; PRESET is one of CMakePresets.json: default
# (g++, in build), asan (the sanitizers, in build-asan), tsan (ThreadSanitizer over the tests of
# the parts with threads, in build-tsan) or clang (in build-clang). The test presets give LSan the
# suppressions of tests/lsan.supp, leaks of system libraries the tests load, and ThreadSanitizer
# those of tests/tsan.supp, in libraries this project does not build.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
preset=default
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
  preset=$1
  shift
fi
cmake --preset "$preset" "$@"
cmake --build --preset "$preset"
ctest --preset "$preset"
