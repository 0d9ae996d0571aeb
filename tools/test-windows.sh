#!/usr/bin/env bash
# make test-windows: builds both Windows builds and runs their tests under
# Wine, the x86 ones under 32-bit Wine. The x86 end-to-end tests use the x64
# build's driver, so x64 comes first. The Wine prefix is made while x64
# builds. Usage: test-windows.sh [ON|OFF] (warnings as errors).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
werror="${1:-ON}"
mkdir -p build

run() {
  tools/wine-run.sh --prepare &
  local prepared=$!
  cmake --preset windows -DQUIMBEL_WERROR="$werror" >/dev/null &&
    cmake --build --preset windows || return 1
  wait "$prepared"
  # Each build's tests run on an otherwise idle machine: a build beside them,
  # even at the lowest priority, made an end-to-end test fail now and then.
  echo "== Windows tests under Wine: x64 =="
  ctest --preset windows
  local status=$?
  cmake --preset windows-x86 -DQUIMBEL_WERROR="$werror" >/dev/null &&
    cmake --build --preset windows-x86 || return 1
  echo "== Windows tests under 32-bit Wine: x86 =="
  ctest --preset windows-x86 || status=1
  return $status
}
export -f run
export werror
tools/with-display.sh bash -c run
