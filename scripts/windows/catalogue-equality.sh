#!/usr/bin/env bash
# The same registration by findTavla-cli.exe under Wine and by the Linux
# findTavla-cli must leave the same catalogues and working files, so that a
# catalogue is the same whichever build registered it:
#   catalogue-equality.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR
# Both register samples/, a generated corpus (the Linux build's
# findtavla-gen-data) and a sample copied under a Japanese folder name. The
# catalogues are dumped with sqlite3 and the working files read as bytes;
# registered paths are compared with Wine's drive letter taken off
# ("Z:\work\x" against "/work/x").
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
win_build=$(cd "$1" && pwd)
linux_build=$(cd "$2" && pwd)
prefix=$(cat "$win_build/toolchain-prefix.txt")
export WINEPREFIX=${WINEPREFIX:-$win_build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
generator=$(find "$linux_build" -name findtavla-gen-data -type f -perm -u+x | head -n 1)
if [ ! -x "$linux_build/bin/findTavla-cli" ] || [ -z "$generator" ]; then
  echo "The Linux build in $linux_build lacks findTavla-cli or findtavla-gen-data" >&2
  exit 1
fi

# Wine takes the Windows locale (code page 932) and the code page of Linux
# file names from the locale, which must exist for that.
if ! locale -a | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus/測量データ"
"$generator" --out "$work/corpus/generated" --sets 8 --parcels 60 >/dev/null
"$generator" --out "$work/corpus/blocks" --sets 2 --datum 1 --blocks >/dev/null
cp -r "$repo/samples/wakaba-datum2" "$work/corpus/測量データ/若葉"
targets=("$repo/samples" "$work/corpus")

XDG_DATA_HOME="$work/linux" XDG_CONFIG_HOME="$work/linux-settings" \
  "$linux_build/bin/findTavla-cli" --no-trace register "${targets[@]}" >"$work/linux.out"

# The Windows program's folders: %ProgramData%\findTavla and
# %APPDATA%\findTavla of the Wine folder, emptied first.
win_data="$WINEPREFIX/drive_c/ProgramData/findTavla"
rm -rf "$win_data" "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/findTavla
windows_targets=()
for target in "${targets[@]}"; do
  windows_targets+=("Z:${target//\//\\}")
done
LANG=ja_JP.UTF-8 "$repo/scripts/windows/wine-run.sh" "$prefix" "$WINEPREFIX" \
  "$win_build/bin/findTavla-cli.exe" --no-trace register "${windows_targets[@]}" \
  | tr -d '\r' >"$work/windows.out"

# What a data folder holds, paths normalised, into a folder of its own: each
# catalogue as SQL, each other file as it is. The same rewriting on both sides, so it can hide nothing.
normalised() {
  LC_ALL=C sed -e 's#Z:\\#/#g' -e 's#\\#/#g'
}
snapshot() {
  local folder=$1 into=$2 file name
  mkdir -p "$into"
  for file in "$folder"/*; do
    [ -f "$file" ] || continue
    name=$(basename "$file")
    case "$name" in
      # The lock, the write-ahead logs, and the record of the last run's file
      # times and checksums (which hold the times of this run's writes).
      *.lock | *-wal | *-shm | *.tidy) ;;
      *.db) sqlite3 "$file" .dump | normalised >"$into/$name.sql" ;;
      *) normalised <"$file" >"$into/$name" ;;
    esac
  done
}
snapshot "$work/linux/findTavla" "$work/linux.snapshot"
snapshot "$win_data" "$work/windows.snapshot"

status=0
if ! diff -u "$work/linux.out" <(normalised <"$work/windows.out"); then
  echo "findTavla-cli printed different lines on Linux and on Windows" >&2
  status=1
fi
if ! diff -r -u "$work/linux.snapshot" "$work/windows.snapshot" | head -n 80; then
  status=1
fi
if ! diff -r -q "$work/linux.snapshot" "$work/windows.snapshot" >/dev/null; then
  echo "The catalogues or working files differ between the Linux and Windows builds" >&2
  status=1
fi
if [ "$status" -eq 0 ]; then
  rows=$(cat "$work/linux.snapshot"/*.sql | grep -c '^INSERT' || true)
  files=$(find "$work/linux.snapshot" -type f | wc -l)
  drawings=$(grep -c '^INSERT INTO "\?FILE"\? ' "$work/linux.snapshot"/*.sql | awk -F: '{n += $2} END {print n}')
  echo "Catalogue equality: $files files, $rows catalogue rows ($drawings drawings) the same" \
    "on Linux and under Wine"
fi
exit "$status"
