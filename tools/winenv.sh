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
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  openbox --sm-disable >/dev/null 2>&1 &
  VEXLO_STARTED_PIDS+=($!)
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
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # A crash must fail a test, not wait on a dialog.
    "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w
  fi
  wineserver -p
  VEXLO_WINESERVER_STARTED=1
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
  local pid
  for pid in "${VEXLO_STARTED_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${VEXLO_STARTED_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  VEXLO_STARTED_PIDS=()
}
