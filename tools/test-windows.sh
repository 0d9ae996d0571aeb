#!/usr/bin/env bash
# make test-windows: builds both Windows builds and runs their tests under
# Wine, the x86 ones under 32-bit Wine. The x86 end-to-end tests use the x64
# build's driver, so x64 comes first. Wine's tests mostly wait on windows, so
# the Wine prefix is made while x64 builds and x86 builds while x64's tests
# run, at the lowest priority. Usage: test-windows.sh [ON|OFF] (warnings as
# errors).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
werror="${1:-ON}"
log="$root/build/x86-build.log"
mkdir -p build

run() {
  tools/wine-run.sh --prepare &
  local prepared=$!
  cmake --preset windows -DQUIMBEL_WERROR="$werror" >/dev/null &&
    cmake --build --preset windows || return 1
  cmake --preset windows-x86 -DQUIMBEL_WERROR="$werror" >/dev/null || return 1
  # At the lowest priority, so that it takes only what the tests leave idle.
  # (The end-to-end tests wait for events, not times; a busy machine once
  # let a posted click land after later messages, which they now wait out.)
  nice -n 19 cmake --build --preset windows-x86 >"$log" 2>&1 &
  local x86=$!
  wait "$prepared"
  echo "== Windows tests under Wine: x64 =="
  ctest --preset windows
  local status=$?
  if ! wait "$x86"; then
    cat "$log"
    echo "test-windows: the x86 build failed" >&2
    return 1
  fi
  echo "== Windows tests under 32-bit Wine: x86 =="
  ctest --preset windows-x86 || status=1
  return $status
}
export -f run
export werror log
tools/with-display.sh bash -c run
