# shellcheck shell=bash
# Sourced by the real-window tests and by scripts/test-windows.sh.
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
#
# -noreset: by default the server resets itself whenever its last client
# disconnects. The readiness probe below is such a client, so without it the
# program under test could connect while the server is resetting and be turned
# away ("could not connect to display"), which Qt answers with an abort.
start_xvfb() {
  local work=$1 size=${2:-1024x768} n
  shift $(($# < 2 ? $# : 2))
  xvfb_pid=""
  for _ in $(seq 20); do
    n=$((200 + RANDOM % 700))
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset "$@" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      if [[ $(tr -d ' \n' 2>/dev/null </tmp/.X$n-lock) == "$xvfb_pid" ]] &&
        DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  return 1
}

# wait_until SECONDS COMMAND [ARGS...]
#   Runs COMMAND (quietly) every 50 ms until it succeeds; returns 1 when it has
#   not succeeded within SECONDS (a whole number).
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  while true; do
    "$@" >/dev/null 2>&1 && return 0
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# report_program NAME PID LOG
#   For a failing test: says whether the program under test still runs or how
#   it ended, then prints everything it wrote (LOG), each line marked with NAME.
#   Call it before anything removes LOG.
report_program() {
  local name=$1 pid=$2 log=$3 status=0
  if [[ -z $pid ]]; then
    echo "  $name: not started or already reaped" >&2
  elif kill -0 "$pid" 2>/dev/null; then
    echo "  $name: still running (pid $pid)" >&2
  else
    wait "$pid" 2>/dev/null || status=$?
    if ((status > 128)); then
      echo "  $name: ended by signal $((status - 128)) ($(kill -l $((status - 128)) 2>/dev/null))" >&2
    else
      echo "  $name: exited with status $status" >&2
    fi
  fi
  if [[ -s $log ]]; then
    echo "  $name: its output:" >&2
    sed "s/^/  $name| /" "$log" >&2
  else
    echo "  $name: wrote nothing" >&2
  fi
}

# report_windows
#   For a failing test: lists the visible windows of the private display.
report_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    echo "  visible window $id '$(xdotool getwindowname "$id" 2>/dev/null)'" \
      "$(xdotool getwindowgeometry "$id" 2>/dev/null | tr '\n' ' ')" >&2
  done
}

# settled_screenshot FILE [SECONDS]
#   Saves the screen to FILE once it has stopped changing: three grabs in a
#   row, 100 ms apart, show the same pixels (a window that was just uncovered
#   repaints after a moment). Gives up waiting after SECONDS (default 5) and
#   saves what is there. Does nothing without ImageMagick's import.
settled_screenshot() {
  local file=$1 deadline=$((SECONDS + ${2:-5})) previous="" current same=0
  command -v import >/dev/null || return 0
  while ((SECONDS < deadline && same < 2)); do
    current=$(import -window root rgb:- 2>/dev/null | md5sum)
    if [[ $current == "$previous" ]]; then same=$((same + 1)); else same=0; fi
    previous=$current
    ((same < 2)) && sleep 0.1
  done
  import -window root "$file" 2>/dev/null || true
}

# need_tools TOOL...
#   Ends the test as skipped (exit 77) when one of the tools is not installed.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

# window_test_setup NAME [FAILURE_SHOT]
#   The frame of a real-window test of the program NAME: makes the work folder
#   $work, sets an EXIT trap that ends the program ($app_pid) and the server
#   and removes the folder, and defines `fail MESSAGE`, which prints MESSAGE,
#   the visible windows, how the program ended and everything it wrote
#   ($work/NAME.log), saves the screen to FAILURE_SHOT when one is given, and
#   exits 1. A test still running after WINDOW_TEST_BUDGET seconds (default 150)
#   fails that way too, so that it reports before the test runner's own timeout
#   (set above the budget) kills it without a word.
window_test_setup() {
  test_program=$1
  failure_shot=${2:-}
  work=$(mktemp -d "/tmp/$test_program-xvfb.XXXXXX")
  xvfb_pid=""
  app_pid=""
  trap window_test_cleanup EXIT
  window_test_budget=${WINDOW_TEST_BUDGET:-150}
  trap 'fail "the test was still running after $window_test_budget s"' USR1
  # Its output goes nowhere: an open pipe would keep the runner waiting for it.
  (sleep "$window_test_budget" && kill -USR1 $$) >/dev/null 2>&1 &
  watchdog_pid=$!
}

window_test_cleanup() {
  local pid
  pkill -P "$watchdog_pid" 2>/dev/null || true
  kill "$watchdog_pid" 2>/dev/null || true
  for pid in $app_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}

fail() {
  echo "FAIL: $*" >&2
  report_windows
  if [[ -n $failure_shot ]] && command -v import >/dev/null; then
    import -window root "$failure_shot" 2>/dev/null || true
  fi
  report_program "$test_program" "$app_pid" "$work/$test_program.log"
  app_pid=""
  exit 1
}

# answer_qt_dialog DIALOG TEXT KEY
#   Gives the dialog window DIALOG the keyboard (there is no window manager to do it), types TEXT
#   into its name box and presses KEY (Return, or the accept button's Alt key) until DIALOG is no
#   longer shown. Under load the name box's completer can still be open when the first key comes;
#   the popup takes that key. In a folder dialog a Return taken that way opens the typed folder
#   instead of choosing it, which is why those dialogs are answered with Alt+C ("&Choose"), which
#   chooses the folder typed or, once inside it, the folder shown. Returns 1 when DIALOG never
#   took the keyboard or stays shown.
answer_qt_dialog() {
  local dialog=$1 text=$2 key=$3 try
  dialog_hidden() { ! xdotool search --onlyvisible --name '' | grep -qx "$dialog"; }
  dialog_focused() {
    xdotool windowfocus --sync "$dialog" && [[ $(xdotool getwindowfocus) == "$dialog" ]]
  }
  wait_until 20 dialog_focused || return 1
  xdotool type --delay 5 "$text"
  for try in $(seq 1 10); do
    xdotool key "$key"
    wait_until 2 dialog_hidden && return 0
    dialog_focused || break
  done
  wait_until 10 dialog_hidden
}

# wait_main_window TITLE
#   Waits up to 20 s for the program under test ($app_pid) to show its main window, titled
#   exactly TITLE, and fails when it does not or the program ends first. Sets main (the window),
#   left and top (its place on the screen).
wait_main_window() {
  local title=$1
  find_main() { xdotool search --onlyvisible --name "^$title\$" | head -n1 | grep .; }
  app_ended() { ! kill -0 "$app_pid"; }
  shown_or_ended() { find_main || app_ended; }
  wait_until 20 shown_or_ended && main=$(find_main) || fail "the $title window did not appear"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  left=$X
  top=$Y
}

# move_to X Y, click_at X Y: the pointer to (X, Y) inside the main window; a click there.
move_to() { xdotool mousemove --sync $((left + $1)) $((top + $2)); }
click_at() { move_to "$1" "$2" && xdotool click 1; }

# answer_next_dialog TEXT KEY
#   Waits for a dialog of the program under test to open over its main window ($main), answers it
#   with answer_qt_dialog, and waits until the main window is the program's only one again.
answer_next_dialog() {
  local dialog
  app_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
  beside_main() { [[ $(app_windows) -gt 1 ]]; }
  main_alone() { [[ $(app_windows) -eq 1 ]]; }
  wait_until 20 beside_main || fail "no dialog opened for: $1"
  dialog=$(xdotool search --onlyvisible --pid "$app_pid" | grep -vx "$main" | tail -n1)
  answer_qt_dialog "$dialog" "$1" "$2" || fail "the dialog did not take or did not close for: $1"
  wait_until 20 main_alone || fail "the dialog did not close for: $1"
}

# close_main_window NAME
#   Clicks the close picture (imgClose) of the program NAME: it must fade out and end with 0.
close_main_window() {
  click_at $((384 + 12)) $((28 + 11))
  wait_until 10 app_ended || fail "$1 did not end after the close click"
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status -eq 0 ]] || fail "$1 exited with $status"
}
