#!/usr/bin/env bash
# Runs a program of the Windows build under Wine:
#   wine-run.sh PREFIX WINEPREFIX PROGRAM.exe [ARGUMENTS...]
# PREFIX is the toolchain folder (scripts/windows/build-toolchain.sh prints
# it): its Qt libraries and the MinGW runtime libraries are put on Wine's
# PATH, so a program of the build folder starts without copies beside it.
# WINEPREFIX is the Wine folder to run in, made on first use. Wine's own
# messages are off (WINEDEBUG=-all) unless WINEDEBUG is set.
# The build uses it as CMake's cross-compiling emulator, so ctest runs the
# Windows test programs through it.
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 PREFIX WINEPREFIX PROGRAM.exe [ARGUMENTS...]" >&2
  exit 2
fi
prefix=$1
export WINEPREFIX=$2
shift 2
export WINEDEBUG=${WINEDEBUG:--all}
mkdir -p "$WINEPREFIX"

# A Linux folder as Wine sees it: drive Z: is the Linux root.
windows_path() {
  printf 'Z:%s' "${1//\//\\}"
}
runtime_library() {
  dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")"
}
runtime_folders=("$prefix/bin" "$(runtime_library libstdc++-6.dll)"
  "$(runtime_library libwinpthread-1.dll)")
wine_path=
for folder in "${runtime_folders[@]}"; do
  wine_path+="$(windows_path "$folder");"
done
export WINEPATH="$wine_path${WINEPATH:-}"
exec /usr/lib/wine/wine64 "$@"
