#!/usr/bin/env bash
# Starts Spieldex from the demo CD. Without a display it runs under Xvfb instead,
# saves a picture of its window to <build>/demo.png once drawn, and ends it.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
shift || true
cd "$build/cd"
echo "The demo CD, checked as the editors check a CD before it is pressed:"
"$build/bin/spdexcheck" . | tail -n 1 || true

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec ./spieldex "$@"
fi

echo "No display found: running Spieldex under Xvfb."
export XSHOT="$build/bin/xshot" SHOT="$build/demo.png" TITLE=$(cat "$build/spieldex-title.txt")
rm -f "$SHOT"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  ./spieldex "$@" &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$TITLE\$" | head -n 1) || true
  if [ -z "$window" ]; then
    echo "The window did not appear." >&2
    kill "$pid" 2>/dev/null
    exit 1
  fi
  sleep 1 # let it finish drawing
  "$XSHOT" "$window" "$SHOT"
  kill -TERM "$pid"
  wait "$pid"
' spieldex "$@"
echo "Spieldex ran on the demo CD in $build/cd and was ended; a screenshot of its window is in $SHOT."
