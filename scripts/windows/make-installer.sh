#!/usr/bin/env bash
# Makes findTavla-<version>-setup.exe in the Windows build folder:
#   make-installer.sh BUILD_DIR PREFIX
# BUILD_DIR holds the programs (bin/); PREFIX is the toolchain's prefix.
# The installed tree is laid out in BUILD_DIR/installer/stage first, from
# packaging/windows/runtime-files.txt and licences.txt, then NSIS packs it
# (packaging/windows/findtavla.nsi).
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "$1" && pwd)
prefix=$2
packaging="$repo/packaging/windows"
version=$(sed -n 's/^project(findTavla VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
work="$build_dir/installer"
stage="$work/stage"
rm -rf "$work"
mkdir -p "$stage/licenses" "$stage/samples"

for program in findTavla findTavla-cli Tavla; do
  cp "$build_dir/bin/$program.exe" "$stage/"
done
cp "$packaging/qt.conf" "$stage/"

while read -r kind path; do
  case "$kind" in
    '' | '#'*) continue ;;
    qt)
      target="$stage/${path#bin/}"
      mkdir -p "$(dirname "$target")"
      cp "$prefix/$path" "$target"
      ;;
    mingw)
      source=$(x86_64-w64-mingw32-g++-posix -print-file-name="$path")
      [ -f "$source" ] || { echo "No MinGW runtime library $path" >&2; exit 1; }
      cp "$source" "$stage/"
      ;;
    *)
      echo "Unknown kind '$kind' in runtime-files.txt" >&2
      exit 1
      ;;
  esac
done <"$packaging/runtime-files.txt"

while read -r name source; do
  case "$name" in '' | '#'*) continue ;; esac
  [ "${source#/}" != "$source" ] || source="$repo/$source"
  cp "$source" "$stage/licenses/$name.txt"
done <"$packaging/licences.txt"

cp -r "$repo/samples/." "$stage/samples/"

# The uninstaller removes exactly what was installed: files, then folders
# deepest first.
{
  (cd "$stage" && find . -type f | sort) | while read -r file; do
    printf 'Delete "$INSTDIR\\%s"\n' "$(echo "${file#./}" | tr / '\\')"
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r folder; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(echo "${folder#./}" | tr / '\\')"
  done
} >"$work/uninstall-files.nsh"

setup="$build_dir/findTavla-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
  "$packaging/findtavla.nsi"
echo "$setup"
