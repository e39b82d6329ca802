#!/usr/bin/env bash
# Configures (once) and builds. Usage: scripts/build.sh [FOLDER [CMAKE OPTIONS...]]
# (FOLDER defaults to build/).
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build}
shift || true
if [ ! -f "$folder/build.ninja" ]; then
  cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$folder" -j "$(nproc)"
