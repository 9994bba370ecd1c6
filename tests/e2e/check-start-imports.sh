#!/bin/sh
# A library in the program's import table is loaded, with whatever it loads itself, before the
# program's first line runs. The program imports only the libraries its first screen needs; any
# other (the file dialogs' library, HTML Help) is loaded on first use, from the system folder.
#   check-start-imports.sh <objdump> <remotepanel.exe> <library>...
# Fails naming each imported library that is not one of <library>... (case does not matter).
set -eu
objdump=$1 program=$2
shift 2
allowed=" $(echo "$@" | tr '[:lower:]' '[:upper:]') "
status=0
for dll in $("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:lower:]' '[:upper:]'); do
  case $allowed in
    *" $dll "*) ;;
    *) echo "$program imports $dll, which its first screen does not need"; status=1 ;;
  esac
done
exit $status
