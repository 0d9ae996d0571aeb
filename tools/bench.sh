#!/usr/bin/env bash
# make bench: save and load against the floor of a safe replace (native),
# start-up under Wine against a bare Win32 program, and the footprint.
# Results go to docs/PERFORMANCE.md.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
out="$root/build/bench"
mkdir -p "$out"

echo "== save and load (Google Benchmark, 9 repetitions, interleaved) =="
cmake --build build/native --target save_load_bench -j2 >/dev/null
# Repetitions of the save and of the floor interleave, so that a slow moment
# of the disk does not fall on one of them only.
build/native/bench/save_load_bench --benchmark_repetitions=9 \
  --benchmark_enable_random_interleaving=true --benchmark_format=json \
  --benchmark_out="$out/save_load.json" --benchmark_out_format=json >/dev/null

# Each build against bare windows of its own architecture, timed by the x64
# driver (which measures another process, of either architecture).
cmake --build build/x64 --target startup_bench -j2 >/dev/null
win() { printf 'Z:%s' "$(echo "$1" | tr / '\\')"; }
for arch in x64 x86; do
  echo "== start-up under Wine, $arch (A B C D A B C D, 25 runs each) =="
  cmake --build "build/$arch" --target quimbel bare_window bare_window_styled -j2 >/dev/null
  folder="$out/startup-$arch"
  rm -rf "$folder"; mkdir -p "$folder"
  cp "build/$arch/bin/quimbel.exe" "build/$arch/bench/bare_window.exe" \
    "build/$arch/bench/bare_window_styled.exe" "$folder/"
  cp tools/demo/QuimbelAdvance.ini "$folder/"
  tools/with-display.sh tools/wine-run.sh build/x64/bench/startup_bench.exe \
    "$(win "$folder/quimbel.exe")" "$(win "$folder/bare_window.exe")" \
    "$(win "$folder/bare_window_styled.exe")" "$(win "$folder")" 25 \
    | tr -d '\r' >"$out/startup-$arch.txt"
  cat "$out/startup-$arch.txt"
done

dlls=$(x86_64-w64-mingw32-objdump -p build/x64/bin/quimbel.exe | awk '/DLL Name/ {print $3}' | sort -f | paste -sd, -)

python3 - "$out/save_load.json" "$out" "$(stat -c %s build/x64/bin/quimbel.exe)" \
  "$(stat -c %s build/x86/bin/quimbel.exe)" "$dlls" <<'PY'
import json, statistics, subprocess, sys, datetime, platform, os
bench = json.load(open(sys.argv[1]))
runs = {}
for b in bench["benchmarks"]:
    if b.get("run_type") != "iteration":
        continue
    name, size = b["run_name"].split("/")
    runs.setdefault((name, int(size)), []).append(b["real_time"])
def fmt(times):
    return "%.3f (%.3f to %.3f)" % (statistics.median(times), min(times), max(times))
def human(n):
    return "%d KiB" % (n >> 10) if n < 1 << 20 else "%d MiB" % (n >> 20)
lines = ["| File | Save, ms | Copy + fsync + rename (floor), ms | Save / floor | Load, ms |",
         "|---|---|---|---|---|"]
for size in sorted({s for _, s in runs}):
    save, floor, load = runs[("Save", size)], runs[("CopyFloor", size)], runs[("Load", size)]
    ratio = statistics.median(save) / statistics.median(floor)
    lines.append("| %s | %s | %s | %.2f | %s |" % (human(size), fmt(save), fmt(floor), ratio, fmt(load)))
def startup(arch):
    start, paired = {}, {}
    for row in open(os.path.join(sys.argv[2], "startup-%s.txt" % arch)):
        fields = row.split()
        if len(fields) == 4:
            paired[fields[0]] = tuple(float(v) for v in fields[1:])
            continue
        name, median, lo, hi, peak = fields
        start[name] = (float(median), float(lo), float(hi), int(peak))
    r, rs, x = paired["ratio"], paired["ratio_styled"], paired["extra"]
    q, b, c, d = start["quimbel"], start["bare"], start["bare18"], start["styled"]
    return f"""| Program ({arch}) | Start-up, ms | Peak working set |
|---|---|---|
| quimbel.exe | {q[0]:.1f} ({q[1]:.1f} to {q[2]:.1f}) | {q[3] >> 10} KiB |
| bare window (B) | {b[0]:.1f} ({b[1]:.1f} to {b[2]:.1f}) | {b[3] >> 10} KiB |
| bare window with 17 more controls (C) | {c[0]:.1f} ({c[1]:.1f} to {c[2]:.1f}) | {c[3] >> 10} KiB |
| bare window with the starter's manifest (D) | {d[0]:.1f} ({d[1]:.1f} to {d[2]:.1f}) | {d[3] >> 10} KiB |
| ratio quimbel.exe / B, each run with the B run after it | {r[0]:.2f} ({r[1]:.2f} to {r[2]:.2f}) | |
| ratio quimbel.exe / D, each run with the D run of its round | {rs[0]:.2f} ({rs[1]:.2f} to {rs[2]:.2f}) | |
| peak working set over B, the same pairs | | {x[0]:.0f} KiB ({x[1]:.0f} to {x[2]:.0f}) |
| ratio quimbel.exe / C (medians) | {q[0] / c[0]:.2f} | |
| ratio C / B (medians) | {c[0] / b[0]:.2f} | |
| ratio D / B (medians) | {d[0] / b[0]:.2f} | |"""
cpu = subprocess.run(["sh", "-c", "grep -m1 'model name' /proc/cpuinfo | cut -d: -f2"],
                     capture_output=True, text=True).stdout.strip()
wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
doc = f"""# Performance

Made by `make bench` on {datetime.date.today()}: {cpu}, {os.cpu_count()} cores,
{platform.system()} {platform.release()}, {wine}. Medians, with the fastest and slowest run in
brackets; ratios are of medians measured side by side in the same run.

## Save and load (native, Google Benchmark, 9 repetitions, interleaved)

The floor is a plain copy of the same file in 64 KiB blocks with fsync, rename and a folder
fsync: no safe replace can do less. The repetitions of the save and of the floor are
interleaved at random. The goal is a save within 1.2 times the floor at 1 MiB and above.

{chr(10).join(lines)}

## Start-up under Wine

From `CreateProcessW` to the main window visible and idle (`WaitForInputIdle`, then the
window found visible), alternating quimbel.exe (A) and a bare Win32 program that opens one
window with one tab control (B), B with as many controls as the starter (C), and B with the
starter's own manifest (D: common controls 6 for visual styles, per-monitor DPI awareness),
25 runs each, for each build against bare programs of its own architecture (x86 under 32-bit
Wine). The goal is a ratio to B of at most 1.15.

{startup("x64")}

{startup("x86")}

The goals: start-up at most 1.15 times B, working set at most 1 MB over B. C shows what Wine
charges for child windows: the starter makes only what its first picture shows (the tab
control and the splash); a page's controls come when it first shows, and the text box's
tooltip, path completion and OLE (for dropped files) once the window is shown and idle. The
splash is decoded by stb_image, without COM. D shows what the manifest alone costs under
Wine (common controls 6, the theme machinery, per-monitor DPI awareness), which the starter
needs and the bare window B does without.

## Footprint

- `quimbel.exe` for x64: {int(sys.argv[3]):,} bytes (goal: at most 250,000 bytes); for x86:
  {int(sys.argv[4]):,} bytes (goal: at most 260,000 bytes). Both statically linked, with no
  debug information.
- DLLs they import: {sys.argv[5].replace(",", ", ")}; all ship with Windows.
"""
open("docs/PERFORMANCE.md", "w").write(doc)
print(doc)
PY
