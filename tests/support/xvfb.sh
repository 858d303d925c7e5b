# Sourced by the real-window tests.
#
# start_xvfb WORK [SIZE [XVFB ARGS...]]
#   Starts a private X server (SIZE like 1024x768, default that) on a display
#   that nobody else holds, exports DISPLAY and sets xvfb_pid; the caller's
#   EXIT trap kills $xvfb_pid. Returns non-zero when no server would start; the
#   server's log is WORK/xvfb.log.
#
# A high, random number keeps parallel tests apart, and the lock file that Xvfb
# writes must carry our own server's process id: otherwise the number was
# taken by someone else in the meantime, and we try another.
start_xvfb() {
  local work=$1 size=${2:-1024x768} n
  shift $(($# < 2 ? $# : 2))
  xvfb_pid=""
  for _ in $(seq 20); do
    n=$((200 + RANDOM % 700))
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp "$@" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      if [[ $(tr -d ' \n' </tmp/.X$n-lock 2>/dev/null) == "$xvfb_pid" ]] &&
        DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  return 1
}
