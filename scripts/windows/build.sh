#!/usr/bin/env bash
# Builds findTavla for 64-bit Windows in one command: the toolchain (Qt,
# SQLite, GoogleTest for MinGW-w64; built once into a cache folder by
# build-toolchain.sh and reused), then findTavla.exe, findTavla-cli.exe,
# Tavla.exe and the Windows test programs into build-windows/ (BUILD_DIR
# moves it), then the installer findTavla-<version>-setup.exe beside them.
# Extra arguments go to CMake's configure step.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo"
build_dir=${BUILD_DIR:-build-windows}
# The toolchain script's last line is its prefix folder.
prefix=$(scripts/windows/build-toolchain.sh | tail -n 1)
if [ ! -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "No Qt for Windows in $prefix" >&2
  exit 1
fi
mkdir -p "$build_dir"
build_dir=$(cd "$build_dir" && pwd)
# ctest starts the Windows programs through Wine, in a Wine folder of the
# build's own.
emulator="$repo/scripts/windows/wine-run.sh;$prefix;$build_dir/wineprefix"
cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DFT_WINDOWS_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DFT_PACKAGING=OFF \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" "$@"
cmake --build "$build_dir" -j "${FT_JOBS:-$(nproc)}"
echo "$prefix" >"$build_dir/toolchain-prefix.txt"
scripts/windows/make-installer.sh "$build_dir" "$prefix"
