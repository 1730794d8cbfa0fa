#!/usr/bin/env bash
# The Windows build tested under Wine, in one command: builds it
# (scripts/windows/build.sh; FT_SKIP_BUILD=1 takes build-windows/ as it is),
# then on a virtual display (Xvfb)
#   1. the core, command-line and window test programs (ctest);
#   2. the same registration by the Windows and the Linux findTavla-cli
#      (catalogue-equality.sh; needs the Linux build in LINUX_BUILD_DIR,
#      default build/);
#   3. the installer: silent install, the installed programs started, the
#      installed samples registered, silent uninstall (installer-test.sh).
# Fails when any of them fails.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo"
build_dir=${BUILD_DIR:-build-windows}
if [ "${FT_SKIP_BUILD:-0}" != 1 ]; then
  scripts/windows/build.sh
fi
build_dir=$(cd "$build_dir" && pwd)
prefix=$(cat "$build_dir/toolchain-prefix.txt")
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
run=("$repo/scripts/windows/wine-run.sh" "$prefix" "$WINEPREFIX")

# A display of our own: Wine wants one for anything with a window, and the
# window tests' offscreen platform still runs inside Wine's desktop.
display=":$((90 + $$ % 100))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
stop() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
}
trap stop EXIT
export DISPLAY=$display

# The first start of a new Wine folder sets it up (half a minute or more);
# done once here, not inside a timed test.
"${run[@]}" wineboot --init
/usr/lib/wine/wineserver -w

(cd "$build_dir" && ctest --output-on-failure --timeout 600 -j "${FT_JOBS:-$(nproc)}")
"$repo/scripts/windows/catalogue-equality.sh" "$build_dir" "${LINUX_BUILD_DIR:-$repo/build}"
"$repo/scripts/windows/installer-test.sh" "$build_dir"
echo "Windows tests under Wine: all passed"
