#!/usr/bin/env bash
# make run: starts quimbel.exe under Wine in a demo emulator folder
# (build/demo) with a sample settings file and the stand-in emulator. Without
# an X display it runs on a private Xvfb, saves a screenshot and closes.
# Usage: demo.sh [x64|x86]; x64 unless told, x86 runs under 32-bit Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
demo="$root/build/demo"
arch="${1:-x64}"
bin="$root/build/$arch/bin"
if [ ! -f "$bin/quimbel.exe" ]; then
  echo "demo: $bin/quimbel.exe is not built; run make windows first" >&2
  exit 1
fi

mkdir -p "$demo"
cp "$bin/quimbel.exe" "$demo/quimbel.exe"
cp "$bin/stand_in_emulator.exe" "$demo/QuimbelAdvance.exe"
[ -f "$demo/QuimbelAdvance.ini" ] || cp "$root/tools/demo/QuimbelAdvance.ini" "$demo/"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting $demo/quimbel.exe"
  cd "$demo" && exec "$root/tools/wine-run.sh" "$demo/quimbel.exe"
fi

# No display: show it on a virtual desktop, take a picture, close it.
shoot() {
  source "$root/tools/desktop.sh"
  start_on_desktop
  xwd -root -silent | convert xwd:- -crop 800x600+0+0 +repage "$demo/quimbel.png"
  wineserver -k >/dev/null 2>&1 || true
  echo "The starter ran in $demo; a screenshot of it is in $demo/quimbel.png"
}
export -f shoot
export root demo
"$root/tools/with-display.sh" bash -c shoot
