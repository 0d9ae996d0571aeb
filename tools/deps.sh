#!/usr/bin/env bash
# Installs the Debian packages a make target needs. Safe to run again: it only
# calls apt-get when something is missing.
set -euo pipefail

native=(cmake make g++ libgtest-dev libbenchmark-dev clang-format)
windows=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
         mingw-w64-x86-64-dev g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
         binutils-mingw-w64-i686 mingw-w64-i686-dev wine wine64 wine32:i386 xvfb x11-apps x11-utils imagemagick xdotool
         fonts-dejavu-core fonts-wine procps zip unzip git libstb-dev)

# For make reliability and make bench: the fuzzer's compiler and runtime.
tools=(clang libclang-rt-14-dev)

want=("${native[@]}")
case "${1:-all}" in
  native) ;;
  tools) want+=("${windows[@]}" "${tools[@]}") ;;
  *) want+=("${windows[@]}") ;;
esac

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages and not root; install them with: apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# 32-bit Wine runs the x86 build's tests; its packages are i386 ones.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
