#!/bin/sh
# The program must import from KOVQMX.dll, and our library export, exactly the names of
# KOVQMX.def: a stdcall decoration ("OpenManagerExA@16", x86 only) in either table would keep the
# maker's library from replacing ours without a rebuild.
#   check-imports.sh <objdump> <KOVQMX.def> <remotepanel.exe> <KOVQMX.dll>
set -eu
objdump=$1 def=$2 program=$3 library=$4
names=$(sed -n 's/^[[:space:]][[:space:]]*\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]*$/\1/p' "$def" | sort)
imports=$("$objdump" -p "$program" | sed -n '/DLL Name: KOVQMX.dll/,/^[[:space:]]*$/p' |
  awk 'NR > 2 && NF >= 3 { print $3 }' | sort)
exports=$("$objdump" -p "$library" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^[[:space:]]*$/p' |
  awk 'NR > 1 && NF { print $NF }' | sort)
status=0
[ "$imports" = "$names" ] || { printf '%s imports:\n%s\n' "$program" "$imports"; status=1; }
[ "$exports" = "$names" ] || { printf '%s exports:\n%s\n' "$library" "$exports"; status=1; }
[ $status = 0 ] || printf 'expected, as in %s:\n%s\n' "$def" "$names"
exit $status
