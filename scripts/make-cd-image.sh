#!/usr/bin/env bash
# Makes the CD image the editors send to the pressing plant: ISO 9660 with Rock Ridge (the
# program keeps its run bit) and Joliet, volume name SPIELDEX.
# Usage: make-cd-image.sh <CD folder> <image file>
set -euo pipefail
folder=$1
image=$2
[ -x "$folder/spieldex" ] || { echo "no program in $folder: build first" >&2; exit 1; }
rm -f "$image.part"
# Edit mode's lock file (empty, left by an editor's run) is no part of the CD.
# The Windows program stays off until LIZENZEN covers what it links in.
xorriso -as mkisofs -quiet -r -J -joliet-long -V SPIELDEX -m .spdex_edit.lock -m spieldex.exe -o "$image.part" "$folder"
mv "$image.part" "$image"
