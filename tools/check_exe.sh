#!/usr/bin/env bash
# The shipped exe: at most 80 KiB, imports only DLLs every Windows has, 32-bit GUI.
set -u
exe=${1:?usage: check_exe.sh vexlo.exe}
fail=0
size=$(stat -c %s "$exe")
echo "size: $size bytes (budget 81920)"
[ "$size" -le 81920 ] || { echo "FAIL: over budget"; fail=1; }
dlls=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/{print toupper($3)}' | sort -u)
echo "imports:" $dlls
for d in $dlls; do
  case "$d" in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL|SHELL32.DLL|COMCTL32.DLL|MSVCRT.DLL) ;;
    *) echo "FAIL: imports $d"; fail=1 ;;
  esac
done
i686-w64-mingw32-objdump -f "$exe" | grep -q 'pei-i386' || { echo "FAIL: not a 32-bit PE"; fail=1; }
i686-w64-mingw32-objdump -p "$exe" | grep -q 'Subsystem.*(Windows GUI)' || { echo "FAIL: not a GUI exe"; fail=1; }
exit $fail
