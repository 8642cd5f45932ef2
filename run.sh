#!/usr/bin/env bash
# Installs what is missing, builds Marvolen in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake --preset release
cmake --build --preset release
exec ./build-release/src/ui/marvolen
