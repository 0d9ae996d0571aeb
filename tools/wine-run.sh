#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix, quietly,
# starting a private Xvfb when there is no display.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ -z "${DISPLAY:-}" ]; then
  # One display per prefix, shared by every program that runs in it.
  num=$(( 90 + $(printf '%s' "$WINEPREFIX" | cksum | cut -d' ' -f1) % 400 ))
  export DISPLAY=":$num"
  if ! xdpyinfo >/dev/null 2>&1; then
    (Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &)
    for _ in $(seq 200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    if ! xdpyinfo >/dev/null 2>&1; then
      echo "wine-run: Xvfb did not start on $DISPLAY within 20 s" >&2
      exit 1
    fi
  fi
fi

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  # A prefix made before 32-bit Wine was installed has no 32-bit half, and
  # then every program dies with "could not load kernel32.dll": make it anew.
  if [ -f "$WINEPREFIX/.ready" ] && [ -x /usr/lib/wine/wine ] &&
     [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    wineserver -k 9>&- >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null 9>&- || true
    wineserver -w 9>&-
    # Debian's Wine does not find its own Tahoma and Marlett (fonts-wine);
    # programs look in C:\windows\Fonts, so put them there.
    cp /usr/share/wine/fonts/*.tt? "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.ready"
  fi
) 9>"$WINEPREFIX.lock"

# A persistent server and Wine's own services make each program start in a
# fraction of a second. They must be started here with their output closed:
# started by the program below they would inherit our caller's pipes and hold
# them open long after the program ends. None may inherit the lock.
(
  flock 9
  wineserver -p >/dev/null 2>&1 </dev/null 9>&- || true
  # Always, rather than guess from the process list whether this prefix's
  # services run: a services.exe of another prefix, or of an earlier prefix
  # at this path, looks the same there. It costs a fraction of a second.
  wine cmd /c exit >/dev/null 2>&1 </dev/null 9>&- || true
  # The in-process window tests open and close many windows. With no window
  # manager on the test display, Wine waits two seconds for each managed
  # window to be withdrawn; their windows are unmanaged, which it need not.
  if [ ! -f "$WINEPREFIX/.unmanaged-tests" ]; then
    wine reg add 'HKCU\Software\Wine\AppDefaults\win32_tests.exe\X11 Driver' /v Managed \
      /d N /f >/dev/null 2>&1 </dev/null 9>&- && touch "$WINEPREFIX/.unmanaged-tests"
  fi
) 9>"$WINEPREFIX.lock"

# --prepare: only make the prefix and start its server, for a caller that
# wants that done while it builds.
[ "${1:-}" = --prepare ] && exit 0

exe="$1"; shift
# Wine's own errors are silenced above; a program that ends by anything but
# its own exit (0, or 1 for failed tests) is named, so that a death at start
# is never silent.
status=0
wine "$exe" "$@" || status=$?
if [ "$status" -gt 1 ]; then
  echo "wine-run: $(basename "$exe") ended with status $status" \
    "(rerun with WINEDEBUG=err+all to see why)" >&2
fi
exit "$status"
