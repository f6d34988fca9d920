#!/usr/bin/env bash
# The Windows program under Wine beside the Linux program, on one copy of the demo CD: both
# open on the same game, and its screenshot, the overall rating's bar and the badges are the
# same pixels in both (texts may differ by the systems' font rendering); Right and End move
# both alike; "Beenden" ends the Windows program.
# Usage (under Xvfb): first_page.sh <CD folder with spieldex and spieldex.exe> <xshot> <wine-run.sh>
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
XSHOT=$2
wine_run=$3
[ -f "$1/spieldex.exe" ] || { echo "SKIPPED: no spieldex.exe in $1: build it with make windows"; exit 77; }
[ -x /usr/lib/wine/wine64 ] || { echo "SKIPPED: Wine (wine64) is not installed"; exit 77; }
copy_cd "$1"
start_window_manager || exit 1

# The regions that are pictures, not text: screenshot, overall bar, both badge places.
pictures() {
  echo "$(region_sum 16 16 320 240) $(region_sum 454 342 160 19) $(region_sum 547 402 77 62) $(region_sum 352 402 62 62)"
}
# The pictures of the first game, the next one and the last one, then the program is ended.
walk() {
  focus_window "$window"
  eventually window_drawn
  sleep 0.5
  pictures
  xdotool key Right
  sleep 1
  pictures
  xdotool key End
  sleep 1
  pictures
  click_at 170 436 # "Beenden"
}

start_program "$work/cd/spieldex" || exit 1
linux=$(walk)
wait_for_exit; [ "$rc" = 0 ] || fail "the Linux program did not end: $rc"

start_program "$wine_run" "$work/cd/spieldex.exe" || exit 1
windows=$(walk)
wait_for_exit; [ "$rc" = 0 ] && pass "\"Beenden\" ends the Windows program" || fail "the Windows program did not end: $rc"

names=("first game" "next game (Right)" "last game (End)")
for i in 0 1 2; do
  l=$(sed -n "$((i + 1))p" <<<"$linux")
  w=$(sed -n "$((i + 1))p" <<<"$windows")
  if [ -n "$l" ] && [ "$l" = "$w" ]; then pass "${names[$i]}: the same pictures"; else fail "${names[$i]}: linux [$l] windows [$w]"; fi
done
[ "$(sed -n 1p <<<"$linux")" != "$(sed -n 2p <<<"$linux")" ] || fail "Right changed nothing, so nothing was compared"
finish
