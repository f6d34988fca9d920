#!/usr/bin/env bash
# Two editors on one folder under a real X server: the second is told the folder is taken
# and only reads; the first ends while the second's box waits and takes its lock file with
# it; a killed editor's lock file is taken over by the next one and removed when that one
# ends. After each clean end the folder holds what it held before, tables apart.
# Usage (under Xvfb): edit_lock.sh <demo CD folder> <xshot>
set -uo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
XSHOT=$2
copy_cd "$1"
folder=$work/cd
lock=$folder/.spdex_edit.lock
busy="Spieldex: Edit-Modus bereits aktiv"
# Every name in the folder, and the bytes of every file but the two tables.
listing() {
  (cd "$folder" && find . | sort && find . -type f ! -name 'spdex_[dt].cds' -exec md5sum {} + | sort)
}
same_as_before() {
  if [ "$(listing)" = "$before" ]; then
    pass "$1: the folder holds what it held before"
  else
    fail "$1: the folder changed: $(diff <(echo "$before") <(listing) | head -n 5 | tr '\n' ' ')"
  fi
}
before=$(listing)

start_window_manager || exit 1
start_program "$folder/spieldex" /e || exit 1
[ -e "$lock" ] && pass "the first editor holds the lock file" || fail "the first editor made no lock file"
"$folder/spieldex" /e &
second_pid=$!
[ -n "$(wait_for_window "$busy")" ] && pass "a second editor is told the folder is taken" \
  || fail "a second editor was not told"

click_at 175 436 # Beenden of the first, while the second's box waits
wait_for_exit
[ "$rc" = 0 ] && pass "the first editor ended with 0" || fail "the first editor: exit code $rc"
[ ! -e "$lock" ] && pass "the first editor removed its lock file" || fail "the first editor left its lock file"

confirm_box "$busy" || fail "the box of the second editor did not go"
program_pid=$second_pid
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$SPIELDEX_TITLE\$" | head -n 1)
if [ -n "$window" ] && eventually window_drawn; then
  pass "the second runs as a reader"
  [ ! -e "$lock" ] && pass "a reader makes no lock file" || fail "the reader made a lock file"
  click_at 175 436
fi
wait_for_exit
[ "$rc" = 0 ] || fail "the second: exit code $rc"
same_as_before "after two editors"

start_program "$folder/spieldex" /e || exit 1
kill -9 "$program_pid"
wait "$program_pid" 2>/dev/null
[ -e "$lock" ] && pass "a killed editor leaves its lock file" || fail "the killed editor's lock file is gone"
if start_program "$folder/spieldex" /e && window_gone "$busy"; then
  pass "the next editor takes over the killed one's lock file"
else
  fail "the killed editor's lock file still bars edit mode"
fi
click_at 175 436
wait_for_exit
[ "$rc" = 0 ] || fail "the editor after the killed one: exit code $rc"
same_as_before "after a killed editor and the next"
finish
