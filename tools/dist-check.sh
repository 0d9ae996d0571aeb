#!/usr/bin/env bash
# Checks that the release is reproducible: the committed source, cloned into
# two folders of different names and built one after the other, gives the
# same exe and the same zip byte for byte; the zip holds what it should; and
# SHA256SUMS verifies. Run by CI after the tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d /tmp/quimbel-dist-check.XXXXXX)"
trap 'rm -rf "$work"' EXIT
version="$("$root/tools/version.sh")"
name="quimbel-$version-win64"

for where in first "second place"; do
  git clone -q "$root" "$work/$where/quimbel"
  "$work/$where/quimbel/tools/dist.sh" >/dev/null
done
a="$work/first/quimbel" b="$work/second place/quimbel"

status=0
for file in "dist/$name.zip" dist/SHA256SUMS build/dist/bin/quimbel.exe; do
  if cmp -s "$a/$file" "$b/$file"; then
    echo "same in both builds: $file ($(sha256sum <"$a/$file" | cut -c1-16)...)"
  else
    echo "DIFFERENT between the two builds: $file"
    status=1
  fi
done

listing="$(unzip -Z1 "$a/dist/$name.zip" | tr '\n' ' ')"
if [ "$listing" != "quimbel.exe README.txt LICENSE.txt " ]; then
  echo "unexpected zip listing: $listing"
  status=1
fi
unpacked="$work/unpacked"
mkdir -p "$unpacked"
unzip -q "$a/dist/$name.zip" -d "$unpacked"
cp "$a/dist/$name.zip" "$a/dist/SHA256SUMS" "$unpacked/"
if ! (cd "$unpacked" && sha256sum --quiet -c SHA256SUMS); then
  echo "SHA256SUMS does not verify"
  status=1
fi
if ! grep -q $'\r$' "$unpacked/README.txt" || grep -qv $'\r$' "$unpacked/README.txt"; then
  echo "README.txt does not end every line with CR LF"
  status=1
fi
if x86_64-w64-mingw32-objdump -h "$unpacked/quimbel.exe" | grep -q '\.debug'; then
  echo "quimbel.exe carries debug information"
  status=1
fi
[ $status -eq 0 ] && echo "release $name: reproducible, complete, hashes verify"
exit $status
