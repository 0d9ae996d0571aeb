#!/usr/bin/env bash
# Checks that a Windows executable starts on Windows 7 SP1: its PE header asks
# for no newer system (subsystem and OS version 6.1 at most), and every
# function it imports is in the list of what Windows 7 SP1 has, for the exe's
# architecture (x64 or x86), read with that architecture's objdump. With a
# list of DLLs, also that it imports from those (KnownDLLs) only.
# Usage: check-imports.sh program.exe allowed-imports.txt [allowed-dlls.txt]
set -euo pipefail
exe="$1"
allowed="$2"
dlls="${3:-}"
case "$(x86_64-w64-mingw32-objdump -f "$exe" | awk '/file format/ {print $NF}')" in
  pei-i386) arch=x86 objdump=i686-w64-mingw32-objdump ;;
  pei-x86-64) arch=x64 objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "$(basename "$exe"): not a 32-bit or 64-bit x86 Windows program"; exit 1 ;;
esac
headers="$("$objdump" -p "$exe")"

status=0
for field in Subsystem OSystem; do
  major=$(awk -v f="Major${field}Version" '$1 == f {print $2}' <<<"$headers")
  minor=$(awk -v f="Minor${field}Version" '$1 == f {print $2}' <<<"$headers")
  if [ -z "$major" ] || [ "$major" -gt 6 ] || { [ "$major" -eq 6 ] && [ "$minor" -gt 1 ]; }; then
    echo "$(basename "$exe"): ${field} version ${major}.${minor} is newer than Windows 7 (6.1)"
    status=1
  fi
done

imports=$(awk '/DLL Name:/ {dll = toupper($3); next}
               /^\t[0-9a-f]+\t +[0-9]+ +[^ ]/ {print dll, $3}' <<<"$headers" | sort -u)
if [ -z "$imports" ]; then
  echo "$(basename "$exe"): no imports found; is it a PE file?"
  exit 1
fi
# Names the lines of `given` that `allowed` lacks, with advice, and fails.
refuse_unlisted() {  # what they are, given, allowed, advice lines...
  local what="$1" given="$2" allowed="$3" extra
  shift 3
  extra=$(comm -23 <(echo "$given") <(echo "$allowed"))
  [ -z "$extra" ] && return 0
  echo "$(basename "$exe") imports $what:"
  sed 's/^/  /' <<<"$extra"
  printf '%s\n' "$@"
  status=1
}

if [ -n "$dlls" ]; then
  refuse_unlisted "DLLs that Windows may load from the program's folder" \
    "$(awk '/DLL Name:/ {print toupper($3)}' <<<"$headers" | sort -u)" \
    "$(grep -v '^#' "$dlls" | awk 'NF {print toupper($1)}' | sort -u)" \
    "Look their functions up at run time (platform/system_library.h), or, if they are" \
    "KnownDLLs on Windows 7 SP1, add them to $dlls."
fi
refuse_unlisted "functions that are not known to exist on Windows 7 SP1" "$imports" \
  "$(grep -v '^#' "$allowed" |
     awk -v arch="$arch" 'NF >= 2 && ($5 == "" || $5 == arch) {print toupper($1), $2}' | sort -u)" \
  "Look them up at run time (GetProcAddress), or, after reading their minimum version," \
  "add them to $allowed."
[ $status -eq 0 ] && echo "$(basename "$exe") ($arch): $(wc -l <<<"$imports") imports, all on Windows 7 SP1"
exit $status
