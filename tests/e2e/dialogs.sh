#!/usr/bin/env bash
# The dialogs under a real X server, driven by keys as a keyboard user would: the title
# search finds a mixed-case title by its lower-case prefix and lights the lamp, Tab and
# Enter press "Löschen"; a game without tips shows the warning, then the tips window (every
# column title drawn, a cut tip whole in its tooltip), which Esc does not close and its
# close picture does; the info dialog's button takes
# Enter.
# Usage (under Xvfb): dialogs.sh <demo CD folder> <xshot>
set -uo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
XSHOT=$2
copy_cd "$1"
# A game of its own, written in mixed case, found only by its prefix, with both badges and no tips.
sqlite3 "$work/cd/spdex_d.cds" \
  "INSERT INTO records (TITEL, AUSGABE, WERTUNG, EXTRAS, ZUSATZCD) VALUES ('Zz Testspiel', 'Nr. 1999-09', 90, 'GA', 'Ja')"

start_window_manager || exit 1
start_program "$work/cd/spieldex" || exit 1

lamp_before=$(region_sum 19 328 154 40)
badges_before=$(region_sum 352 402 272 62)
lamp_lit() { [ "$(region_sum 19 328 154 40)" != "$lamp_before" ]; }
lamp_dark() { [ "$(region_sum 19 328 154 40)" = "$lamp_before" ]; }
badges_changed() { [ "$(region_sum 352 402 272 62)" != "$badges_before" ]; }

click_at 96 348 # Suchen
search=$(wait_for_window "Spieldex: Suchen")
if [ -z "$search" ]; then
  fail "the search dialog did not open"
else
  focus_window "$search"
  xdotool type --delay 30 "zz"
  xdotool key Return
  stays "Spieldex: Suchen" && pass "Enter searched and left the dialog open" || fail "Enter closed the dialog"
  xdotool key Escape
  eventually window_gone "Spieldex: Suchen" && pass "Esc closed the search dialog" || fail "Esc did not close the search dialog"
fi
# The dialog covers the lamp: it is looked at once the dialog has gone.
eventually lamp_lit && pass "the lamp on the search button is lit" || fail "the search button did not change"
eventually badges_changed && pass "the lower-case prefix found the mixed-case title" \
  || fail "no badges for the found game"

click_at 254 348 # Tipps: the found game has none
warning=$(wait_for_window "Spieldex: Keine Tips gefunden")
if [ -n "$warning" ]; then
  pass "a game without tips shows the warning"
  confirm_box "Spieldex: Keine Tips gefunden"
else
  fail "no warning for a game without tips"
fi
tips=$(wait_for_window "FormTips")
if [ -n "$tips" ]; then
  pass "the tips window opened after the warning"
  focus_window "$tips"
  hint_title() { "$XSHOT" "$tips" --count 255 255 255 310 16 150 20; } # the last column's title, in white
  [ "$(hint_title)" -gt 20 ] && pass "the Hinweis title is drawn" || fail "the Hinweis title is blank"
  eval "$(xdotool getwindowgeometry --shell "$tips")"
  tooltip() { [ "$("$XSHOT" root --count 255 255 220 0 0 1024 768)" -gt 2000 ]; }
  xdotool mousemove $((X + 380)) $((Y + 44)) sleep 0.2 mousemove $((X + 384)) $((Y + 45)) # a cut tip
  eventually tooltip && pass "a cut tip shows whole in a tooltip" || fail "no tooltip over a cut tip"
  xdotool key Escape # in the grid, which has the focus
  xdotool mousemove $((X + 60)) $((Y + 340)) click 1 # on the window's own surface
  xdotool key Escape
  stays "FormTips" && pass "Esc did not close the tips window" || fail "Esc closed the tips window"
  xdotool mousemove $((X + 383)) $((Y + 320)) click 1 # its close picture
  eventually window_gone "FormTips" && pass "the close picture closed the tips window" \
    || fail "the close picture did not close the tips window"
else
  fail "the tips window did not open"
fi

click_at 96 348 # Suchen again: Tab to "Löschen", Enter presses it
search=$(wait_for_window "Spieldex: Suchen")
if [ -n "$search" ]; then
  focus_window "$search"
  xdotool key Tab Tab Return
  stays "Spieldex: Suchen" && pass "Enter on the focused Löschen left the dialog open" \
    || fail "Enter on Löschen closed the dialog"
  xdotool key Escape
  eventually window_gone "Spieldex: Suchen" || fail "Esc did not close the search dialog"
  eventually lamp_dark && pass "Enter on Löschen cleared the search: the lamp is off" \
    || fail "the lamp is still lit after Enter on Löschen"
else
  fail "the search dialog did not open again"
fi

click_at 254 392 # Info
info=$(wait_for_window "Spieldex: Info")
if [ -n "$info" ]; then
  pass "the info dialog opened"
  focus_window "$info"
  xdotool key Tab Return # from the text to "Schließen"
  eventually window_gone "Spieldex: Info" && pass "Enter on the focused Schließen closed the info dialog" \
    || fail "Enter on the focused Schließen did not close the info dialog"
else
  fail "the info dialog did not open"
fi
click_at 254 392 # Info, closed by Esc
info=$(wait_for_window "Spieldex: Info")
if [ -n "$info" ]; then
  focus_window "$info"
  xdotool key Escape
  eventually window_gone "Spieldex: Info" && pass "Esc closed the info dialog" || fail "Esc did not close the info dialog"
else
  fail "the info dialog did not open a second time"
fi

click_at 175 436 # Beenden
wait_for_exit
[ "$rc" = 0 ] && pass "Beenden ended the program with exit code 0" || fail "Beenden: exit code $rc"
finish
