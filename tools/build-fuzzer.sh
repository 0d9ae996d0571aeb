#!/usr/bin/env bash
# Builds the settings fuzzer with clang, libFuzzer, ASan and UBSan.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/fuzz"
mkdir -p "$out"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" -I"$root/tests" -I"$root" \
  "$root/reliability/fuzz_settings.cpp" "$root/reliability/mem_fs.cpp" \
  "$root/src/settings/modQuimbel.cpp" "$root/src/settings/setting_lines.cpp" \
  "$root/src/platform/rt_error.cpp" "$root/src/platform/path.cpp" \
  -o "$out/fuzz_settings"
echo "$out/fuzz_settings"
