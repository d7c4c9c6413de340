# Sourced by the test worlds' runners: runs a Windows program under Wine and,
# when it ends in a way no test ends (neither passed nor failed), says how and
# after how long, and whether the display still answered: a process that Wine
# could not start at all leaves no output of its own.
run_wine() {
  local start=$(date +%s%N) rc
  "$VEXLO_WINE" "$@"
  rc=$?
  if [ "$rc" != 0 ] && [ "$rc" != 1 ]; then
    local display=answers
    xdpyinfo >/dev/null 2>&1 || display="did not answer"
    echo "wine: $(basename "$1") ended with exit status $rc after $(( ($(date +%s%N) - start) / 1000000 )) ms;" \
      "display $DISPLAY $display" >&2
  fi
  return "$rc"
}
