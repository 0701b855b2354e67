#!/usr/bin/env bash
# Checks the delivered Windows programs in dist/: a GUI program (no console
# window) for the right machine, importing only DLLs that every Windows has
# (the runtime is linked statically), and the x86 program under 200 KB.
# MOX_DIST overrides the dist folder.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
dist="${MOX_DIST:-$root/dist}"
allowed='^(KERNEL32|USER32|GDI32|WINMM|COMCTL32|msvcrt)\.dll$'
status=0

check() {
  local arch=$1 objdump=$2 format=$3 exe="$dist/windows-$1/MoxTimer.exe"
  if [ ! -f "$exe" ]; then
    echo "windows-$arch: $exe is missing"; status=1; return
  fi
  local headers size dlls
  headers="$("$objdump" -p "$exe")"
  size=$(stat -c %s "$exe")
  dlls=$(echo "$headers" | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
  echo "windows-$arch: $size bytes; imports: $dlls"
  grep -q "file format $format" <<<"$headers" || { echo "  not a $format program"; status=1; }
  grep -Eq '^Subsystem\s+0+2\s' <<<"$headers" || { echo "  not a GUI-subsystem program"; status=1; }
  for dll in $dlls; do
    echo "$dll" | grep -Eiq "$allowed" || { echo "  imports $dll, which is no system DLL"; status=1; }
  done
  if [ "$arch" = x86 ] && [ "$size" -ge 204800 ]; then
    echo "  larger than 200 KB"; status=1
  fi
}

check x86 i686-w64-mingw32-objdump pei-i386
check x64 x86_64-w64-mingw32-objdump pei-x86-64
exit $status
