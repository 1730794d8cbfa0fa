#!/usr/bin/env bash
# Installs the Debian 12 packages findTavla needs to build, test and run.
# Only what is missing is installed; run as root (or through sudo).
# --fuzz adds clang with libFuzzer, for the fuzzing harnesses (tests/fuzz).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang-format
  qt6-base-dev libsqlite3-dev sqlite3 libgtest-dev libsimpleini-dev
  xvfb xauth xdotool imagemagick fonts-ipafont-gothic
  qt6-translations-l10n qt6-l10n-tools qt6-tools-dev librsvg2-bin help2man desktop-file-utils dpkg-dev file binutils lintian
  libgdal-dev gdal-bin
  libpq-dev postgresql
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}" >&2
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
