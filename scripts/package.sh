#!/usr/bin/env bash
# Builds the Debian package findtavla_<version>_amd64.deb into the build
# folder (BUILD_DIR, default build), after installing what is missing and
# building. Install it with: apt-get install ./build/findtavla_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh "$@"
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/findtavla_*.deb
