#!/usr/bin/env bash
# Puts Qt 6.4.2 for 64-bit Windows (qtbase: Core, Gui, Widgets, Test; the windows and
# offscreen platform plugins; the Windows styles) and GoogleTest into PREFIX, for
# scripts/build-windows.sh. Both platforms then run the Qt version Debian ships.
#
#   scripts/build-qt-windows.sh [--from-source] [PREFIX]
#
# PREFIX defaults to $QUENLOFT_QT_WINDOWS, else ~/.cache/quenloft/qt-6.4.2-mingw. A prefix
# that holds Qt already is left as it is. Otherwise the prebuilt prefix beside the checkout
# (../shared/toolchains/qt-6.4.2-mingw-w64.tar.xz, or $QUENLOFT_QT_WINDOWS_TARBALL) is
# unpacked; without one, or with --from-source, Qt is built here (45-60 minutes on 2 cores):
# - with Debian's mingw-w64 cross compiler (posix threads);
# - from Debian's own qt6-base source package, fetched with apt through a private list of
#   source indexes (the system's own lists stay as they are); nothing else is downloaded;
# - host tools (moc, rcc, uic) are Debian's qt6-base-dev-tools;
# - Debian's source leaves out the tablet headers, so tablet events are off; OpenGL is off
#   in both its forms, and so is everything Quenloft does not use (network, SQL, D-Bus,
#   printing, XML, ICU, Vulkan).
# GoogleTest is built the same way from Debian's googletest sources (/usr/src/googletest).
set -euo pipefail
source "$(dirname "$0")/common.sh"

from_source=0
if [ "${1:-}" = --from-source ]; then
  from_source=1
  shift
fi
prefix=${1:-$QUENLOFT_QT_WINDOWS}
qt_version=6.4.2
tarball=${QUENLOFT_QT_WINDOWS_TARBALL:-$QUENLOFT_ROOT/../shared/toolchains/qt-$qt_version-mingw-w64.tar.xz}

if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ] && [ -f "$prefix/lib/libgtest.a" ]; then
  echo "Qt $qt_version for Windows is in $prefix"
  exit 0
fi
quenloft_install_missing "${QUENLOFT_WINDOWS_PACKAGES[@]}" dpkg-dev

if [ "$from_source" -eq 0 ] && [ -f "$tarball" ]; then
  echo "Unpacking the prebuilt Qt $qt_version for Windows into $prefix"
  rm -rf "$prefix.part"
  mkdir -p "$prefix.part"
  tar -xJf "$tarball" -C "$prefix.part" --strip-components=1
  rm -rf "$prefix"
  mv "$prefix.part" "$prefix"
  exit 0
fi

prefix=$(realpath -m "$prefix")
work=$(mktemp -d "${TMPDIR:-/tmp}/quenloft-qt-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "Building Qt $qt_version for Windows in $work (45-60 minutes on 2 cores)"

# The source package, through source indexes of our own: the machine's mirror, the
# release's main component.
mkdir -p "$work/apt/lists/partial"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=$(sed -n 's/^URIs: *//p; s/^deb \([^ ]*\) .*/\1/p' /etc/apt/sources.list.d/*.sources \
  /etc/apt/sources.list 2>/dev/null | head -n1)
echo "deb-src $mirror $codename main" >"$work/apt/sources.list"
apt_private=(-o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$work/apt/lists")
apt-get "${apt_private[@]}" update -q
(cd "$work" && apt-get "${apt_private[@]}" source --download-only "qt6-base=$qt_version+dfsg-10" ||
  apt-get "${apt_private[@]}" source --download-only qt6-base)
tar -xJf "$work"/qt6-base_"$qt_version"+dfsg.orig.tar.xz -C "$work"
src=$work/qtbase-everywhere-src-$qt_version

# The project's toolchain file, with the prefix as a place to find packages in.
toolchain=(-DCMAKE_TOOLCHAIN_FILE="$QUENLOFT_ROOT/cmake/mingw-w64.cmake" -DQUENLOFT_QT_WINDOWS="$prefix")
flags="-ffile-prefix-map=$src=/usr/src/qt"
cmake -S "$src" -B "$work/build" -G Ninja "${toolchain[@]}" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_opengl_dynamic=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_icu=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build"

cmake -S /usr/src/googletest -B "$work/gtest" -G Ninja "${toolchain[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF
cmake --build "$work/gtest" --parallel "$(nproc)"
cmake --install "$work/gtest"
echo "Qt $qt_version for Windows is in $prefix"
