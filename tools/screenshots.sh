#!/usr/bin/env bash
# Takes the README's pictures of the starter under Wine on a private Xvfb:
# the splash, the three tabs and the read-me window, into docs/images.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/docs/images"
mkdir -p "$out"
export root out

shots() {
  demo="$root/build/demo"
  source "$root/tools/desktop.sh"
  start_on_desktop
  # The 800 x 600 desktop centres the window: it spans about 224..575 x 207..391.
  grab() { xwd -root -silent | convert xwd:- -crop "$2" +repage "$out/$1.png"; }
  click() { xdotool mousemove "$1" "$2" click 1; sleep 0.7; }
  grab splash 360x196+220+201
  click 300 300            # the splash
  grab run 360x196+220+201
  click 395 238            # "Options"
  grab options 360x196+220+201
  # A path to a file that is not there, saved: the balloon tip says so.
  click 450 326            # the BIOS box
  xdotool key End shift+Home
  xdotool type --delay 20 'C:\Games\GBA\gba_bios.gba'
  xdotool mousemove 300 400; sleep 0.5   # away, so the box's own tooltip goes
  click 527 361            # "Save"
  grab tip 360x240+220+201
  click 300 260            # a click elsewhere takes the tip away
  click 505 238            # "Info"
  grab info 360x196+220+201
  click 520 361            # "Read me"
  grab readme 800x600+0+0
  wineserver -k >/dev/null 2>&1 || true
}
export -f shots
# The pictures show the sample settings, whatever an earlier run saved.
rm -f "$root/build/demo/QuimbelAdvance.ini"
"$root/tools/demo.sh" >/dev/null
"$root/tools/with-display.sh" bash -c shots
ls "$out"
