#!/usr/bin/env bash
# Installs what is missing, builds and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build_dir=${BUILD_DIR:-build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set). Start findTavla from a desktop session," >&2
  echo "or try it on a virtual screen: xvfb-run -a -s '-screen 0 1280x800x24' $build_dir/bin/findTavla" >&2
  exit 1
fi
exec "$build_dir/bin/findTavla"
