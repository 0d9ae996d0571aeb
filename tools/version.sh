#!/usr/bin/env bash
# Prints the program's version, as src/version.h holds it: major.minor.patch.
set -euo pipefail
header="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src/version.h"
part() { awk -v name="QUIMBEL_VERSION_$1" '$1 == "#define" && $2 == name {print $3}' "$header"; }
echo "$(part MAJOR).$(part MINOR).$(part PATCH)"
