#!/usr/bin/env bash
# Cross-builds Qt for 64-bit Windows (mingw-w64) from Debian's own qtbase
# source, once, into a cache folder outside the repository; a later call finds
# the finished prefix and returns at once. Prints nothing else to stdout than
# the prefix, so callers can take it: QT=$(scripts/windows-qt.sh).
#
# Only what the program needs is built: Core, Gui, Widgets, Network and Test,
# the `windows` and `offscreen` platform plugins and the Windows styles.
# Left out: SQL, print support, D-Bus, OpenGL, Concurrent, Xml, zstd, TUIO
# touch, and the tablet events (Debian's source has the Windows tablet headers
# removed). Direct2D stays: without it Qt 6.4 leaves out the DirectWrite font
# database that its Windows platform plugin still calls, and the plugin does
# not link. Optimised for size: smaller DLLs, and a third less
# compile time than full optimisation.
# The Linux Qt of the same version provides moc, rcc and uic.
set -euo pipefail

qt_version=6.4.2
deb_version=6.4.2+dfsg-10
cache_root=${GRAVELOCK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/gravelock}
prefix=$cache_root/qt-$qt_version-mingw
work=$cache_root/qt-$qt_version-mingw.work
stamp=$prefix/gravelock-qt.stamp
# Changing any of these rebuilds Qt: the stamp records them.
options=(
  -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=MinSizeRel
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF
  -DINPUT_opengl=no -DFEATURE_opengl=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_direct2d=ON -DFEATURE_tuiotouch=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF
)
want="qtbase $deb_version ${options[*]}"

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
  echo "$prefix"
  exit 0
fi

log() { echo "windows-qt: $*" >&2; }
start=$(date +%s)
rm -rf "$prefix"

# An interrupted build goes on where it stopped: the unpacked source and the
# build folder stay until the install has succeeded.
if [ "$(cat "$work/source.stamp" 2>/dev/null)" != "$deb_version" ]; then
  rm -rf "$work"
  mkdir -p "$work"
  # Debian's qtbase source: a deb-src entry for this download only.
  src_list=/etc/apt/sources.list.d/gravelock-qt-source.sources
  trap 'rm -f "$src_list"' EXIT
  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' >"$src_list"
  log "fetching qtbase $deb_version source"
  apt-get update -q >&2
  (cd "$work" && apt-get source --download-only "qt6-base=$deb_version" >&2)
  rm -f "$src_list"
  (cd "$work" && dpkg-source -x "qt6-base_$deb_version.dsc" src >&2 && rm -f qt6-base_*)
  echo "$deb_version" >"$work/source.stamp"
else
  log "going on with the build in $work"
fi

# The toolchain file's path is written into the installed Qt, so it lives in
# the prefix itself.
mkdir -p "$prefix/toolchain"
cat >"$prefix/toolchain/mingw-w64.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

log "configuring"
cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/toolchain/mingw-w64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${options[@]}" >"$work/configure.log" 2>&1 || {
  tail -50 "$work/configure.log" >&2
  exit 1
}
log "building (about 20 minutes on 2 free cores; log: $work/build.log)"
cmake --build "$work/build" --parallel "${GRAVELOCK_QT_JOBS:-2}" >"$work/build.log" 2>&1 || {
  tail -50 "$work/build.log" >&2
  exit 1
}
cmake --install "$work/build" >"$work/install.log" 2>&1 || {
  tail -50 "$work/install.log" >&2
  exit 1
}
rm -rf "$work"
echo "$want" >"$stamp"
log "built in $(($(date +%s) - start)) s: $prefix"
echo "$prefix"
