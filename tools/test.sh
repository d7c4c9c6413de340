#!/usr/bin/env bash
# Builds everything and runs every test layer; ends with ctest's summary.
# Extra arguments go to ctest (e.g. -R wine.Catalogue); VEXLO_TREE_TAG=-x keeps
# separate build trees and Wine prefixes for parallel work.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
if [ -z "${VEXLO_SETUP_DONE:-}" ]; then
  bash tools/setup.sh
  # A locale generated just now is invisible to this shell: start it afresh once.
  VEXLO_SETUP_DONE=1 exec bash "$ROOT/tools/$(basename "$0")" "$@"
fi
source tools/winenv.sh
trap stop_all EXIT

jobs=$(nproc)
arch=$(wine_arch)
tag=${VEXLO_TREE_TAG:-}
echo "test: Windows-side tests run as $arch under Wine"

# Layer 1: platform-free logic, native, with sanitizers.
cmake -S tests/host -B build/host$tag -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host$tag -j"$jobs"

# The shipped program: 32-bit release build.
cmake -S . -B build/i686$tag -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/i686$tag -j"$jobs" --target vexlo

# Layers 2 and 3, built for the architecture Wine can run here.
tree=build/test-$arch$tag
cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$arch.cmake -DCMAKE_BUILD_TYPE=Release \
  -DVEXLO_TESTS=ON -DVEXLO_HOST_BUILD="$ROOT/build/host$tag" -DVEXLO_RELEASE_EXE="$ROOT/build/i686$tag/vexlo.exe" >/dev/null
cmake --build "$tree" -j"$jobs"

# The e2e driver's input goes through the X server, as a person's does.
export VEXLO_XINPUT="$ROOT/build/host$tag/vexlo_xinput"
start_display
start_wine "$arch" "$ROOT/build/wineprefix-$arch$tag"
start_keeper "$tree/vexlo_shot.exe"
# The e2e layer runs again on a display with no window manager (e2e-bare.*).
start_bare_world "$arch" "$ROOT/build/wineprefix-$arch-bare$tag" "$tree/vexlo_shot.exe"
export VEXLO_SHOTS="$ROOT/build/screenshots"
mkdir -p "$VEXLO_SHOTS"
cd "$tree"
# Two at a time: one test of each world (see RESOURCE_LOCK in cmake/WineTests.cmake).
ctest --output-on-failure -j2 "$@"
