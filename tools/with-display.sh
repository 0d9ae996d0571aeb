#!/usr/bin/env bash
# Runs a command with an X display (a private Xvfb when there is none) and the
# project's Wine prefix, then stops what it started.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wine}"
xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for num in $(seq 120 160); do
    [ -e "/tmp/.X11-unix/X$num" ] || [ -e "/tmp/.X$num-lock" ] && continue
    Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    xvfb_pid=$!
    export DISPLAY=":$num"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    break
  done
fi

"$@"
status=$?

wineserver -k >/dev/null 2>&1 || true
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
exit $status
