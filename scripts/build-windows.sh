#!/usr/bin/env bash
# Cross-builds the Windows program spieldex.exe beside the build for this machine, on our own
# Qt and the Windows builds of its libraries (both cached, see build-qt.sh and
# build-windows-deps.sh), and puts it into that build's CD folder.
# Usage: build-windows.sh <host build folder> [<windows build folder>]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(dirname "$here")
host_build=$(cd "$1" && pwd)
windows_build=${2:-$host_build/windows}
jobs=${JOBS:-$(nproc)}

qt=$("$here/build-qt.sh" windows)
deps=$("$here/build-windows-deps.sh")
cmake -S "$project" -B "$windows_build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$project/cmake/toolchains/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qt;$deps" -DCMAKE_FIND_ROOT_PATH="$qt;$deps" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$here/wine-run.sh" -DSPIELDEX_HOST_BUILD="$host_build" -DSPIELDEX_TESTS=${SPIELDEX_WINDOWS_TESTS:-ON} >/dev/null
cmake --build "$windows_build" --parallel "$jobs"
