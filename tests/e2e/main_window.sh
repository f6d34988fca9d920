#!/usr/bin/env bash
# The main window under a real X server and window manager, driven by real pointer and key
# events: the keys, the two views, the drag, minimising, and "Beenden" ending with exit code 0.
# Usage (under Xvfb): main_window.sh <demo CD folder> <xshot>
set -uo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
XSHOT=$2
copy_cd "$1"
table="$work/cd/spdex_d.cds"
before=$(stat -c '%Y %s %i' "$table")

start_window_manager || exit 1
start_program "$work/cd/spieldex" || exit 1

maroon() { count_colour 128 0 0 20 40 580 250; } # the grid's background
page_shown() { [ "$(maroon)" -lt 1000 ]; }
grid_shown() { [ "$(maroon)" -gt 30000 ]; }
eventually page_shown && pass "starts in the detail view" || fail "the detail view shows the grid"

# Keys, without a click first: the arrows' moves, the ends of the order, no wrap-around.
page() { region_sum 340 10 290 330; } # title, facts and ratings
is_page() { [ "$(page)" = "$1" ]; }
not_page() { [ "$(page)" != "$1" ]; }
keeps_page() { for _ in $(seq 5); do is_page "$1" || return 1; sleep 0.1; done; }
key_moves() { # key, check, page, what
  xdotool key "$1"
  if eventually "$2" "$3"; then pass "$4"; else fail "$4"; fi
}
focus_window "$window"
first=$(page)
key_moves Right not_page "$first" "Right shows the next game"
second=$(page)
key_moves Left is_page "$first" "Left shows the first game again"
key_moves Next is_page "$second" "Page Down moves as Right"
key_moves Prior is_page "$first" "Page Up moves as Left"
xdotool key Left
keeps_page "$first" && pass "Left on the first game keeps it" || fail "Left on the first game moved"
key_moves End not_page "$first" "End shows the last game"
last=$(page)
xdotool key Right
keeps_page "$last" && pass "Right on the last game keeps it" || fail "Right on the last game moved"
key_moves Home is_page "$first" "Home shows the first game"

click_at 96 392 # Tabelle
eventually grid_shown && pass "Tabelle shows the grid" || fail "Tabelle did not show the grid ($(maroon) maroon pixels)"
xdotool key Down # the grid has the keyboard without a click
click_at 96 392 # Hauptansicht, in the same place
eventually page_shown && pass "Hauptansicht shows the page again" || fail "Hauptansicht did not hide the grid"
on_second() { is_page "$second" && not_page "$first"; }
eventually on_second && pass "Down in the grid moved to the second game" \
  || fail "Down in the table view did not reach the grid"
key_moves Right not_page "$second" "back in the detail view, the window takes the keys again"

window_position
x0=$X y0=$Y
xdotool mousemove $((x0 + 600)) $((y0 + 300)) mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove $((x0 + 600 + 10 * step)) $((y0 + 300 + 15 * step / 2))
done
xdotool mousemove $((x0 + 640)) $((y0 + 330)) mouseup 1
moved_by_the_drag() { window_position; [ "$X" -eq $((x0 + 40)) ] && [ "$Y" -eq $((y0 + 30)) ]; }
if eventually moved_by_the_drag; then
  pass "dragging the page by (40, 30) moved the window by (40, 30)"
else
  fail "the window moved from ($x0, $y0) to ($X, $Y) instead of by (40, 30)"
fi

click_at 625 15 # minimise
minimised() { xprop -id "$window" WM_STATE 2>/dev/null | grep -q Iconic; }
if eventually minimised; then
  pass "the minus button minimised the window"
else
  fail "the window is not minimised: $(xprop -id "$window" WM_STATE 2>&1 | tail -n 1)"
fi
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowmap --sync "$window"
shown_again() { ! minimised && window_drawn; }
eventually shown_again || fail "the window did not come back from the task bar"

click_at 175 436 # Beenden
wait_for_exit
[ "$rc" = 0 ] && pass "Beenden ended the program with exit code 0" || fail "Beenden: exit code $rc"
[ "$(stat -c '%Y %s %i' "$table")" = "$before" ] && pass "the game table was not written" \
  || fail "normal mode wrote the game table"
finish
