# Sourced by the run and test commands: picks the Wine architecture, and starts and
# stops a private display, a window manager and a persistent wineserver.
# Everything started here is stopped by its own process id.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VEXLO_STARTED_PIDS=()

# Wine runs 32-bit programs only where the kernel runs 32-bit code; some kernels
# have that switched off, and there the Windows side is built and run as x86_64.
wine_arch() {
  if [ -n "${VEXLO_WINE_ARCH:-}" ]; then echo "$VEXLO_WINE_ARCH"; return; fi
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo i686
  else
    echo x86_64
  fi
}

wine_loader() {
  if [ "$1" = i686 ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

# $1: "bare" for a display without a window manager (DISPLAY is left alone
# and the number goes to VEXLO_BARE_DISPLAY); otherwise openbox runs on it.
start_display() {
  # Xvfb picks a free display number itself and writes it to the pipe, so
  # several test runs side by side never race for one number.
  local fifo n
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  VEXLO_STARTED_PIDS+=($!)
  read -r n <"$fifo"
  rm -f "$fifo"
  for _ in $(seq 1 100); do
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  if [ "${1:-}" = bare ]; then
    export VEXLO_BARE_DISPLAY=":$n"
    reserve_taskbar ":$n"
    return
  fi
  export DISPLAY=":$n"
  # A world whose openbox never came up runs every test without a window manager
  # (each hide then waits 2 s in Wine): try again, and stop if it will not come.
  local log="${TMPDIR:-/tmp}/vexlo-openbox-$n.log" try step wm up=0
  for try in 1 2 3; do
    openbox --sm-disable >>"$log" 2>&1 &
    wm=$!
    VEXLO_STARTED_PIDS+=("$wm")
    for step in $(seq 1 200); do
      kill -0 "$wm" 2>/dev/null || break
      if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then up=1; break; fi
      sleep 0.1
    done
    [ "$up" = 1 ] && break
    echo "openbox did not come up on :$n (try $try, ${step}00 ms; its output: $log)" >&2
    kill "$wm" 2>/dev/null || true
  done
  [ "$up" = 1 ] || { echo "no window manager on :$n" >&2; return 1; }
  # The taskbar's strut counts once openbox manages windows.
  reserve_taskbar ":$n"
}

# The tests' worlds keep 30 pixels at the bottom for a taskbar, so that the
# monitor and its work area differ as on a desktop (Wine reads the work area
# when its programs start). Needs the X input helper (VEXLO_XINPUT).
reserve_taskbar() {
  [ -x "${VEXLO_XINPUT:-}" ] || return 0
  # Wine keeps the work area it read first: no Wine program starts before it
  # is there (a lost race left panels checked under the taskbar).
  local height step helper=
  height=$(DISPLAY=$1 xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[2] }')
  for step in $(seq 1 300); do
    # A helper that is gone took its dock with it: make another.
    if [ -z "$helper" ] || ! kill -0 "$helper" 2>/dev/null; then
      [ -n "$helper" ] && echo "the taskbar helper on $1 ended after ${step}00 ms; starting another" >&2
      printf 't 30\nz\n' | DISPLAY=$1 "$VEXLO_XINPUT" >/dev/null 2>&1 &
      helper=$!
      VEXLO_STARTED_PIDS+=("$helper")
    fi
    DISPLAY=$1 xprop -root _NET_WORKAREA 2>/dev/null | grep -Eq "= 0, 0, [0-9]+, $((height - 30))(,|\$)" && return 0
    sleep 0.1
  done
  echo "the taskbar's 30 pixels were not in the work area on $1 after 30 s:" \
    "$(DISPLAY=$1 xprop -root _NET_WORKAREA 2>&1)" >&2
}

# Creates the prefix if missing: $1 architecture, $2 folder (WINE* set by start_wine).
make_prefix() {
  if [ ! -f "$2/system.reg" ]; then
    WINEPREFIX=$2 "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX=$2 wineserver -w
    # A crash must fail a test, not wait on a dialog.
    WINEPREFIX=$2 "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    WINEPREFIX=$2 wineserver -w
  fi
}

# $1: architecture; $2: prefix folder.
start_wine() {
  local arch=$1
  export WINEPREFIX=$2
  export WINEARCH=$([ "$arch" = i686 ] && echo win32 || echo win64)
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=-all
  export LC_ALL=ru_RU.UTF-8
  export WINELOADER=$(wine_loader "$arch")
  export VEXLO_WINE=$WINELOADER
  make_prefix "$arch" "$WINEPREFIX"
  wineserver -p
  VEXLO_WINESERVER_STARTED=1
}

# A second world for the tests that run without a window manager: its own
# display, prefix, wineserver and keeper. tools/wine-bare.sh runs a program there.
# $1: architecture; $2: prefix folder; $3: the keeper exe. Call after start_wine.
start_bare_world() {
  start_display bare
  export VEXLO_BARE_PREFIX=$2
  make_prefix "$1" "$VEXLO_BARE_PREFIX"
  WINEPREFIX=$VEXLO_BARE_PREFIX wineserver -p
  VEXLO_BARE_STARTED=1
  DISPLAY=$VEXLO_BARE_DISPLAY WINEPREFIX=$VEXLO_BARE_PREFIX "$WINELOADER" "$3" --keep </dev/null >/dev/null 2>&1 &
  VEXLO_STARTED_PIDS+=($!)
  DISPLAY=$VEXLO_BARE_DISPLAY WINEPREFIX=$VEXLO_BARE_PREFIX "$WINELOADER" "$3" --close </dev/null >/dev/null 2>&1 || true
}

# $1: the keeper exe (vexlo_shot.exe). Wine starts its system processes with the
# first program and ends them with the last one; they inherit that program's
# output. Under ctest that output is a pipe, which would then never close, so one
# program that only waits starts them detached and keeps them for the whole run.
start_keeper() {
  "$WINELOADER" "$1" --keep </dev/null >/dev/null 2>&1 &
  VEXLO_STARTED_PIDS+=($!)
  # One short program run to the end, so the system processes are up before ctest.
  "$WINELOADER" "$1" --close </dev/null >/dev/null 2>&1 || true
}

stop_all() {
  if [ -n "${VEXLO_WINESERVER_STARTED:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    VEXLO_WINESERVER_STARTED=
  fi
  if [ -n "${VEXLO_BARE_STARTED:-}" ]; then
    WINEPREFIX=$VEXLO_BARE_PREFIX wineserver -k >/dev/null 2>&1 || true
    VEXLO_BARE_STARTED=
  fi
  local pid
  for pid in "${VEXLO_STARTED_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${VEXLO_STARTED_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  VEXLO_STARTED_PIDS=()
}
