#!/usr/bin/env bash
# make dist: builds quimbel.exe for x64 and for x86 from scratch and packs the
# release,
#   dist/quimbel-<version>-win64.zip   the x64 quimbel.exe, README.txt, LICENSE.txt
#   dist/quimbel-<version>-win32.zip   the same with the x86 quimbel.exe
#   dist/SHA256SUMS                    both zips' SHA-256, and each exe's under the
#                                      folder Windows unpacks its zip into
# Byte for byte reproducible: the same commit gives the same files in any
# folder at any time (no link time stamp, no build paths, the commit's date
# for every date, files in a fixed order with fixed permissions).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
version="$(tools/version.sh)"
out="$root/dist"

if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
  echo "note: the working tree has changes that are not committed; the release holds them," \
       "but its dates come from the last commit" >&2
fi
SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || echo 0)"
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C

rm -rf "$root/build/dist" "$out"
mkdir -p "$out"
: >"$out/SHA256SUMS"
# win64 first: the zip most people need heads the list.
for pair in win64:mingw-w64.cmake win32:mingw-w64-i686.cmake; do
  kind="${pair%%:*}" toolchain="${pair#*:}"
  name="quimbel-$version-$kind"
  build="$root/build/dist/$kind"
  cmake -S "$root" -B "$build" -G "Unix Makefiles" --toolchain "$root/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$build" --target quimbel -j2 >/dev/null
  exe="$build/bin/quimbel.exe"

  stage="$build/stage/$name"
  mkdir -p "$stage"
  cp "$exe" "$stage/quimbel.exe"
  # Notepad on every Windows shows CR LF text.
  sed "s/@VERSION@/$version/g; s/@KIND@/$kind/g; s/\$/\r/" dist-files/README.txt >"$stage/README.txt"
  sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
  chmod 0644 "$stage"/*
  touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
  (cd "$stage" && zip -X -D -q -9 "$out/$name.zip" quimbel.exe README.txt LICENSE.txt)
  touch -d "@$SOURCE_DATE_EPOCH" "$out/$name.zip"
  (cd "$out" && sha256sum "$name.zip") >>"$out/SHA256SUMS"
  (cd "$build/stage" && sha256sum "$name/quimbel.exe") >>"$out/SHA256SUMS.exes"

  echo "$kind quimbel.exe: $(stat -c %s "$exe") bytes"
  echo "release: $out/$name.zip ($(stat -c %s "$out/$name.zip") bytes)"
done
cat "$out/SHA256SUMS.exes" >>"$out/SHA256SUMS"
rm "$out/SHA256SUMS.exes"
echo "hashes: $out/SHA256SUMS"
