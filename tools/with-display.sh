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
    # A busy machine may take seconds to bring Xvfb up. Without it every
    # Windows program would die at start without a word, so say so instead.
    for _ in $(seq 200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    if ! xdpyinfo >/dev/null 2>&1; then
      echo "with-display: Xvfb did not start on $DISPLAY within 20 s" >&2
      kill "$xvfb_pid" 2>/dev/null
      exit 1
    fi
    break
  done
fi

"$@"
status=$?

wineserver -k >/dev/null 2>&1 || true
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
exit $status
