; Dravik's installer. Built by scripts/dist.sh, which passes VERSION_MAJOR,
; VERSION_MINOR, BIN_DIR and OUT_FILE with /D.
Unicode true
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"
!include "Win\WinNT.nsh"

!define VERSION "${VERSION_MAJOR}.${VERSION_MINOR}"
!define PRODUCT "Morvane Dravik"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane Dravik ${VERSION}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Morvane\Dravik"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "CompanyName" "Morvane"
VIAddVersionKey /LANG=1031 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Morvane"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; A running ruler holds its files open and would save its settings after the
; uninstaller: ask it to close, as the user's "Beenden" would, and wait for its
; process to end, so that its files are free. One still there after ten tries
; (hung) is left to the user; a silent run ends with exit code 2 instead of
; waiting for ever.
!macro CloseRunningDravik
    StrCpy $1 0
    find_ruler:
    FindWindow $0 "TMainDlg" "Dravik"
    StrCmp $0 0 ruler_closed
    IntCmp $1 10 ruler_stays
    IntOp $1 $1 + 1
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r2) p .r3'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=1000
    System::Call 'kernel32::WaitForSingleObject(p r3, i 1000)'
    System::Call 'kernel32::CloseHandle(p r3)'
    Goto find_ruler
    ruler_stays:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Dravik läuft noch. Bitte beenden Sie Dravik und klicken Sie auf Wiederholen." /SD IDCANCEL IDRETRY retry_close
    SetErrorLevel 2
    Quit
    retry_close:
    StrCpy $1 0
    Goto find_ruler
    ruler_closed:
!macroend

Function .onInit
    SetRegView 64
    !insertmacro CloseRunningDravik
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro CloseRunningDravik
FunctionEnd

Section "Dravik" SecMain
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    ; No Dravik.ini: beside the installed exe it would make the copy portable,
    ; saving into a folder the user may not write.
    File "${BIN_DIR}\Dravik.exe"
    File "${BIN_DIR}\zephal.dll"
    File "${BIN_DIR}\Hilfe.chm"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "$SMPROGRAMS\Morvane Dravik"
    CreateShortcut "$SMPROGRAMS\Morvane Dravik\Dravik.lnk" "$INSTDIR\Dravik.exe"
    CreateShortcut "$SMPROGRAMS\Morvane Dravik\Dravik-Hilfe.lnk" "$INSTDIR\Hilfe.chm"
    CreateShortcut "$SMPROGRAMS\Morvane Dravik\Dravik deinstallieren.lnk" "$INSTDIR\Uninstall.exe"

    WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Morvane"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Dravik.exe"
    WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes; the settings stay unless asked.
Section "un.Programm" UnSecMain
    SectionIn RO
    SetShellVarContext all
    Delete "$INSTDIR\Dravik.exe"
    Delete "$INSTDIR\zephal.dll"
    Delete "$INSTDIR\Hilfe.chm"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$SMPROGRAMS\Morvane Dravik\Dravik.lnk"
    Delete "$SMPROGRAMS\Morvane Dravik\Dravik-Hilfe.lnk"
    Delete "$SMPROGRAMS\Morvane Dravik\Dravik deinstallieren.lnk"
    RMDir "$SMPROGRAMS\Morvane Dravik"
    DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

Section /o "un.Einstellungen löschen" UnSecSettings
    SetShellVarContext current
    Delete "$APPDATA\Morvane\Dravik\Settings.ini"
    RMDir "$APPDATA\Morvane\Dravik"
    RMDir "$APPDATA\Morvane"
    Delete "$INSTDIR\Dravik.ini"
SectionEnd

Section "-un.Folders"
    ; Empty folders only: whatever the user left there stays.
    RMDir "$INSTDIR"
    RMDir "$INSTDIR\.."
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecMain} "Programmdateien, Startmenü-Einträge und Deinstallationseintrag."
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "Auch die gespeicherten Einstellungen (Settings.ini, Dravik.ini) löschen."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
