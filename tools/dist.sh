#!/usr/bin/env bash
# make dist: builds quimbel.exe from scratch and packs the release,
#   dist/quimbel-<version>-win64.zip   quimbel.exe, README.txt, LICENSE.txt
#   dist/SHA256SUMS                    the zip's and the exe's SHA-256
# Byte for byte reproducible: the same commit gives the same files in any
# folder at any time (no link time stamp, no build paths, the commit's date
# for every date, files in a fixed order with fixed permissions).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
version="$(tools/version.sh)"
name="quimbel-$version-win64"
build="$root/build/dist"
out="$root/dist"

if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
  echo "note: the working tree has changes that are not committed; the release holds them," \
       "but its dates come from the last commit" >&2
fi
SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || echo 0)"
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C

rm -rf "$build" "$out"
cmake -S "$root" -B "$build" -G "Unix Makefiles" --toolchain "$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target quimbel -j2 >/dev/null
exe="$build/bin/quimbel.exe"

stage="$build/stage"
mkdir -p "$stage" "$out"
cp "$exe" "$stage/quimbel.exe"
# Notepad on every Windows shows CR LF text.
sed "s/@VERSION@/$version/g; s/\$/\r/" dist-files/README.txt >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
chmod 0644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
(cd "$stage" && zip -X -D -q -9 "$out/$name.zip" quimbel.exe README.txt LICENSE.txt)
touch -d "@$SOURCE_DATE_EPOCH" "$out/$name.zip"
(cd "$out" && sha256sum "$name.zip" && cd "$stage" && sha256sum quimbel.exe) >"$out/SHA256SUMS"

echo "quimbel.exe: $(stat -c %s "$exe") bytes"
echo "release: $out/$name.zip ($(stat -c %s "$out/$name.zip") bytes)"
echo "hashes: $out/SHA256SUMS"
