#!/usr/bin/env bash
# Import and export under a real X server, in edit mode: the demo table exported to a TAB
# text file through the real file dialog (its button reached with Tab and pressed with
# Enter), one title marked in the file, the file imported
# back, the program ended; the table file then holds the same rows as before but for the
# marked title.
# Usage (under Xvfb): import_export.sh <demo CD folder> <xshot>
set -uo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
XSHOT=$2
copy_cd "$1"
table="$work/cd/spdex_d.cds"
text="$work/sicherung.txt"
rows() { sqlite3 -list "$table" 'SELECT * FROM records ORDER BY rowid'; } # Null and empty print alike
rows > "$work/before.txt"

# Types a path into the file dialog titled $1 and confirms it.
choose_file() {
  local dialog
  dialog=$(wait_for_window "$1")
  [ -n "$dialog" ] || { fail "no dialog titled '$1'"; return 1; }
  focus_window "$dialog"
  xdotool key ctrl+a
  xdotool type --delay 10 "$2"
  xdotool key Return
}

# Opens the import/export dialog from the table view and presses the keys $@ in it.
press_in_import_export() {
  click_at 429 444 # Import/Export
  local dialog
  dialog=$(wait_for_window "Spieldex: Importieren/Exportieren")
  [ -n "$dialog" ] || { fail "the import/export dialog did not open"; return 1; }
  focus_window "$dialog"
  xdotool key "$@"
}

wait_until_closed() {
  for _ in $(seq 300); do window_shown "$1" || return 0; sleep 0.1; done
  return 1
}

start_window_manager || exit 1
start_program "$work/cd/spieldex" /e || exit 1
click_at 96 392 # Tabelle

press_in_import_export Tab Return && choose_file "Datei exportieren" "$text" # Enter on the focused "Exportieren"
wait_until_closed "Spieldex: Importieren/Exportieren" && [ -s "$text" ] \
  && pass "exported $(($(wc -l < "$text") - 1)) records" || fail "the export did not end with a file"

sed -i '2s/^/Importiert: /' "$text" # proof that the rows come back from the file

press_in_import_export alt+i
warning=$(wait_for_window "Spieldex: Warnung")
if [ -n "$warning" ]; then
  confirm_box "Spieldex: Warnung" # OK is the default
  choose_file "Datei importieren" "$text"
  wait_until_closed "Spieldex: Importieren/Exportieren" && pass "imported the file back" \
    || fail "the import dialog stayed open"
else
  fail "no warning before the import"
fi

click_at 175 436 # Beenden
wait_for_exit
[ "$rc" = 0 ] && pass "Beenden ended the program with exit code 0" || fail "Beenden: exit code $rc"
rows > "$work/after.txt"
[ "$(grep -c '^Importiert: ' "$work/after.txt")" = 1 ] && pass "the marked title came from the file" \
  || fail "the marked title is not in the table"
sed -i 's/^Importiert: //' "$work/after.txt"
if cmp -s "$work/before.txt" "$work/after.txt"; then
  pass "the table file holds the same $(wc -l < "$work/after.txt") rows as before"
else
  fail "the rows differ: $(diff "$work/before.txt" "$work/after.txt" | head -n 4)"
fi
finish
