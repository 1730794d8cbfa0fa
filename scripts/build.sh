#!/usr/bin/env bash
# Configures and builds findTavla. BUILD_DIR (default build) and extra CMake
# arguments can be given: scripts/build.sh -DFT_SANITIZE=ON
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$build_dir" -j "$(nproc)"
