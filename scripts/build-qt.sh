#!/usr/bin/env bash
# Builds Qt's qtbase from Debian's own source package, static, release and minimal, once per
# Qt version and configuration, and prints the folder it is installed in. Every later call
# with the same configuration prints that folder at once.
#
#   windows   cross-built with mingw-w64 for 64-bit Windows: Core, Gui, Widgets and the
#             Windows platform plugin; Qt's bundled zlib, libpng, FreeType, HarfBuzz and
#             PCRE2; Debian's Qt 6.4.2 is the host Qt, so no host tools are built. The test
#             library comes too, for the unit tests; the program does not link it.
#
# The cache is $SPIELDEX_CACHE (by default ~/.cache/spieldex): src/ holds the unpacked
# source, qt-<version>-<target>-<key>/ each build's result, <key> a hash of this script and
# the toolchain file, so a changed configuration builds anew beside the old one.
# Usage: build-qt.sh windows
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(dirname "$here")
target=${1:?usage: build-qt.sh windows}
qt_version=6.4.2
debian_version=6.4.2+dfsg-10
cache=${SPIELDEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/spieldex}
jobs=${JOBS:-$(nproc)}

# What a cross build for Windows needs, by target.
case $target in
  windows)
    toolchain=$project/cmake/toolchains/mingw-w64-x86_64.cmake
    packages=(g++-mingw-w64-x86-64-posix ninja-build cmake perl qt6-base-dev qt6-base-dev-tools dpkg-dev)
    target_options=(
      -DCMAKE_TOOLCHAIN_FILE="$toolchain"
      -DQT_HOST_PATH=/usr
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
      -DFEATURE_direct2d1_1=OFF   # -no-feature-direct2d would also drop DirectWrite's font database
      -DFEATURE_tabletevent=OFF   # Debian's source lacks the third-party wintab headers
      -DFEATURE_icu=OFF
    )
    ;;
  *) echo "build-qt.sh: unknown target $target" >&2; exit 2 ;;
esac

common_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_xml=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_testlib=ON
  -DFEATURE_system_zlib=OFF -DFEATURE_png=ON -DFEATURE_system_png=OFF
  -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
  -DFEATURE_harfbuzz=ON -DFEATURE_system_harfbuzz=OFF -DFEATURE_pcre2=ON -DFEATURE_system_pcre2=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_sessionmanager=OFF
  -DFEATURE_sql_sqlite=OFF -DFEATURE_zstd=OFF
)

key=$(cat "$0" "$toolchain" | sha256sum | cut -c1-12)
prefix=$cache/qt-$qt_version-$target-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

"$here/install-deps.sh" "${packages[@]}" >&2
source_dir=$("$here/debian-source.sh" "qt6-base=$debian_version" "$cache/src")
build_dir=$cache/build-qt-$target-$key
rm -rf "$build_dir" "$prefix"
mkdir -p "$build_dir"
started=$(date +%s)
echo "Building Qt $qt_version ($target) into $prefix: about 20 minutes on two cores" >&2
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" \
  "${common_options[@]}" "${target_options[@]}" >"$build_dir/configure.log" 2>&1 \
  || { tail -n 40 "$build_dir/configure.log" >&2; exit 1; }
cmake --build "$build_dir" --parallel "$jobs" >"$build_dir/build.log" 2>&1 \
  || { grep -E -B2 -A8 'error|FAILED' "$build_dir/build.log" | tail -n 60 >&2; exit 1; }
cmake --install "$build_dir" >"$build_dir/install.log" 2>&1 \
  || { tail -n 20 "$build_dir/install.log" >&2; exit 1; }
rm -rf "$build_dir"
touch "$prefix/.complete"
echo "Qt $qt_version ($target) built in $(( ($(date +%s) - started) / 60 )) minutes" >&2
echo "$prefix"
