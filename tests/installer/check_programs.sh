#!/usr/bin/env bash
# Checks that each installer program is built for its machine and needs only
# DLLs every Windows has: the installer is run on PCs that have no compiler
# runtime, so a dependency on one would stop it before its first page.
#   check_programs.sh OBJDUMP PROGRAM FORMAT [PROGRAM FORMAT]...
set -u
objdump=$1; shift
fail=0
while (($# >= 2)); do
  program=$1 format=$2; shift 2
  name=$(basename "$program")
  header=$("$objdump" -p "$program") || { echo "FAIL: $name cannot be read"; fail=1; continue; }
  if grep -q "file format $format\$" <<<"$header"; then
    echo "ok: $name is $format"
  else
    echo "FAIL: $name is not $format"; fail=1
  fi
  others=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$header" |
           grep -viE '^(kernel32|user32|gdi32|advapi32|msvcrt)\.dll$' | tr '\n' ' ')
  if [[ -z $others ]]; then
    echo "ok: $name needs only system DLLs"
  else
    echo "FAIL: $name needs $others"; fail=1
  fi
done
exit $fail
