#!/usr/bin/env bash
# make reliability: every reliability check, bounded in time, then a table of
# figures (also written to docs/RELIABILITY.md). Exits non-zero if a figure
# breaks its rule.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
fuzz_seconds="${FUZZ_SECONDS:-150}"
rows=()

echo "== native checks (fault at every step, power loss, refusals, 1000 kills) =="
cmake --build build/native --target reliability -j2 >/dev/null || exit 1
native_out=$(build/native/reliability/reliability 1000)
echo "$native_out"
while IFS= read -r line; do rows+=("$line"); done < <(grep '^ROW|' <<<"$native_out")

echo "== Wine checks (held files, 100 kills) =="
cmake --build build/x64 --target reliability_wine -j2 >/dev/null || exit 1
wine_out=$(tools/with-display.sh tools/wine-run.sh build/x64/reliability/reliability_wine.exe 100 | tr -d '\r')
echo "$wine_out"
while IFS= read -r line; do rows+=("$line"); done < <(grep '^ROW|' <<<"$wine_out")

echo "== fuzzing for ${fuzz_seconds}s =="
fuzzer=$(tools/build-fuzzer.sh) || exit 1
work="$root/build/fuzz/corpus"
crashes="$root/build/fuzz/crashes"
rm -rf "$crashes"; mkdir -p "$work" "$crashes"
cp reliability/corpus/* "$work/"
"$fuzzer" "$work" -max_total_time="$fuzz_seconds" -max_len=8192 -artifact_prefix="$crashes/" \
  >"$root/build/fuzz/log.txt" 2>&1
fuzz_status=$?
runs=$(grep -oE 'Done [0-9]+ runs' "$root/build/fuzz/log.txt" | grep -oE '[0-9]+' | tail -1)
found=$(find "$crashes" -type f | wc -l)
corpus=$(find "$work" -type f | wc -l)
verdict=ok
{ [ "$fuzz_status" -eq 0 ] && [ "$found" -eq 0 ]; } || verdict=FAIL
rows+=("ROW|Fuzzing (libFuzzer, ASan, UBSan)|${runs:-0} executions in ${fuzz_seconds} s over load and save of arbitrary bytes and typed paths; corpus ${corpus} inputs; crashes ${found}|$verdict")

table="| Check | Figures | Verdict |
|---|---|---|"
failed=0
for row in "${rows[@]}"; do
  IFS='|' read -r _ check figures status <<<"$row"
  table+=$'\n'"| $check | $figures | $status |"
  [ "$status" = ok ] || failed=1
done

cat >docs/RELIABILITY.md <<DOC
# Reliability

Made by \`make reliability\` on $(date -u +%Y-%m-%d) ($(nproc) cores, $(uname -sr), $(wine --version 2>/dev/null)).

The rule every check tests: after any failure or kill, the settings file is byte-identical
to its old content or to its new content, never missing, empty, partial or mixed; every line
other than the three setting lines is unchanged byte for byte.

- *Fault at every step*: the file layer fails its Nth operation (every open, read, write,
  flush, close and the replace), once and from then on.
- *Power loss*: a file layer that remembers what was synced drops unsynced file data and
  unsynced folder entries at every crash point of a save (LevelDB's fault-injection way).
- *Kill during save*: a child process saves in a loop, alternating two sets of values, and is
  killed at random moments; "the other complete content" means the save in flight finished.
- *Refusals*: a full disk, a read-only file, a file another process holds open, a stale
  temp.ini; the save must report an error and change nothing, or succeed.
- *Fuzzing*: arbitrary file bytes and typed paths through load and save, checking the rule
  and that a failed save changes nothing (\`reliability/fuzz_settings.cpp\`, corpus in
  \`reliability/corpus\`).

$table
DOC

echo
echo "$table"
exit $failed
