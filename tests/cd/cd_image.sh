#!/usr/bin/env bash
# The CD image as a reader's machine sees it. Two checks, run as root under Xvfb:
#   loop      the image mounts read-only through a loop device, the program keeps its run
#             bit and the CD's files are all there;
#   isolated  the program runs from the image's files on a read-only mount, in a mount
#             namespace where the system's Qt libraries, Qt plugins and fonts are hidden:
#             its main window shows, its first page is pixel for pixel the page the same
#             CD draws on the full system, and every library it loads from outside the CD
#             is one a base desktop system provides.
# Where root, a loop device or a mount namespace is not to be had, the check says why and
# ends with 77, which CTest reports as skipped.
# Usage: cd_image.sh loop|isolated <CD folder> <xshot> <base-system list>
set -uo pipefail
mode=$1
cd_folder=$(cd "$2" && pwd)
XSHOT=$3
base_list=$4
here=$(cd "$(dirname "$0")" && pwd)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
skip() { echo "SKIPPED: $*"; exit 77; }

[ "$(id -u)" = 0 ] || skip "needs root for a loop device and a mount namespace"
work=$(mktemp -d)
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  mountpoint -q "$work/cd" && umount -l "$work/cd"
  rm -rf "$work"
}
trap cleanup EXIT

"$here/../../scripts/make-cd-image.sh" "$cd_folder" "$work/spieldex-cd.iso" || { echo "FAIL: no image"; exit 1; }
mkdir "$work/cd"

# The image read-only through a loop device; where the kernel cannot, its files taken out
# of the image by xorriso, on a read-only bind mount.
mounted_by_loop() {
  mount -o loop,ro -t iso9660 "$work/spieldex-cd.iso" "$work/cd" 2>"$work/mount.err"
}
if [ "$mode" = loop ]; then
  mounted_by_loop || skip "the image cannot be mounted through a loop device here: $(head -n 1 "$work/mount.err")"
  [ -x "$work/cd/spieldex" ] && pass "the program keeps its run bit" || fail "the program lost its run bit"
  missing=$(cd "$cd_folder" && find . -type f | while read -r f; do [ -f "$work/cd/$f" ] || echo "$f"; done | head -n 3)
  [ -z "$missing" ] && pass "every file of the CD folder is on the image" || fail "missing on the image: $missing"
  touch "$work/cd/x" 2>/dev/null && fail "the image is writable" || pass "the image is read-only"
  [ "$failures" -eq 0 ] || exit 1
  exit 0
fi

unshare -m true 2>/dev/null || skip "no mount namespace can be made here"
if mounted_by_loop; then
  pass "the image is mounted through a loop device"
else
  echo "note: no loop mount of ISO 9660 here ($(head -n 1 "$work/mount.err")); the image's files are taken out by xorriso"
  xorriso -osirrox on -indev "$work/spieldex-cd.iso" -extract / "$work/files" >/dev/null 2>&1 \
    || { echo "FAIL: xorriso could not read the image"; exit 1; }
  mount --bind "$work/files" "$work/cd" && mount -o remount,bind,ro "$work/cd" \
    || skip "no read-only bind mount can be made here"
fi

# Waits for the main window of process $1; prints its window id.
main_window_of() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --pid "$1" --name "^$SPIELDEX_TITLE\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Takes a picture of window $1 into $2 once the program has drawn it: not the screen's black
# of a window not yet drawn, and the same picture twice in a row.
settled_shot() {
  local previous="$work/previous.png"
  rm -f "$previous"
  for _ in $(seq 50); do
    "$XSHOT" "$1" "$2"
    if [ "$("$XSHOT" "$1" --count 0 0 0 0 0 640 480)" -lt 150000 ] && [ -f "$previous" ] && cmp -s "$previous" "$2"; then
      return 0
    fi
    cp "$2" "$previous"
    sleep 0.1
  done
  return 1
}

# The reference: the CD folder of the build on the full system.
(cd / && exec "$cd_folder/spieldex") >/dev/null 2>&1 &
pid=$!
window=$(main_window_of "$pid") || { echo "FAIL: the CD folder's program showed no window"; exit 1; }
settled_shot "$window" "$work/reference.png" || { echo "FAIL: the CD folder's program never drew its page"; exit 1; }
kill "$pid"; wait "$pid" 2>/dev/null; pid=

# The same CD with the system's Qt, its plugins and every font hidden.
qt_libraries=$(ls /usr/lib/x86_64-linux-gnu/libQt6*.so* /usr/lib/libQt6*.so* 2>/dev/null)
qt_plugins=$(ls -d /usr/lib/x86_64-linux-gnu/qt6/plugins /usr/lib/qt6/plugins 2>/dev/null)
font_folders=$(ls -d /usr/share/fonts /usr/local/share/fonts /var/cache/fontconfig \
  "${HOME:-/root}/.fonts" "${HOME:-/root}/.local/share/fonts" "${HOME:-/root}/.cache/fontconfig" 2>/dev/null)
[ -n "$qt_libraries" ] || echo "note: the system has no Qt libraries to hide"
export QT_LIBRARIES="$qt_libraries" HIDDEN_FOLDERS="$qt_plugins $font_folders" PROGRAM="$work/cd/spieldex"
unshare -m --propagation private bash -c '
  for library in $QT_LIBRARIES; do mount --bind /dev/null "$library" || exit 3; done
  for folder in $HIDDEN_FOLDERS; do mount -t tmpfs -o ro,size=4k empty "$folder" || exit 3; done
  cd / && exec "$PROGRAM"
' >"$work/isolated.log" 2>&1 &
pid=$!
window=$(main_window_of "$pid")
if [ -z "$window" ]; then
  fail "the program on the image showed no window without the system's Qt and fonts: $(head -n 3 "$work/isolated.log")"
  exit 1
fi
pass "the program on the image shows its main window without the system's Qt libraries, plugins and fonts"
settled_shot "$window" "$work/isolated.png" || fail "the program on the image never drew its page"
if cmp -s "$work/reference.png" "$work/isolated.png"; then
  pass "its first page is pixel for pixel the page drawn on the full system"
else
  fail "its first page differs from the page drawn on the full system"
  cp "$work/reference.png" "$work/isolated.png" "${TMPDIR:-/tmp}/" 2>/dev/null
fi

# What it loaded: from the CD, or from the base system.
program_pid=$(pgrep -P "$pid" -x spieldex || echo "$pid")
loaded=$(awk '$6 ~ /\.so/ {print $6}' "/proc/$program_pid/maps" | sort -u)
from_cd=$(grep -c "^$work/cd/" <<<"$loaded")
outside=$(grep -v "^$work/cd/" <<<"$loaded" | grep -v '^$')
patterns=$(grep -v '^#' "$base_list" | grep -v '^$')
stray=$(while read -r path; do
          [ -n "$path" ] || continue
          basename "$path" | grep -qE "$(paste -sd'|' <<<"$patterns")" || echo "$path"
        done <<<"$outside")
[ "$from_cd" -gt 10 ] && pass "$from_cd libraries come from the CD" || fail "only $from_cd libraries come from the CD"
mapped=$(awk '{print $6}' "/proc/$program_pid/maps")
for own in plugins/platforms/libqxcb.so translations/qtbase_de.qm; do
  grep -qx "$work/cd/$own" <<<"$mapped" && pass "$own comes from the CD" || fail "$own is not the CD's"
done
if [ -z "$stray" ]; then
  pass "the $(grep -c . <<<"$outside") libraries from the system are all base-system libraries: $(xargs -n1 basename <<<"$outside" | paste -sd' ')"
else
  fail "libraries from the system that the CD should bring: $(paste -sd' ' <<<"$stray")"
fi
[ "$failures" -eq 0 ] || exit 1
