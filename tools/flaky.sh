#!/usr/bin/env bash
# Runs the Windows test suite of both builds N times (default 20) on the code
# as it is and prints, for each test that ever failed, in how many runs it
# did (an x86 test's name starts "x86:"): flakiness measured, not guessed.
# Each run's logs stay in build/flaky/run-N-PRESET.log.
#   tools/flaky.sh [N] [ctest options...]
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
runs="${1:-20}"
shift || true
logs="$root/build/flaky"
rm -rf "$logs"
mkdir -p "$logs"
make --no-print-directory windows WERROR=ON >/dev/null || exit 1

failedRuns=0
for i in $(seq "$runs"); do
  start=$(date +%s)
  status=0
  : >"$logs/failed-$i.txt"
  for preset in windows windows-x86; do
    tag=""; [ "$preset" = windows-x86 ] && tag="x86:"
    tools/with-display.sh ctest --preset "$preset" --output-on-failure "$@" \
      >>"$logs/run-$i.log" 2>&1 || status=1
    # A failed case names itself; a binary that fails without naming a case
    # died (a crash, a timeout, no output) and is named with what ctest saw.
    {
      grep -oE '^\[  FAILED  \] [A-Za-z0-9_]+\.[A-Za-z0-9_]+ \(' "$logs/run-$i.log" |
        sed -E 's/^\[  FAILED  \] (.*) \($/\1/'
      grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$logs/run-$i.log" | grep -vE ' Passed ' |
        sed -E 's/^.*Test +#[0-9]+: ([^ ]+) .*\*+([A-Za-z]+).*$/\1 (\2)/'
    } | sed "s/^/$tag/" >>"$logs/failed-$i.txt"
    mv "$logs/run-$i.log" "$logs/run-$i-$preset.log"
  done
  sort -u -o "$logs/failed-$i.txt" "$logs/failed-$i.txt"
  [ "$status" -ne 0 ] && failedRuns=$((failedRuns + 1))
  echo "run $i: exit $status in $(( $(date +%s) - start )) s, $(wc -l <"$logs/failed-$i.txt") failing"
done

echo "== $failedRuns of $runs runs failed =="
cat "$logs"/failed-*.txt 2>/dev/null | sort | uniq -c | sort -rn |
  awk -v n="$runs" '{ c = $1; $1 = ""; printf "%3d / %d %s\n", c, n, $0 }'
exit $(( failedRuns > 0 ))
