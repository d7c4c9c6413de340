#!/usr/bin/env bash
# Measures the budgets: exe size and imports, start-up against the platform floor
# and a bare window,
# idle CPU, and a refresh over 3,300 windows against the bare enumeration.
# Timings are ratios taken in one run. An argument (startup, idle, pointer,
# drawing, refresh) measures that figure alone.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
if [ -z "${VEXLO_SETUP_DONE:-}" ]; then
  bash tools/setup.sh
  VEXLO_SETUP_DONE=1 exec bash "$ROOT/tools/bench.sh" "$@"
fi
source tools/winenv.sh
trap stop_all EXIT

cmake -S . -B build/i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/i686 -j"$(nproc)" --target vexlo >/dev/null
bash tools/check_exe.sh build/i686/vexlo.exe || true

arch=$(wine_arch)
tree=build/bench-$arch
cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$arch.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$tree" -j"$(nproc)" --target vexlo vexlo_floor vexlo_minimal vexlo_bench >/dev/null
echo "bench: timings under Wine, $arch build"
start_display
start_wine "$arch" "$ROOT/build/wineprefix-$arch-bench"
winpath() { echo "Z:${1//\//\\}"; }
# Where start-up time goes, step by step, in a fresh process: the third of three runs, Wine warm.
for _ in 1 2 3; do "$WINELOADER" "$tree/vexlo_bench.exe" --timeline >"$ROOT/build/timeline.txt"; done
cat "$ROOT/build/timeline.txt"
# The figures; the refresh comes last, since its 3,300 windows keep the shell busy for a while.
"$WINELOADER" "$tree/vexlo_bench.exe" "$(winpath "$ROOT/$tree/vexlo.exe")" "$(winpath "$ROOT/$tree/vexlo_floor.exe")" \
  "$(winpath "$ROOT/$tree/vexlo_minimal.exe")" "$@"
