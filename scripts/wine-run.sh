#!/usr/bin/env bash
# Runs a Windows program under Wine (Debian's wine64) in the project's own Wine prefix, which
# is made at the first call: quiet, and without the .NET and browser add-ons Wine would
# offer to download.
# Usage: wine-run.sh PROGRAM.exe [ARGUMENT...]
set -euo pipefail
cache=${SPIELDEX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/spieldex}
export WINEPREFIX=${WINEPREFIX:-$cache/wineprefix}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEDEBUG=${WINEDEBUG:--all}
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "wine-run.sh: Wine is not installed ($wine)" >&2; exit 77; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true
  "$(dirname "$wine")/wineserver" -w 2>/dev/null || true
fi
# Wine's console host, started with the program, outlives it holding the program's output
# open: a caller reading that output to its end would wait for it. The output goes through
# a file instead, handed on once the program has ended.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
"$wine" "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
exit "$status"
