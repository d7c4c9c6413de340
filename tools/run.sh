#!/usr/bin/env bash
# Builds vexlo.exe and starts it under Wine: on your display when DISPLAY is set,
# otherwise in a private X server, where it saves screenshots of the panel and
# prints their paths.
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

arch=$(wine_arch)
tree=build/run-$arch
cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$arch.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$tree" -j"$(nproc)" --target vexlo vexlo_shot
if [ "$arch" != i686 ]; then
  echo "run: this kernel does not run 32-bit code, so Wine runs the x86_64 build of Vexlo"
fi

if [ -n "${DISPLAY:-}" ]; then
  start_wine "$arch" "$ROOT/build/wineprefix-$arch"
  "$WINELOADER" "$tree/vexlo.exe"
  exit 0
fi

start_display
start_wine "$arch" "$ROOT/build/wineprefix-$arch"
shots="$ROOT/build/screenshots"
mkdir -p "$shots"
"$WINELOADER" "$tree/vexlo.exe" &
app=$!
# The tool prints the Windows paths of what it saved (to a file: a pipe could be
# held open by Wine's system processes); show them as Unix paths.
"$WINELOADER" "$tree/vexlo_shot.exe" "Z:${shots//\//\\}" >"$shots/saved.txt" || true
tr -d '\r' <"$shots/saved.txt" | sed 's|^Z:||; s|\\|/|g'
# Close the panel the way the system would, then wait for the program to end.
"$WINELOADER" "$tree/vexlo_shot.exe" --close >/dev/null 2>&1 || true
wait "$app" || true
