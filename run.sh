#!/usr/bin/env bash
# Installs what is missing, builds Marvolen in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVOLEN_TESTS=OFF -DMARVOLEN_BENCHMARKS=OFF
cmake --build build-release --target marvolen
exec ./build-release/src/ui/marvolen
