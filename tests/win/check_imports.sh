#!/usr/bin/env bash
# Each program given must be a PE file of the expected kind (pei-x86-64 or
# pei-i386) that imports only the system's DLLs: the C++ runtime, libgcc and
# winpthread linked in, so it runs on a bare Windows.
set -euo pipefail
format=$1
shift
status=0
for program in "$@"; do
  header=$(objdump -p "$program")
  if ! grep -q "file format $format" <<<"$header"; then
    echo "$program: not $format" >&2
    status=1
  fi
  dlls=$(grep "DLL Name:" <<<"$header" | awk '{print $3}')
  echo "$program imports:" $dlls
  if grep -qiE 'libstdc|libgcc|libwinpthread' <<<"$dlls"; then
    echo "$program: imports a runtime that is not the system's" >&2
    status=1
  fi
done
exit $status
