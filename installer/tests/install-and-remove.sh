#!/usr/bin/env bash
# The installer's test: installer/tests/install-and-remove.sh PREFIX SETUP64
#   DLL CHM SETUP32
# SETUP32 (SkerrowSetup.exe, a 32-bit program) cannot run here: it is checked
# statically. SETUP64 runs silently under wine64 in the Wine prefix PREFIX,
# made on first use and made anew when an earlier run left traces in it:
#   - where a 32-bit Outlook is found it refuses, and installs nothing;
#   - it installs the add-in and the help into the folder the add-in reads,
#     registers the add-in for the user only (HKCU, none of it in HKLM), adds
#     the Add/Remove Programs entry, and brings a dictionary along from the
#     32-bit add-in's folder;
#   - the uninstaller removes all of that and keeps the user's data (the
#     dictionary, the error log, the WIN.INI section), and removes the data
#     too when asked with /REMOVEDATA.
set -uo pipefail
prefix=$1 setup64=$2 dll=$3 chm=$4 setup32=$5

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
absent() { ! "$@"; }

# The machine type in a PE header: 014c (i386) or 8664 (AMD64).
pe_machine() {
  local offset
  offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' '
}
# A file that a program's PE header reading takes for OUTLOOK.EXE of MACHINE.
fake_program() {  # fake_program PATH MACHINE(hex, little-endian bytes)
  mkdir -p "$(dirname "$1")"
  { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\x00\x00\x00'; printf 'PE\x00\x00'; printf "$2"; } >"$1"
}

reg_value() {  # reg_value KEY [VALUE]: the data, or nothing
  local args=(/ve)
  [ $# -gt 1 ] && args=(/v "$2")
  wine reg query "$1" "${args[@]}" 2>/dev/null | tr -d '\r' |
    awk 'NF >= 3 && $2 ~ /^REG_/ {sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print}'
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
win_path() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }

echo "== the installers' formats"
if [ -f "$setup32" ]; then
  check "SkerrowSetup.exe is a 32-bit program" [ "$(pe_machine "$setup32")" = 014c ]
else
  echo "skipped: SkerrowSetup.exe is built only beside an i686 build (scripts/build-windows.sh)"
fi
check "SkerrowSetup64.exe is a 64-bit program" [ "$(pe_machine "$setup64")" = 8664 ]

drive_c=$prefix/drive_c
folder="$drive_c/Program Files/Quelbrik/Skerrowdir"
folder32="$drive_c/Program Files (x86)/Quelbrik/Skerrowdir"
arp='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Skerrow'
app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\OUTLOOK.EXE'
classes='HKCU\Software\Classes'
addins='HKCU\Software\Microsoft\Office\Outlook\Addins'

if [ -d "$prefix" ] && { [ -e "$drive_c/Program Files/Quelbrik" ] || key_exists "$arp"; }; then
  echo "An earlier run left traces: making the prefix anew"
  wineserver -k 2>/dev/null
  rm -rf "$prefix"
fi
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -u >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
fi

echo "== a 32-bit Outlook"
fake_program "$drive_c/fake32/OUTLOOK.EXE" '\x4c\x01'
wine reg add "$app_paths" /ve /d 'C:\fake32\OUTLOOK.EXE' /f >/dev/null 2>&1
wine "$setup64" /S
check "the 64-bit installer refuses it with exit code 3" [ $? -eq 3 ]
check "and installs nothing" absent [ -e "$folder" ]

echo "== the elevated step, run here without elevation (Wine has no access rights to grant)"
# With the command line exactly as the installer passes it to its elevated copy.
printf '%s /GRANTFOLDER="C:\\Program Files\\Quelbrik\\Skerrowdir" /USERSID=S-1-5-21-1-2-3-1000\r\nexit %%errorlevel%%\r\n' \
  "$(win_path "$setup64")" >"$drive_c/grant.bat"
wine cmd /c 'C:\grant.bat' >/dev/null
check "it succeeds" [ $? -eq 0 ]
check "it creates the folder, and the parent folder it needs" [ -d "$folder" ]
rm -rf "$drive_c/Program Files/Quelbrik" "$drive_c/grant.bat"

echo "== installing for a 64-bit Outlook"
fake_program "$drive_c/fake64/OUTLOOK.EXE" '\x64\x86'
wine reg add "$app_paths" /ve /d 'C:\fake64\OUTLOOK.EXE' /f >/dev/null 2>&1
# As on Windows, the 32-bit view names the 32-bit program folder (a prefix
# without 32-bit Wine lacks it).
wine reg add 'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir \
  /d 'C:\Program Files (x86)' /f >/dev/null 2>&1
mkdir -p "$folder32"
printf 'learned by the 32-bit add-in' >"$folder32/Tamsquill.bin"
wine "$setup64" /S
check "the installer succeeds" [ $? -eq 0 ]
check "Tamsquill.DLL is installed" cmp -s "$dll" "$folder/Tamsquill.DLL"
check "Skerrow.chm is installed" cmp -s "$chm" "$folder/Skerrow.chm"
check "the uninstaller is installed" [ -f "$folder/Uninstall.exe" ]
check "the dictionary came along from the 32-bit folder" cmp -s "$folder32/Tamsquill.bin" "$folder/Tamsquill.bin"

addin_clsid=$(reg_value "$classes\\Tamsquill.Skerrow\\CLSID")
page_clsid=$(reg_value "$classes\\Tamsquill.PropPage\\CLSID")
libid=$(reg_value "$classes\\CLSID\\$addin_clsid\\TypeLib")
check "the add-in's class is registered for the user" [ -n "$addin_clsid" ]
check "the options page's class is registered for the user" [ -n "$page_clsid" ]
check "the add-in's server is the installed DLL" \
  [ "$(reg_value "$classes\\CLSID\\$addin_clsid\\InprocServer32")" = 'C:\Program Files\Quelbrik\Skerrowdir\Tamsquill.DLL' ]
check "the options page's class key is there" key_exists "$classes\\CLSID\\$page_clsid"
check "the type library is registered for the user" key_exists "$classes\\TypeLib\\$libid"
check "nothing is registered for the machine" absent key_exists 'HKLM\Software\Classes\Tamsquill.Skerrow'
check "Outlook loads the add-in at start-up" [ "$(reg_value "$addins\\Tamsquill.Skerrow" LoadBehavior)" = 0x3 ]
check "Add/Remove Programs lists Skerrow" [ "$(reg_value "$arp" DisplayName)" = Skerrow ]
check "its entry removes with the installed uninstaller" \
  [ "$(reg_value "$arp" UninstallString)" = '"C:\Program Files\Quelbrik\Skerrowdir\Uninstall.exe"' ]

echo "== installing over the installation"
wine "$setup64" /S
check "the installer succeeds" [ $? -eq 0 ]
check "the add-in is installed" cmp -s "$dll" "$folder/Tamsquill.DLL"
check "the uninstaller is installed" [ -f "$folder/Uninstall.exe" ]
check "the add-in is still registered" key_exists "$classes\\CLSID\\$addin_clsid\\InprocServer32"
check "Outlook still loads it" key_exists "$addins\\Tamsquill.Skerrow"
check "Add/Remove Programs still lists Skerrow" key_exists "$arp"

# The user's data, as Outlook would leave it.
printf 'a failure\r\n' >"$drive_c/Skerrowlog.txt"
printf '[Tamsquil]\r\nbShowToolbar=1\r\n' >>"$drive_c/windows/win.ini"
uninstall() {  # the uninstaller runs from a copy and returns at once: wait for it
  wine "$(win_path "$folder/Uninstall.exe")" "$@"
  wineserver -w
}

echo "== removing, keeping the user's data"
uninstall /S
for file in Tamsquill.DLL Skerrow.chm Uninstall.exe; do
  check "$file is removed" absent [ -e "$folder/$file" ]
done
for key in "$classes\\Tamsquill.Skerrow" "$classes\\Tamsquill.PropPage" \
  "$classes\\CLSID\\$addin_clsid" "$classes\\CLSID\\$page_clsid" "$classes\\TypeLib\\$libid" \
  "$addins\\Tamsquill.Skerrow" "$arp"; do
  check "$key is removed" absent key_exists "$key"
done
check "Outlook's add-ins key stays" key_exists "$addins"
check "the dictionary stays" [ -f "$folder/Tamsquill.bin" ]
check "the error log stays" [ -f "$drive_c/Skerrowlog.txt" ]
check "the options stay in WIN.INI" grep -q '^\[Tamsquil\]' "$drive_c/windows/win.ini"

echo "== installing again, then removing the user's data too"
wine "$setup64" /S
check "the installer succeeds over the kept data" [ $? -eq 0 ]
check "the dictionary is left as it was" cmp -s "$folder32/Tamsquill.bin" "$folder/Tamsquill.bin"
uninstall /S /REMOVEDATA
check "the installation folder and its parent are removed" absent [ -e "$drive_c/Program Files/Quelbrik" ]
check "the error log is removed" absent [ -e "$drive_c/Skerrowlog.txt" ]
check "the options are removed from WIN.INI" absent grep -q '^\[Tamsquil\]' "$drive_c/windows/win.ini"
check "Add/Remove Programs no longer lists Skerrow" absent key_exists "$arp"

# What this test put into the prefix.
wine reg delete "$app_paths" /f >/dev/null 2>&1
rm -rf "$drive_c/fake32" "$drive_c/fake64" "$drive_c/Program Files (x86)/Quelbrik"
wineserver -w

echo "$failures failed checks"
[ "$failures" -eq 0 ]
