#!/usr/bin/env bash
# The gate of a built Tamsquill.DLL: scripts/check-dll.sh OBJDUMP FORMAT DLL
# FORMAT is pei-i386 for the shipped 32-bit DLL (PE32), pei-x86-64 for its twin
# (PE32+). Checks that the DLL has that format, exports exactly the four COM
# entry points by their plain names, and imports system DLLs only (no MinGW
# runtime DLL beside it).
set -euo pipefail
objdump=$1 format=$2 dll=$3
fail() { echo "check-dll: $dll: $*" >&2; exit 1; }

headers=$("$objdump" -p "$dll")
grep -q "file format $format\$" <<<"$headers" || fail "not $format"
case $format in
  pei-i386) grep -q 'Magic[[:space:]]*010b[[:space:]]*(PE32)' <<<"$headers" || fail "not PE32" ;;
  pei-x86-64) grep -q 'Magic[[:space:]]*020b[[:space:]]*(PE32+)' <<<"$headers" || fail "not PE32+" ;;
esac

# The export name table: lines "[   n] +base[   i] 0000 Name" after its heading.
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {on = 1; next}
               on && /^\t\[/ {print $NF; next}
               on {on = 0}' <<<"$headers" | sort | tr '\n' ' ')
expected="DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer "
[ "$exports" = "$expected" ] || fail "exports '$exports', expected '$expected'"

system_dlls=(advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll)
is_system_dll() {
  local name=${1,,} known
  for known in "${system_dlls[@]}"; do [ "$known" = "$name" ] && return 0; done
  return 1
}
while read -r name; do
  is_system_dll "$name" || fail "imports $name, which is not a system DLL"
done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
echo "check-dll: $dll: $format, the four exports, system imports only"
