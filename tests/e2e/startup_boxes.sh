#!/usr/bin/env bash
# Start-up under a real X server: the two refusal boxes appear under their titles, no
# main window follows, and the program ends with 0 once the box is confirmed.
# Usage (under Xvfb): startup_boxes.sh <spieldex executable>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Starts the program, waits for a window titled $1, presses Enter on it, and checks the
# exit code and that no main window was ever shown.
expect_box() {
  local title=$1; shift
  "$@" &
  local pid=$!
  local box
  box=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1) || true
  if [ -z "$box" ]; then
    fail "no box titled '$title'"
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    return
  fi
  if xdotool search --onlyvisible --name "^$SPIELDEX_TITLE\$" >/dev/null 2>&1; then
    fail "a main window opened behind '$title'"
  fi
  xdotool windowfocus --sync "$box" # no window manager: focus it ourselves
  xdotool key Return
  local rc=0
  timeout 20 tail --pid="$pid" -f /dev/null || fail "'$title' did not end the program"
  wait "$pid" || rc=$?
  [ "$rc" -eq 0 ] || fail "exit code $rc after '$title'"
  pass "'$title' shown, program ended with $rc"
}

# A program path of 256 characters.
long="$work/$(printf 'v%.0s' $(seq 1 100))/$(printf 'w%.0s' $(seq 1 100))"
mkdir -p "$long"
name_length=$((255 - ${#long}))
name=$(printf 's%.0s' $(seq 1 "$name_length"))
cp "$program" "$long/$name"
[ $(( ${#long} + 1 + ${#name} )) -eq 256 ] || { echo "test setup: path is not 256 characters"; exit 1; }
expect_box "Spieldex: Kommandozeile zu lang" "$long/$name"

# Edit mode without a game table to make writable.
mkdir -p "$work/ohne"
cp "$program" "$work/ohne/spieldex"
expect_box "Spieldex: Edit-Modus nicht ausführbar" "$work/ohne/spieldex" /e

finish
