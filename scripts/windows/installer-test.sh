#!/usr/bin/env bash
# The installer under Wine: a silent install (/S); every file of
# packaging/windows/runtime-files.txt, the Start-menu entries and the
# uninstaller's entry in the registry are there; each installed program
# starts from the installed folder alone (no toolchain on Wine's PATH), the
# desktop program with its window platform plugin; the installed samples
# register; then a silent uninstall leaves nothing in the install folder
# while the users' catalogues and settings stay.
#   installer-test.sh WINDOWS_BUILD_DIR       (DISPLAY must name an X server)
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "$1" && pwd)
export WINEPREFIX=${WINEPREFIX:-$build_dir/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
unset WINEPATH
wine=/usr/lib/wine/wine64
drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/findTavla"
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\findTavla'
setup=$(ls "$build_dir"/findTavla-*-setup.exe)

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what" >&2
    failures=$((failures + 1))
  fi
}
in_output() {
  local expected=$1
  shift
  "$@" 2>&1 | tr -d '\r' | grep -q -- "$expected"
}
# The desktop program keeps running (its window open) until the timeout: a
# missing library or plugin ends it at once.
keeps_running() {
  local status=0
  timeout 20 "$wine" "$installed/findTavla.exe" >/dev/null 2>&1 || status=$?
  [ "$status" -eq 124 ]
}
installed_samples_register() {
  "$wine" "$installed/findTavla-cli.exe" --quiet register 'C:\Program Files\findTavla\samples' \
    >/dev/null && [ -s "$drive_c/ProgramData/findTavla/Dorsawrd.db" ]
}
folder_empty_or_gone() {
  [ ! -e "$installed" ] || [ -z "$(ls -A "$installed")" ]
}

rm -rf "$installed" "$drive_c/ProgramData/findTavla"
"$wine" "$setup" /S
/usr/lib/wine/wineserver -w

while read -r kind path; do
  case "$kind" in '' | '#'*) continue ;; esac
  [ "$kind" = mingw ] && path=$(basename "$path")
  check "installed ${path#bin/}" test -f "$installed/${path#bin/}"
done <"$repo/packaging/windows/runtime-files.txt"
check "Start-menu entry 地籍データ検索" test -f "$start_menu/地籍データ検索.lnk"
check "Start-menu entry Tavla" test -f "$start_menu/Tavla.lnk"
check "uninstaller registered" "$wine" reg query "$uninstall_key" /v UninstallString
check "common data folder made" test -d "$drive_c/ProgramData/findTavla"
check "installed findTavla-cli.exe --version" in_output '^findTavla-cli [0-9]' \
  "$wine" "$installed/findTavla-cli.exe" --version
check "installed Tavla.exe --version" in_output '^Tavla [0-9]' "$wine" "$installed/Tavla.exe" --version
check "installed findTavla.exe --version" in_output '^findTavla [0-9]' \
  "$wine" "$installed/findTavla.exe" --version
check "installed findTavla.exe opens its window" keeps_running
check "installed samples registered" installed_samples_register
settings=$(ls -d "$drive_c"/users/*/AppData/Roaming/findTavla 2>/dev/null | head -n 1)

"$wine" "$installed/uninstall.exe" /S
/usr/lib/wine/wineserver -w
check "install folder left empty" folder_empty_or_gone
check "Start-menu entries removed" test ! -e "$start_menu/地籍データ検索.lnk"
check "uninstaller entry removed" sh -c "! '$wine' reg query '$uninstall_key' >/dev/null 2>&1"
check "catalogues kept" test -s "$drive_c/ProgramData/findTavla/Dorsawrd.db"
if [ -n "$settings" ]; then
  check "settings folder kept" test -d "$settings"
fi
echo "installer: $(basename "$setup"), $(stat -c %s "$setup") bytes"
[ "$failures" -eq 0 ]
