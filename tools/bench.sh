#!/usr/bin/env bash
# Measures the budgets: exe size and imports, start-up against the platform floor
# and a bare window, idle CPU, and a refresh over 3,300 windows against the bare
# enumeration. Timings are ratios taken in one run. An argument (startup, idle,
# pointer, drawing, refresh) measures that figure alone (start-up with its
# timeline), "timeline" gives only the start-up's steps; "pair <commit>" times
# this tree's vexlo.exe against the one built from that commit, alternately in
# one run; "soak" runs only the long soak (VEXLO_SOAK_SECONDS, 600 by default;
# VEXLO_SOAK_SEED replays a seed).
# VEXLO_STARTUP_RUNS sets the start-up's runs per program (21).
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
cmake --build "$tree" -j"$(nproc)" --target vexlo vexlo_floor vexlo_minimal vexlo_bench vexlo_shot >/dev/null
echo "bench: timings under Wine, $arch build"
winpath() { echo "Z:${1//\//\\}"; }
# Every figure starts from a calm desktop: its own display, window manager and
# wineserver, so that nothing one figure leaves behind (3,300 windows, a busy
# shell) slows the next. A figure that fails says why and the others still run.
status=0
calm_world() {
  start_display
  start_wine "$arch" "$ROOT/build/wineprefix-$arch-bench"
  start_keeper "$tree/vexlo_shot.exe"
}
figure() {
  calm_world
  "$WINELOADER" "$tree/vexlo_bench.exe" "$@" || { echo "bench: the figure above failed (exit $?)"; status=1; }
  stop_all
}
case "${1:-}" in
  soak) ;;
  pair)
    # The other commit's sources, built alone in a scratch tree of their own.
    other=$(git rev-parse --short "${2:?pair needs a commit}")
    scratch=build/pair-$other
    if [ ! -f "$scratch/src/CMakeLists.txt" ]; then
      rm -rf "$scratch" && mkdir -p "$scratch/src"
      git archive "$other" | tar -x -C "$scratch/src"
    fi
    cmake -S "$scratch/src" -B "$scratch/$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/$scratch/src/cmake/mingw-$arch.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$scratch/$arch" -j"$(nproc)" --target vexlo >/dev/null
    echo "bench: this tree ($(git rev-parse --short HEAD)$(git diff --quiet HEAD || echo ', changed')) against $other"
    figure --pair "$(winpath "$ROOT/$tree/vexlo.exe")" "$(winpath "$ROOT/$scratch/$arch/vexlo.exe")"
    ;;
  *)
    # Where start-up time goes, step by step, each in a fresh process.
    case "${1:-}" in ""|startup|timeline) figure --timeline ;; esac
    for f in startup idle pointer drawing refresh; do
      if [ -z "${1:-}" ] || [ "$1" = "$f" ]; then
        figure "$(winpath "$ROOT/$tree/vexlo.exe")" "$(winpath "$ROOT/$tree/vexlo_floor.exe")" \
          "$(winpath "$ROOT/$tree/vexlo_minimal.exe")" "$f"
      fi
    done
    ;;
esac

# The long soak: the real exe under a fresh seed of random real input through the
# X server, with openbox, on a desktop of its own.
if [ -z "${1:-}" ] || [ "$1" = soak ]; then
  soak_tree=build/soak-$arch
  cmake -S tests/host -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build build/host -j"$(nproc)" --target vexlo_xinput >/dev/null
  export VEXLO_XINPUT="$ROOT/build/host/vexlo_xinput"
  cmake -S . -B "$soak_tree" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$arch.cmake -DCMAKE_BUILD_TYPE=Release -DVEXLO_TESTS=ON >/dev/null
  cmake --build "$soak_tree" -j"$(nproc)" --target vexlo_soak >/dev/null
  seed=${VEXLO_SOAK_SEED:-$(( (RANDOM << 15) | RANDOM ))}
  echo "bench: soak seed $seed, ${VEXLO_SOAK_SECONDS:-600} s"
  calm_world
  # Wine's system processes hold a pipe open: the output goes to a file.
  VEXLO_EXE="$ROOT/$soak_tree/vexlo.exe" "$WINELOADER" "$soak_tree/vexlo_soak.exe" "$seed" \
    "${VEXLO_SOAK_SECONDS:-600}" >"$ROOT/build/soak.txt" 2>&1 && soak=0 || soak=$?
  grep '^soak:' "$ROOT/build/soak.txt" || true
  [ "$soak" = 0 ] || { tail -55 "$ROOT/build/soak.txt"; echo "bench: the soak failed (exit $soak)"; status=1; }
fi
exit "$status"
