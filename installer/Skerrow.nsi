; The Skerrow installer, for the current user.
;
; Built twice by cmake/Installer.cmake:
;   BITS=64  SkerrowSetup64.exe, a 64-bit installer holding the add-in for
;            64-bit Outlook;
;   BITS=32  SkerrowSetup.exe, a 32-bit installer (it runs on every Windows)
;            holding the add-in for 32-bit Outlook and SkerrowSetup64.exe,
;            which it runs for 64-bit Outlook.
; A DLL can only be loaded, and so registered, by a process of its own
; bitness: that is why each add-in is installed, registered and later
; removed by an installer and uninstaller of its bitness.
;
; Defines: BITS, VERSION, OUTFILE, DLL (the add-in of this bitness), CHM,
; and for BITS=32 SETUP64 (the 64-bit installer to carry).
;
; The add-in reads its folder from ProgramFilesDir in HKLM, in the registry
; view of its bitness, plus "\Quelbrik\Skerrowdir": the folder is fixed, and
; under Program Files, which a standard user cannot write. The installer runs
; with the user's rights (the registration belongs to the user's HKCU, which
; an elevated process of another account would miss); when the folder is not
; writable, it asks once for elevation to run itself with /GRANTFOLDER, which
; creates the folder and gives the user the right to change files in it, so
; that Outlook, running as the user, can write the dictionary there.
;
; Command line: /S silent; /BITS=32|64 (SkerrowSetup.exe) picks the add-in;
; /FORCE (SkerrowSetup64.exe) installs even where a 32-bit Outlook is found.
; Exit codes: 0 installed, 1 cancelled, 2 another failure (NSIS's own codes),
; 3 the add-in does not match the Outlook found, 4 the folder could not be
; made writable, 5 Outlook is running, 6 the add-in could not be registered,
; 7 an earlier installation could not be removed.
; Uninstaller: /S silent; /REMOVEDATA also removes the user's data; exit code
; 5 while Outlook runs, 6 when the add-in could not be unregistered.

Unicode true
!if ${BITS} == 64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestSupportedOS all

!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include nsDialogs.nsh
!include MUI2.nsh

!define PRODUCT "Skerrow"
!define PUBLISHER "Quelbrik"
!define ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Skerrow"
!define PROFILE_SECTION "Tamsquil"
!define DICTIONARY "Tamsquill.bin"
!define ERROR_LOG "C:\Skerrowlog.txt"
!define OUTLOOK_WINDOW_CLASS "rctrl_renwnd32"
!define HKEY_CLASSES_ROOT 0x80000000
!define HKEY_CURRENT_USER 0x80000001

!define EXIT_WRONG_BITNESS 3
!define EXIT_FOLDER 4
!define EXIT_OUTLOOK_RUNNING 5
!define EXIT_REGISTRATION 6
!define EXIT_EARLIER_INSTALLATION 7

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup for Outlook"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Var Bits            ; the add-in to install: 32 or 64
Var OutlookBits     ; the Outlook found: 32, 64, or empty
Var OutlookPath
!if ${BITS} == 32
  Var Radio32
  Var Radio64
!endif
Var RemoveData      ; uninstaller: 1 to remove the user's data too
Var RemoveDataBox

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs the ${PRODUCT} spam filter into Outlook for your Windows account.$\r$\n$\r$\nPlease close Outlook before you continue."
!insertmacro MUI_PAGE_WELCOME
!if ${BITS} == 32
  Page custom BitnessPage BitnessPageLeave
!endif
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} is installed. Start Outlook: the Tamsquill toolbar and the Skerrow page of Tools > Options are there."
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.DataPage un.DataPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------
; Shared between the installer and the uninstaller ("un." twins).

; The folder the add-in of a bitness reads: ProgramFilesDir of that registry
; view, as the add-in reads it, else the add-in's own fallback.
!macro InstallFolderFunction un
Function ${un}InstallFolderOf   ; in: $0 = 32 or 64; out: $0 = the folder
  Push $1
  ${If} $0 == 64
    SetRegView 64
  ${Else}
    SetRegView 32
  ${EndIf}
  ReadRegStr $1 HKLM "Software\Microsoft\Windows\CurrentVersion" "ProgramFilesDir"
  SetRegView lastused
  ${If} $1 == ""
    StrCpy $1 "C:\Program Files"
  ${EndIf}
  StrCpy $0 "$1\Quelbrik\Skerrowdir"
  Pop $1
FunctionEnd
!macroend
!insertmacro InstallFolderFunction ""

; Outlook holds the add-in while it runs: its files can be neither replaced
; nor removed then.
!macro OutlookClosedFunction un
Function ${un}WaitForOutlookClosed
  ${Do}
    FindWindow $0 "${OUTLOOK_WINDOW_CLASS}"
    ${If} $0 == 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Outlook is running. Please close Outlook, then click Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_OUTLOOK_RUNNING}
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro OutlookClosedFunction ""
!insertmacro OutlookClosedFunction "un."

; Calls DllRegisterServer or DllUnregisterServer of the add-in with
; HKEY_CLASSES_ROOT of this process redirected to HKCU\Software\Classes, and
; the type library registered per user, so that everything the server writes
; for its classes lands in the current user's hive.
!macro ServerEntryFunction un
Function ${un}CallServerEntry   ; in: $0 = DLL path, $1 = entry name; out: $0 = HRESULT, or "error"
  Push $2
  Push $3
  Push $4
  Push $5
  StrCpy $5 "error"
  System::Call 'advapi32::RegCreateKeyExW(p ${HKEY_CURRENT_USER}, w "Software\Classes", i 0, p 0, i 0, i 0xF003F, p 0, *p .r2, p 0) i .r3'
  ${If} $3 == 0
    System::Call 'advapi32::RegOverridePredefKey(p ${HKEY_CLASSES_ROOT}, p r2) i .r3'
    ${If} $3 == 0
      System::Call 'oleaut32::OaEnablePerUserTLibRegistration()'
      System::Call 'kernel32::LoadLibraryExW(w r0, p 0, i 0x8) p .r3'
      ${If} $3 != 0
        System::Call 'kernel32::GetProcAddress(p r3, m r1) p .r4'
        ${If} $4 != 0
          System::Call '::$4() i .r5'
        ${EndIf}
        System::Call 'kernel32::FreeLibrary(p r3)'
      ${EndIf}
      System::Call 'advapi32::RegOverridePredefKey(p ${HKEY_CLASSES_ROOT}, p 0)'
    ${EndIf}
    System::Call 'advapi32::RegCloseKey(p r2)'
  ${EndIf}
  StrCpy $0 $5
  Pop $5
  Pop $4
  Pop $3
  Pop $2
FunctionEnd
!macroend
!insertmacro ServerEntryFunction ""
!insertmacro ServerEntryFunction "un."

; ---------------------------------------------------------------------------
; Finding Outlook.

; The machine type in the PE header of a program: 32 for i386, 64 for AMD64.
Function ProgramBits   ; in: $0 = path; out: $0 = 32, 64 or empty
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  ClearErrors
  FileOpen $1 $0 r
  StrCpy $0 ""
  ${IfNot} ${Errors}
    FileSeek $1 0x3C SET
    StrCpy $2 0   ; the header's offset, a little-endian DWORD
    ${For} $3 0 3
      FileReadByte $1 $4
      IntOp $5 $3 * 8
      IntOp $4 $4 << $5
      IntOp $2 $2 | $4
    ${Next}
    FileSeek $1 $2 SET
    FileReadByte $1 $3   ; "P"
    FileReadByte $1 $4   ; "E"
    ${If} $3 = 80
    ${AndIf} $4 = 69
      FileSeek $1 2 CUR
      FileReadByte $1 $3
      FileReadByte $1 $4
      IntOp $4 $4 << 8
      IntOp $3 $3 | $4
      ${If} $3 = 0x14C
        StrCpy $0 32
      ${ElseIf} $3 = 0x8664
        StrCpy $0 64
      ${EndIf}
    ${EndIf}
    FileClose $1
  ${EndIf}
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; Outlook's program as Windows knows it (App Paths, in both registry views),
; and its bitness from the program itself: the Outlook is what the add-in
; must match, whatever the Windows.
Function DetectOutlook
  StrCpy $OutlookPath ""
  StrCpy $OutlookBits ""
  ; 32-bit Windows ignores the view: both reads see its one registry.
  SetRegView 64
  Call ReadOutlookPath
  ${If} $OutlookPath == ""
    SetRegView 32
    Call ReadOutlookPath
  ${EndIf}
  SetRegView lastused
  ${If} $OutlookPath != ""
    StrCpy $0 $OutlookPath
    Call ProgramBits
    StrCpy $OutlookBits $0
  ${EndIf}
FunctionEnd

Function ReadOutlookPath
  ReadRegStr $0 HKLM "Software\Microsoft\Windows\CurrentVersion\App Paths\OUTLOOK.EXE" ""
  ${If} $0 == ""
    ReadRegStr $0 HKCU "Software\Microsoft\Windows\CurrentVersion\App Paths\OUTLOOK.EXE" ""
  ${EndIf}
  ; The value may be quoted.
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $0 $0 -1
  ${EndIf}
  ${If} ${FileExists} $0
    StrCpy $OutlookPath $0
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------
; The installation folder and its rights.

; The current user's SID as text, for the elevated helper to grant to.
Function UserSid   ; out: $0 = the SID, or empty
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $0 ""
  System::Call 'advapi32::OpenProcessToken(p -1, i 0x8, *p .r1) i .r2'
  ${If} $2 != 0
    System::Call 'advapi32::GetTokenInformation(p r1, i 1, p 0, i 0, *i .r3)'
    System::Alloc $3
    Pop $4
    System::Call 'advapi32::GetTokenInformation(p r1, i 1, p r4, i r3, *i .r3) i .r2'
    ${If} $2 != 0
      System::Call '*$4(p .r2)'   ; TOKEN_USER.User.Sid
      System::Call 'advapi32::ConvertSidToStringSidW(p r2, *p .r3) i .r2'
      ${If} $2 != 0
        System::Call 'kernel32::lstrcpynW(w .r0, p r3, i ${NSIS_MAX_STRLEN})'
        System::Call 'kernel32::LocalFree(p r3)'
      ${EndIf}
    ${EndIf}
    System::Free $4
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

Function FolderIsWritable   ; in: $0 = folder; out: $0 = 1 or 0
  Push $1
  ClearErrors
  CreateDirectory $0
  FileOpen $1 "$0\Skerrow.probe" w
  ${If} ${Errors}
    StrCpy $0 0
  ${Else}
    FileClose $1
    Delete "$0\Skerrow.probe"
    StrCpy $0 1
  ${EndIf}
  Pop $1
FunctionEnd

; Makes $INSTDIR exist and writable for the user, asking once for elevation
; when the user's own rights do not suffice.
Function PrepareInstallFolder
  StrCpy $0 $INSTDIR
  Call FolderIsWritable
  ${If} $0 == 1
    Return
  ${EndIf}
  Call UserSid
  ${If} $0 != ""
    DetailPrint "Asking for permission to create $INSTDIR for your account"
    ExecShellWait "runas" "$EXEPATH" '/GRANTFOLDER="$INSTDIR" /USERSID=$0' SW_HIDE
    StrCpy $0 $INSTDIR
    Call FolderIsWritable
    ${If} $0 == 1
      Return
    ${EndIf}
  ${EndIf}
  MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs the folder $INSTDIR, and your account must be allowed to change files in it (Outlook keeps what Skerrow learns there). The folder could not be prepared: an administrator's approval is needed once." /SD IDOK
  SetErrorLevel ${EXIT_FOLDER}
  Quit
FunctionEnd

; The elevated helper: creates the folder and grants the user Modify on the
; topmost folder it created, so that the uninstaller, running as the user,
; can remove it again.
Function GrantFolder   ; in: $R1 = folder, $R2 = SID
  ${GetParent} $R1 $R3
  StrCpy $R4 $R1
  ${IfNot} ${FileExists} "$R3\*.*"
    StrCpy $R4 $R3
  ${EndIf}
  ClearErrors
  CreateDirectory $R1
  ${If} ${Errors}
    SetErrorLevel ${EXIT_FOLDER}
    Return
  ${EndIf}
  nsExec::Exec '"$SYSDIR\icacls.exe" "$R4" /grant *$R2:(OI)(CI)M'
  Pop $R5
  ${If} $R5 != 0
    SetErrorLevel ${EXIT_FOLDER}
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------
; The installer.

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/GRANTFOLDER=" $R1
  ${IfNot} ${Errors}
    ${GetOptions} $R0 "/USERSID=" $R2
    SetErrorLevel 0
    Call GrantFolder
    Quit
  ${EndIf}

  Call DetectOutlook
!if ${BITS} == 64
  StrCpy $Bits 64
  ClearErrors
  ${GetOptions} $R0 "/FORCE" $R1
  ${If} ${Errors}
  ${AndIf} $OutlookBits == 32
    MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "The Outlook on this computer is a 32-bit program, and this installer holds the add-in for 64-bit Outlook, which it cannot load. Use SkerrowSetup.exe instead.$\r$\n$\r$\nInstall the 64-bit add-in anyway?" /SD IDCANCEL IDOK anyway
    SetErrorLevel ${EXIT_WRONG_BITNESS}
    Quit
    anyway:
  ${EndIf}
!else
  ${If} ${RunningX64}
    StrCpy $Bits $OutlookBits
    ${If} $Bits == ""
      StrCpy $Bits 64
    ${EndIf}
  ${Else}
    StrCpy $Bits 32
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/BITS=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == 32
    ${OrIf} $R1 == 64
      StrCpy $Bits $R1
    ${EndIf}
    ${If} $Bits == 64
    ${AndIfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "The 64-bit add-in needs 64-bit Windows." /SD IDOK
      SetErrorLevel ${EXIT_WRONG_BITNESS}
      Quit
    ${EndIf}
  ${EndIf}
!endif
  StrCpy $0 $Bits
  Call InstallFolderOf
  StrCpy $INSTDIR $0
FunctionEnd

!if ${BITS} == 32
Function BitnessPage
  ${IfNot} ${RunningX64}
    Abort   ; 32-bit Windows runs 32-bit Outlook only
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Outlook" "Choose the add-in that matches your Outlook."
  nsDialogs::Create 1018
  Pop $0
  ${If} $OutlookBits == ""
    StrCpy $1 "No Outlook was found on this computer."
  ${Else}
    StrCpy $1 "Found $OutlookBits-bit Outlook: $OutlookPath"
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 36u "The add-in must match your Outlook, not your Windows. $1"
  Pop $0
  StrCpy $0 32
  Call InstallFolderOf
  ${NSD_CreateRadioButton} 0 44u 100% 20u "For 32-bit Outlook, into $0"
  Pop $Radio32
  StrCpy $0 64
  Call InstallFolderOf
  ${NSD_CreateRadioButton} 0 68u 100% 20u "For 64-bit Outlook, into $0"
  Pop $Radio64
  ${If} $Bits == 32
    ${NSD_Check} $Radio32
  ${Else}
    ${NSD_Check} $Radio64
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function BitnessPageLeave
  ${NSD_GetState} $Radio64 $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Bits 64
  ${Else}
    StrCpy $Bits 32
  ${EndIf}
  StrCpy $0 $Bits
  Call InstallFolderOf
  StrCpy $INSTDIR $0
FunctionEnd

; The 64-bit add-in is installed, registered and later removed by the 64-bit
; installer this one carries.
Function InstallWith64BitInstaller
  DetailPrint "Installing the add-in for 64-bit Outlook"
  InitPluginsDir
  File "/oname=$PLUGINSDIR\SkerrowSetup64.exe" "${SETUP64}"
  ExecWait '"$PLUGINSDIR\SkerrowSetup64.exe" /S /FORCE' $0
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "The add-in for 64-bit Outlook could not be installed (error $0)." /SD IDOK
    SetErrorLevel $0
    Quit
  ${EndIf}
  DetailPrint "Installed into $INSTDIR"
FunctionEnd
!endif

; An earlier installation (of either bitness) is removed by its own
; uninstaller, which keeps the user's data.
Function RemovePreviousInstallation
  ReadRegStr $0 HKCU "${ARP_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0\Uninstall.exe"
    Return
  ${EndIf}
  DetailPrint "Removing the earlier installation in $0"
  ExecWait '"$0\Uninstall.exe" /S _?=$0' $1
  ${If} $1 != 0
    MessageBox MB_OK|MB_ICONSTOP "The earlier installation in $0 could not be removed (error $1)." /SD IDOK
    SetErrorLevel ${EXIT_EARLIER_INSTALLATION}
    Quit
  ${EndIf}
  ; Run in place, the uninstaller cannot delete itself.
  Delete "$0\Uninstall.exe"
  RMDir $0
  ${GetParent} $0 $0
  RMDir $0
FunctionEnd

; Switching between the 32-bit and the 64-bit add-in moves to the other
; folder: the dictionary comes along when the new folder has none.
Function TakeDictionaryAlong
  ${IfNot} ${RunningX64}
  ${OrIf} ${FileExists} "$INSTDIR\${DICTIONARY}"
    Return
  ${EndIf}
  ${If} $Bits == 64
    StrCpy $0 32
  ${Else}
    StrCpy $0 64
  ${EndIf}
  Call InstallFolderOf
  ${If} ${FileExists} "$0\${DICTIONARY}"
    DetailPrint "Copying what Skerrow has learned from $0"
    CopyFiles /SILENT "$0\${DICTIONARY}" $INSTDIR
  ${EndIf}
FunctionEnd

Section "Skerrow"
  Call WaitForOutlookClosed
!if ${BITS} == 32
  ${If} $Bits == 64
    Call InstallWith64BitInstaller
    Return
  ${EndIf}
!endif
  Call RemovePreviousInstallation
  Call PrepareInstallFolder

  SetOutPath $INSTDIR
  File "/oname=Tamsquill.DLL" "${DLL}"
  File "/oname=Skerrow.chm" "${CHM}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  Call TakeDictionaryAlong

  DetailPrint "Registering the add-in for your account"
  StrCpy $0 "$INSTDIR\Tamsquill.DLL"
  StrCpy $1 "DllRegisterServer"
  Call CallServerEntry
  ${If} $0 != 0
    DetailPrint "Registration failed: $0"
    StrCpy $0 "$INSTDIR\Tamsquill.DLL"
    StrCpy $1 "DllUnregisterServer"
    Call CallServerEntry
    Delete "$INSTDIR\Tamsquill.DLL"
    Delete "$INSTDIR\Skerrow.chm"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir $INSTDIR
    MessageBox MB_OK|MB_ICONSTOP "The add-in could not be registered for your account." /SD IDOK
    SetErrorLevel ${EXIT_REGISTRATION}
    Quit
  ${EndIf}

  WriteRegStr HKCU "${ARP_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${ARP_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${ARP_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${ARP_KEY}" "Comments" "Spam filter for ${BITS}-bit Outlook"
  WriteRegStr HKCU "${ARP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${ARP_KEY}" "DisplayIcon" "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "${ARP_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${ARP_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${ARP_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${ARP_KEY}" "NoRepair" 1
  ${GetSize} $INSTDIR "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${ARP_KEY}" "EstimatedSize" $0
SectionEnd

; ---------------------------------------------------------------------------
; The uninstaller: it runs from the installation folder (or a copy of it
; made by Windows' temporary-folder dance), so $INSTDIR is that folder.

Function un.onInit
  StrCpy $RemoveData 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVEDATA" $R1
  ${IfNot} ${Errors}
    StrCpy $RemoveData 1
  ${EndIf}
FunctionEnd

Function un.DataPage
  !insertmacro MUI_HEADER_TEXT "Remove ${PRODUCT}" "Remove the add-in from Outlook for your account."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 60u "The add-in and its help will be removed from $INSTDIR.$\r$\n$\r$\nWhat Skerrow has learned (${DICTIONARY}, with your list of valid texts), its error log (${ERROR_LOG}) and your Skerrow options in WIN.INI are your data: they stay, so that a later installation goes on where you left off, unless you tick the box below."
  Pop $0
  ${NSD_CreateCheckBox} 0 70u 100% 12u "Also remove what Skerrow has learned, its error log and its options"
  Pop $RemoveDataBox
  ${If} $RemoveData == 1
    ${NSD_Check} $RemoveDataBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function un.DataPageLeave
  ${NSD_GetState} $RemoveDataBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $RemoveData 1
  ${Else}
    StrCpy $RemoveData 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.WaitForOutlookClosed

  ${If} ${FileExists} "$INSTDIR\Tamsquill.DLL"
    DetailPrint "Unregistering the add-in"
    StrCpy $0 "$INSTDIR\Tamsquill.DLL"
    StrCpy $1 "DllUnregisterServer"
    Call un.CallServerEntry
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONSTOP "The add-in could not be unregistered (error $0); nothing was removed." /SD IDOK
      SetErrorLevel ${EXIT_REGISTRATION}
      Quit
    ${EndIf}
  ${EndIf}

  Delete "$INSTDIR\Tamsquill.DLL"
  Delete "$INSTDIR\Skerrow.chm"
  Delete "$INSTDIR\Uninstall.exe"
  ${If} $RemoveData == 1
    DetailPrint "Removing what Skerrow has learned, its error log and its options"
    Delete "$INSTDIR\${DICTIONARY}"
    Delete "${ERROR_LOG}"
    ; Through the same profile function the add-in writes with, so that the
    ; section goes wherever Windows put it.
    System::Call 'kernel32::WriteProfileStringW(w "${PROFILE_SECTION}", p 0, p 0)'
  ${EndIf}
  RMDir $INSTDIR
  ${GetParent} $INSTDIR $0
  RMDir $0
  DeleteRegKey HKCU "${ARP_KEY}"
SectionEnd
