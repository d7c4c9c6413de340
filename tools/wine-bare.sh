#!/usr/bin/env bash
# Runs a Windows program in the test command's second world: a display with no
# window manager and its own Wine prefix (see start_bare_world in winenv.sh).
source "$(dirname "${BASH_SOURCE[0]}")/wine-exit.sh"
export DISPLAY=$VEXLO_BARE_DISPLAY WINEPREFIX=$VEXLO_BARE_PREFIX VEXLO_NO_WM=1
run_wine "$@"
