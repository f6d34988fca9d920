#!/usr/bin/env bash
# The CD's LIZENZEN folder: its index names every file the CD takes from other authors (the
# libraries, the platform plugin, Qt's translations, the fonts), each with a version, a
# licence and a notice file that is there; Qt's licence texts and its source notice are there.
# And the layout refuses a file that belongs to no package, as it must refuse a library
# without a notice.
# Usage: licences.sh <CD folder> <source folder>
set -uo pipefail
cd_folder=$1
source_folder=$2
index=$cd_folder/LIZENZEN/UEBERSICHT.txt

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -s "$index" ] || { echo "FAIL: no index $index"; exit 1; }
carried=$(cd "$cd_folder" && ls lib/* plugins/platforms/* translations/*.qm fonts/*.ttf)
[ "$(echo "$carried" | wc -l)" -gt 40 ] || fail "the CD folder carries too little to be the real one"
named=$(sed -n 's/^  Dateien: *//p' "$index" | tr ',' '\n' | tr -d ' ')
for file in $carried; do
  grep -qxF "$file" <<<"$named" || fail "the index does not name $file"
done

# Every package block has all four lines, and its notice file is on the CD and not empty.
blocks=$(grep -cE '^[a-z0-9][a-z0-9.+-]+, Version [0-9]' "$index")
for label in Dateien Lizenz Hinweise Quelltext; do
  [ "$(grep -cE "^  $label: +[^ ]" "$index")" = "$blocks" ] || fail "not every package has its $label line"
done
for notice in $(sed -n 's/^  Hinweise: *//p' "$index" | sort -u); do
  [ -s "$cd_folder/LIZENZEN/$notice" ] || fail "the notice $notice is missing"
done

for text in LGPL-3.txt GPL-3.txt; do
  grep -q "GNU" "$cd_folder/LIZENZEN/$text" 2>/dev/null || fail "Qt's licence text $text is missing"
done
grep -q "apt-get source qt6-base=" "$index" || fail "the index does not say how to get Qt's source"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo stray >"$work/stray.so"
if out=$(cmake -DCD="$work/cd" "-Dcarried_files=$work/stray.so|lib/stray.so" \
    -P "$source_folder/cmake/CdLicences.cmake" 2>&1); then
  fail "a file of no package was laid out without a notice"
elif ! tr -s ' \n' ' ' <<<"$out" | grep -q "belongs to no Debian package"; then
  fail "the refusal does not name the reason: $out"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "ok: $blocks packages, every carried file named with its notice"
