#!/usr/bin/env bash
# Counts how often a real click on the second tab counts when it follows a
# click on the cover ("Click to start."), in the starter and in a minimal
# program (one tab control, one static over it). First as a Windows program
# clicks (driver.cpp: SendInput, 0.7 s after the window shows, the second
# click 250 ms after the cover goes), the two programs alternated, on the
# test display; then with X clicks from xdotool at three timings, on a Wine
# virtual desktop as `make run` without a display uses.
# Usage: tools/lost-click/measure.sh [runs] ; needs make windows first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
runs="${1:-6}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
x86_64-w64-mingw32-g++-posix -O2 -municode -mwindows -static \
  "$root/tools/lost-click/minimal.cpp" -o "$work/minimal.exe" -lcomctl32
x86_64-w64-mingw32-g++-posix -O2 -municode -static \
  "$root/tools/lost-click/driver.cpp" -o "$work/driver.exe" -lcomctl32
cp "$root/build/x64/bin/quimbel.exe" "$work/quimbel.exe"
cp "$root/tools/demo/QuimbelAdvance.ini" "$work/"
"$root/tools/with-display.sh" "$root/tools/wine-run.sh" "$work/driver.exe" "$runs" \
  "Z:$work/minimal.exe" "Z:$work/quimbel.exe"
export WINEPREFIX="$root/build/wine" WINEDEBUG=-all

start() {  # the program on a virtual desktop, until its window shows
  (cd "$work" && wine explorer /desktop=lostclick,800x600 "$1" >/dev/null 2>&1 </dev/null &)
  local c
  for _ in $(seq 200); do
    # The title bar's row: the desktop's colour until the window shows.
    c=$(xwd -root -silent | convert xwd:- -crop 1x1+300+218 +repage -format '%[hex:p{0,0}]' info:)
    [ -n "$c" ] && [ "$c" != "$(cat "$work/desktop")" ] && break
    sleep 0.05
  done
}
stop() {
  pkill -f 'minimal.exe|quimbel.exe' || true
  pkill -f 'explorer.exe /desktop=lostclick' || true
  sleep 0.7
}
strip() {  # the tab strip as it shows, as a checksum
  xwd -root -silent | convert xwd:- -crop 330x22+232+230 +repage -format '%#' info:
}

measure() {  # program, seconds after the window shows, seconds between the clicks
  local exe="$1" wait="$2" gap="$3" counted=0 unchanged
  # The strip after a click on the cover alone: the first tab still selected.
  start "$exe"
  sleep 1
  xdotool mousemove 480 370 click 1
  sleep 0.5
  unchanged=$(strip)
  stop
  for _ in $(seq "$runs"); do
    start "$exe"
    sleep "$wait"
    xdotool mousemove 480 370 click 1  # the cover
    sleep "$gap"
    xdotool mousemove 395 239 click 1  # the second tab
    sleep 0.5
    [ "$(strip)" != "$unchanged" ] && counted=$((counted + 1))
    stop
  done
  echo "$exe: clicks $wait s after the window shows, $gap s apart: $counted of $runs counted"
}

run() {
  wineserver -p >/dev/null 2>&1 </dev/null
  (wine explorer /desktop=lostclick,800x600 >/dev/null 2>&1 </dev/null &)
  sleep 3
  xwd -root -silent | convert xwd:- -crop 1x1+300+218 +repage -format '%[hex:p{0,0}]' info: \
    >"$work/desktop"
  stop
  for exe in minimal.exe quimbel.exe; do
    measure "$exe" 0.05 0.1
    measure "$exe" 0.05 0.8
    measure "$exe" 0.6 0.1
  done
  wineserver -k >/dev/null 2>&1 || true
}
export -f start stop strip measure run
export work runs
"$root/tools/with-display.sh" bash -c run
