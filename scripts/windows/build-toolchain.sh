#!/usr/bin/env bash
# Builds what the Windows programs link against, for 64-bit Windows with
# Debian's MinGW-w64 (POSIX threads): Qt from Debian's qt6-base source, SQLite
# from Debian's sqlite3 source, GoogleTest from Debian's googletest source and
# SimpleIni's header. Everything comes from Debian: binary packages for the
# compilers and tools, source packages for the libraries.
#
# The result lands in a folder outside the repository keyed by the versions it
# was built from, and is reused when it is already there:
#   ${FT_WINDOWS_CACHE:-/var/cache/findtavla-windows}/<key>/prefix
# The last line printed is that prefix folder.
#
# Environment:
#   FT_WINDOWS_CACHE  cache folder (default /var/cache/findtavla-windows)
#   FT_JOBS           parallel build jobs (default: the number of cores)
#   FT_KEEP_WORK=1    keep the unpacked sources and build trees afterwards
# Run as root (or through sudo) the first time: it installs packages and adds
# a deb-src entry for the Debian archive apt already uses.
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
cache_root=${FT_WINDOWS_CACHE:-/var/cache/findtavla-windows}
jobs=${FT_JOBS:-$(nproc)}
# Bumped whenever the recipe below changes what it builds.
recipe=2

host_packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine64 nsis tcl dpkg-dev cmake ninja-build perl gcc make icoutils librsvg2-bin
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libsimpleini-dev
)
source_packages=(qt6-base sqlite3 googletest)

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
apt_get() {
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 "$@"
}

install_host_packages() {
  local missing=() package
  for package in "${host_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}" >&2
  if ! apt_get install -y --no-install-recommends "${missing[@]}"; then
    apt_get update
    apt_get install -y --no-install-recommends "${missing[@]}"
  fi
}

# apt-get source needs deb-src entries; they are made from the deb entries of
# the Debian archive apt is already set up with, so the sources come from the
# same place (and the same snapshot) as the binary packages.
ensure_source_entries() {
  if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
    return 0
  fi
  local debian_sources=/etc/apt/sources.list.d/debian.sources
  local source_entries=/etc/apt/sources.list.d/findtavla-deb-src.sources
  if [ -f "$debian_sources" ]; then
    sed -n 's/^Types:.*\bdeb\b.*/Types: deb-src/;p' "$debian_sources" |
      "${as_root[@]}" tee "$source_entries" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list |
      "${as_root[@]}" tee /etc/apt/sources.list.d/findtavla-deb-src.list >/dev/null
  else
    echo "No Debian archive found in /etc/apt to take source packages from" >&2
    exit 1
  fi
  apt_get update
}

source_version() {
  apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

host_version() {
  dpkg-query -W -f='${Version}' "$1"
}

# The key names every input that changes the result.
versions_key() {
  local key="r${recipe}" package
  for package in "${source_packages[@]}"; do
    key+="_${package}-$(source_version "$package")"
  done
  key+="_mingw-$(host_version g++-mingw-w64-x86-64-posix)"
  echo "$key" | tr ':~+' '...'
}

fetch_source() {
  local package=$1 version
  version=$(source_version "$package")
  (cd "$work/src" && apt-get source --only-source "${package}=${version}" >/dev/null)
}

unpacked_source() {
  find "$work/src" -maxdepth 1 -mindepth 1 -type d -name "$1-*" | head -n 1
}

timed() {
  local label=$1
  shift
  local TIMEFORMAT="${label}: wall %R s, CPU %U s user + %S s system (jobs ${jobs}, load before: $(cut -d' ' -f1-3 /proc/loadavg))"
  { time "$@" 2>&1; } 2>>"$work/times.txt"
  tail -n 1 "$work/times.txt" >&2
}

# A copy of the toolchain file lives beside the prefix: Qt's installed
# qt.toolchain.cmake names the file Qt was built with, which must outlive
# the work tree this script ran from.
cmake_cross() {
  cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/mingw-w64-x86_64.cmake" \
    -DFT_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
}

build_qt() {
  local source build="$work/build-qt"
  source=$(unpacked_source qt6-base)
  # Only what the programs and their tests use; OpenGL stays on (loaded at
  # run time), since the Windows platform plugin of 6.4 does not compile
  # without it. Debian's tarball lacks the tablet library, hence no tablets.
  # The programs draw with the raster engine and load no image format
  # plugin: the Direct2D platform plugin (a second copy of the Windows
  # plugin's sources, a tenth of the build) and the JPEG and GIF plugins are
  # left out, so that a fresh build fits the time CI has.
  cmake_cross -S "$source" -B "$build" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DBUILD_SHARED_LIBS=ON -DINPUT_opengl=dynamic \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_direct2d1_1=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_gif=OFF >"$work/qt-configure.log"
  cmake --build "$build" -j "$jobs" >"$work/qt-build.log"
  cmake --install "$build" >"$work/qt-install.log"
  # Qt's own Japanese messages (standard buttons, print dialogue), taken from
  # the Linux package of the same version.
  mkdir -p "$prefix/translations"
  cp /usr/share/qt6/translations/qtbase_ja.qm "$prefix/translations/"
}

# The compile-time options of Debian's own build of the library: the -D
# words of the CFLAGS its debian/rules sets, so both builds run the same SQLite.
sqlite_options() {
  sed -e ':joined' -e '/\\$/{N;s/\\\n//;b joined}' "$1/debian/rules" |
    sed -n 's/^export CFLAGS *+= *//p' | tr -s ' \t' '\n' | grep '^-DSQLITE_' | tr '\n' ' '
}

# The amalgamation is made with the host compiler and tclsh, then compiled for
# Windows.
build_sqlite() {
  local source build="$work/build-sqlite" options
  source=$(unpacked_source sqlite3)
  mkdir -p "$build"
  if [ ! -f "$build/sqlite3.c" ]; then
    (cd "$build" && "$source/configure" --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
  fi
  options=$(sqlite_options "$source")
  if [ -z "$options" ]; then
    echo "No SQLite options found in $source/debian/rules" >&2
    exit 1
  fi
  # shellcheck disable=SC2086 # the options are separate words
  x86_64-w64-mingw32-gcc-posix -O2 -fno-strict-aliasing $options -c "$build/sqlite3.c" \
    -o "$build/sqlite3.o"
  mkdir -p "$prefix/lib" "$prefix/include"
  rm -f "$prefix/lib/libsqlite3.a"
  x86_64-w64-mingw32-gcc-ar-posix rcs "$prefix/lib/libsqlite3.a" "$build/sqlite3.o"
  cp "$build/sqlite3.h" "$build/sqlite3ext.h" "$prefix/include/"
  echo "$options" >"$prefix/sqlite-options.txt"
}

build_googletest() {
  local source build="$work/build-googletest"
  source=$(unpacked_source googletest)
  cmake_cross -S "$source" -B "$build" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON \
    >"$work/googletest-configure.log"
  cmake --build "$build" -j "$jobs" >"$work/googletest-build.log"
  cmake --install "$build" >/dev/null
}

# SimpleIni is one header; the programs use it without its conversion code.
install_simpleini() {
  mkdir -p "$prefix/include"
  cp /usr/include/SimpleIni.h "$prefix/include/"
}

install_host_packages
ensure_source_entries
key=$(versions_key)
top="$cache_root/$key"
prefix="$top/prefix"
work="$top/work"
if [ -f "$top/complete" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$work/src" "$prefix"
cp "$repo/cmake/mingw-w64-x86_64.cmake" "$top/"
echo "Building the Windows toolchain into $top" >&2
for package in "${source_packages[@]}"; do
  [ -n "$(unpacked_source "$package")" ] || fetch_source "$package"
done
timed qt build_qt
timed sqlite build_sqlite
timed googletest build_googletest
install_simpleini
cp "$work/times.txt" "$top/times.txt"
if [ "${FT_KEEP_WORK:-0}" != 1 ]; then
  rm -rf "$work"
fi
touch "$top/complete"
echo "$prefix"
