#!/usr/bin/env bash
# Runs a Windows program in the test command's first world once its window
# manager has dealt with all that the program before did: seconds behind, it
# gives a new X window that reuses one of the old program's ids the old
# window's place and stacking.
# A window manager that never answers is said in the test's output.
if [ -x "${VEXLO_XINPUT:-}" ]; then
  printf 'w\n.\n' | "$VEXLO_XINPUT" 2>&1 | grep -v '^ok$' >&2 || true
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-exit.sh"
VEXLO_WINE=${VEXLO_WINE:-/usr/lib/wine/wine}
run_wine "$@"
