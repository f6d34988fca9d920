# Shared pieces of the real-window tests: a window manager, the program, pointer and
# keyboard through the X server (XTest), pictures of the window. Source it under Xvfb.

failures=0
: "${SPIELDEX_TITLE:?the application title, from the build}"
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
finish() { [ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }; }

# A copy of the CD folder $1 in $work/cd, so that nothing the test does reaches the build's
# own; the copy and the window manager go when the test ends.
copy_cd() {
  work=$(mktemp -d)
  trap 'kill "${wm_pid:-}" 2>/dev/null; rm -rf "$work"' EXIT
  cp -r "$1" "$work/cd"
}

# A window manager, so that minimising and focus behave as on a desktop.
start_window_manager() {
  local log=${work:-/tmp}/openbox.log
  openbox --sm-disable >"$log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "the window manager did not start on $DISPLAY: $(tail -n 3 "$log" 2>/dev/null)" >&2
  return 1
}

# Starts the program ($@) in the background and waits for its main window.
start_program() {
  "$@" &
  program_pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$SPIELDEX_TITLE\$" | head -n 1) || true
  [ -n "$window" ] || { echo "the main window did not appear" >&2; return 1; }
  eventually window_drawn || { echo "the main window was never drawn" >&2; return 1; }
}

# True once the program has drawn its window: a window not yet drawn shows the screen's
# black, a drawn page only a little of it.
window_drawn() {
  [ "$("$XSHOT" "$window" --count 0 0 0 0 0 640 480)" -lt 150000 ]
}

# Sets X and Y to the window's position on the screen.
window_position() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

# Clicks with the left button at a point of the window (client coordinates). The program
# takes events in the order they come, so what follows waits for the click's effect, not
# for a time.
click_at() {
  window_position
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
}

# How many pixels of colour R G B lie in the rectangle X Y W H of the window.
count_colour() {
  "$XSHOT" "$window" --count "$@"
}

# A checksum of the rectangle X Y W H of the window, to see whether it changed.
region_sum() {
  "$XSHOT" "$window" --sum "$@"
}

# Waits for a visible window whose title is exactly $1; prints its id (empty if none came).
wait_for_window() {
  timeout "${2:-30}" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# Runs the check $@ until it holds, for ten seconds at the most: the program's state is
# waited for, not a fixed time. False if it never held.
eventually() {
  for _ in $(seq 50); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# Gives the window $1 the keyboard, and waits until the X server has given it: the keys
# that follow come after the focus in the program's queue.
focus_window() {
  xdotool windowfocus --sync "$1"
  has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
  eventually has_focus "$1"
}

# Presses Return in the message box titled $1, whose default button then acts. Under load
# a key can come before the box takes the keyboard and is lost: while the box is still
# there two seconds later, it is pressed again. False if the box never went.
confirm_box() {
  local box
  for _ in 1 2 3; do
    box=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$box" ] || return 0
    focus_window "$box"
    xdotool key Return
    for _ in $(seq 10); do window_shown "$1" || return 0; sleep 0.2; done
  done
  return 1
}

# True while a visible window titled exactly $1 exists. A search can fail when some other
# window goes away under it, so a miss is asked again before it counts.
window_shown() {
  for _ in 1 2 3; do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

window_gone() { ! window_shown "$1"; }

# True while the window titled $1 stays for half a second. What must not happen leaves no
# state to wait for: the window is watched for a while instead.
stays() {
  for _ in $(seq 5); do window_shown "$1" || return 1; sleep 0.1; done
}

# Waits for the program to end; sets rc to its exit code (or "hung"). Not to be called in
# $(...): a subshell cannot wait for the program, and bash then reports a made-up status.
wait_for_exit() {
  if timeout 20 tail --pid="$program_pid" -f /dev/null; then
    rc=0
    wait "$program_pid" || rc=$?
  else
    kill -9 "$program_pid" 2>/dev/null
    rc=hung
  fi
}
