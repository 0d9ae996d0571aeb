#!/usr/bin/env bash
# Checks that the release is reproducible: the committed source, cloned into
# two folders of different names and built one after the other, gives the
# same exes and the same zips byte for byte; each zip holds what it should;
# and SHA256SUMS verifies. Run by CI after the tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d /tmp/quimbel-dist-check.XXXXXX)"
trap 'rm -rf "$work"' EXIT
version="$("$root/tools/version.sh")"

for where in first "second place"; do
  git clone -q "$root" "$work/$where/quimbel"
  "$work/$where/quimbel/tools/dist.sh" >/dev/null
done
a="$work/first/quimbel" b="$work/second place/quimbel"

status=0
same() {
  if cmp -s "$a/$1" "$b/$1"; then
    echo "same in both builds: $1 ($(sha256sum <"$a/$1" | cut -c1-16)...)"
  else
    echo "DIFFERENT between the two builds: $1"
    status=1
  fi
}
same dist/SHA256SUMS

unpacked="$work/unpacked"
mkdir -p "$unpacked"
cp "$a/dist/SHA256SUMS" "$unpacked/"
# kind, the architecture objdump names, and the DLL characteristics the exe
# must have: ASLR and DEP on both, high-entropy ASLR on x64.
for build in "win64 pei-x86-64 HIGH_ENTROPY_VA" "win32 pei-i386"; do
  read -r kind format extra <<<"$build"
  name="quimbel-$version-$kind"
  same "dist/$name.zip"
  same "build/dist/$kind/bin/quimbel.exe"
  cp "$a/dist/$name.zip" "$unpacked/"
  listing="$(unzip -Z1 "$a/dist/$name.zip" | tr '\n' ' ')"
  if [ "$listing" != "quimbel.exe README.txt LICENSE.txt " ]; then
    echo "$name.zip: unexpected listing: $listing"
    status=1
  fi
  unzip -q "$a/dist/$name.zip" -d "$unpacked/$name"
  if ! grep -q $'\r$' "$unpacked/$name/README.txt" || grep -qv $'\r$' "$unpacked/$name/README.txt"; then
    echo "$name: README.txt does not end every line with CR LF"
    status=1
  fi
  exe="$unpacked/$name/quimbel.exe"
  headers="$(x86_64-w64-mingw32-objdump -p "$exe")"
  if ! grep -q "file format $format\$" <<<"$headers"; then
    echo "$name: quimbel.exe is not $format"
    status=1
  fi
  if x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug'; then
    echo "$name: quimbel.exe carries debug information"
    status=1
  fi
  for flag in DYNAMIC_BASE NX_COMPAT $extra; do
    if ! grep -q "^\s*$flag\$" <<<"$headers"; then
      echo "$name: quimbel.exe lacks $flag"
      status=1
    fi
  done
  echo "$name: $(unzip -Z1 "$a/dist/$name.zip" | wc -l) files, quimbel.exe $(stat -c %s "$exe") bytes"
done

if ! (cd "$unpacked" && sha256sum --quiet -c SHA256SUMS); then
  echo "SHA256SUMS does not verify"
  status=1
fi
[ "$(wc -l <"$unpacked/SHA256SUMS")" -eq 4 ] || { echo "SHA256SUMS does not list 4 files"; status=1; }
[ $status -eq 0 ] && echo "release $version: both builds reproducible, complete, hashes verify"
exit $status
