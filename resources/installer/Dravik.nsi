; Dravik's installer. Built by scripts/dist.sh, which passes VERSION_MAJOR,
; VERSION_MINOR, BIN_DIR and OUT_FILE with /D. Its pages and Start-menu links
; are German on a German Windows, as they always were, and English elsewhere.
Unicode true
Target amd64-unicode
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "Win\WinNT.nsh"

!define VERSION "${VERSION_MAJOR}.${VERSION_MINOR}"
!define PRODUCT "Morvane Dravik"
!define UNINST_ROOT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
; One entry for the product, whatever its version (DisplayVersion says which):
; an install over an older one replaces its entry instead of adding one.
!define UNINST_KEY "${UNINST_ROOT}\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
!define DEFAULT_DIR "$PROGRAMFILES64\Morvane\Dravik"
InstallDir "${DEFAULT_DIR}"
; The folder of the last install is offered again.
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "CompanyName" "Morvane"
VIAddVersionKey /LANG=1031 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Morvane"

; Set when the installer closed a running ruler, so it comes back at the end.
Var RulerClosed
; An uninstall entry of the old form, found by FindOldEntry.
Var OldEntry

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(RunRuler)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartRulerAsUser
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
; German first: the default, and the one a German system gets as before.
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "English"

; The installer's own texts. German and English links have names of their
; own; an install or uninstall in the one language removes the other's too.
!define HELP_LINK_DE "Dravik-Hilfe"
!define HELP_LINK_EN "Dravik Help"
!define UNINSTALL_LINK_DE "Dravik deinstallieren"
!define UNINSTALL_LINK_EN "Uninstall Dravik"
LangString RunRuler ${LANG_GERMAN} "Dravik starten"
LangString RunRuler ${LANG_ENGLISH} "Start Dravik"
LangString StillRunning ${LANG_GERMAN} "Dravik läuft noch. Bitte beenden Sie Dravik und klicken Sie auf Wiederholen."
LangString StillRunning ${LANG_ENGLISH} "Dravik is still running. Please close Dravik and click Retry."
LangString NotStartedAsUser ${LANG_GERMAN} "Dravik konnte nicht mit den Rechten des Benutzers gestartet werden."
LangString NotStartedAsUser ${LANG_ENGLISH} "Dravik could not be started with the user's rights."
; The help file in the installer's language: the Start-menu link opens it.
LangString HelpFile ${LANG_GERMAN} "Hilfe.chm"
LangString HelpFile ${LANG_ENGLISH} "Help.chm"
LangString HelpLink ${LANG_GERMAN} "${HELP_LINK_DE}"
LangString HelpLink ${LANG_ENGLISH} "${HELP_LINK_EN}"
LangString UninstallLink ${LANG_GERMAN} "${UNINSTALL_LINK_DE}"
LangString UninstallLink ${LANG_ENGLISH} "${UNINSTALL_LINK_EN}"
LangString ProgramSection ${LANG_GERMAN} "Programm"
LangString ProgramSection ${LANG_ENGLISH} "Program"
LangString SettingsSection ${LANG_GERMAN} "Einstellungen löschen"
LangString SettingsSection ${LANG_ENGLISH} "Delete settings"
LangString ProgramSectionInfo ${LANG_GERMAN} "Programmdateien, Startmenü-Einträge und Deinstallationseintrag."
LangString ProgramSectionInfo ${LANG_ENGLISH} "Program files, Start menu entries and the uninstall entry."
LangString SettingsSectionInfo ${LANG_GERMAN} "Auch die gespeicherten Einstellungen (Settings.ini, Dravik.ini) löschen."
LangString SettingsSectionInfo ${LANG_ENGLISH} "Also delete the saved settings (Settings.ini, Dravik.ini)."

; German for any German user interface language (Germany, Austria,
; Switzerland, ...), English for every other: the program chooses its
; language the same way.
!macro ChooseLanguage
    System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
    IntOp $0 $0 & 0x3FF ; the primary language
    ${If} $0 = 0x07
        StrCpy $LANGUAGE ${LANG_GERMAN}
    ${Else}
        StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
!macroend

; A running ruler holds its files open and would save its settings after the
; uninstaller: ask it to close, as the user's "Beenden" would, and wait for its
; process to end, so that its files are free. One still there after ten tries
; (hung) is left to the user; a silent run ends with exit code 2 instead of
; waiting for ever. Only where files are written next: cancelling a page
; before leaves the ruler running.
!macro CloseRunningDravik
    StrCpy $1 0
    find_ruler:
    FindWindow $0 "TMainDlg" "Dravik"
    StrCmp $0 0 ruler_closed
    IntCmp $1 10 ruler_stays
    IntOp $1 $1 + 1
    StrCpy $RulerClosed 1
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r2) p .r3'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=1000
    System::Call 'kernel32::WaitForSingleObject(p r3, i 1000)'
    System::Call 'kernel32::CloseHandle(p r3)'
    Goto find_ruler
    ruler_stays:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry_close
    SetErrorLevel 2
    Quit
    retry_close:
    StrCpy $1 0
    Goto find_ruler
    ruler_closed:
!macroend

; The program's files in a folder, and the folder once it is empty.
!macro RemoveProgramFiles DIR
    Delete "${DIR}\Dravik.exe"
    Delete "${DIR}\zephal.dll"
    Delete "${DIR}\Hilfe.chm"
    Delete "${DIR}\Help.chm"
    Delete "${DIR}\Uninstall.exe"
!macroend

; The Start-menu links of either language.
!macro RemoveStartMenuLinks
    Delete "$SMPROGRAMS\Morvane Dravik\Dravik.lnk"
    Delete "$SMPROGRAMS\Morvane Dravik\${HELP_LINK_DE}.lnk"
    Delete "$SMPROGRAMS\Morvane Dravik\${HELP_LINK_EN}.lnk"
    Delete "$SMPROGRAMS\Morvane Dravik\${UNINSTALL_LINK_DE}.lnk"
    Delete "$SMPROGRAMS\Morvane Dravik\${UNINSTALL_LINK_EN}.lnk"
!macroend

Function .onInit
    SetRegView 64
    !insertmacro ChooseLanguage
    StrCpy $RulerClosed 0
    ; Installed before with an entry of the old form ("Morvane Dravik 2.2")
    ; and none of the new: its folder is offered, unless /D named one.
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    ${If} $0 == ""
    ${AndIf} $INSTDIR == "${DEFAULT_DIR}"
        Call FindOldEntry
        ${If} $OldEntry != ""
            ReadRegStr $0 HKLM "${UNINST_ROOT}\$OldEntry" "InstallLocation"
            ${IfThen} $0 != "" ${|} StrCpy $INSTDIR $0 ${|}
        ${EndIf}
    ${EndIf}
FunctionEnd

; Sets OldEntry to the name of an uninstall entry of the old form, one per
; version ("Morvane Dravik 2.2"), or "" when there is none.
Function FindOldEntry
    StrCpy $R8 0
    ${Do}
        EnumRegKey $OldEntry HKLM "${UNINST_ROOT}" $R8
        ${IfThen} $OldEntry == "" ${|} ${Break} ${|}
        IntOp $R8 $R8 + 1
        StrCpy $R7 $OldEntry 15 ; "Morvane Dravik "
        ${IfThen} $R7 == "${PRODUCT} " ${|} ${Break} ${|}
    ${Loop}
FunctionEnd

; The previous install's program files, when they lie in another folder than
; this install's (its settings stay, as its uninstaller would leave them); and
; the entries of the old form, each with its files likewise.
Function RemoveEarlierInstalls
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    Call RemoveFilesElsewhere
    ${Do}
        Call FindOldEntry
        ${IfThen} $OldEntry == "" ${|} ${Break} ${|}
        ReadRegStr $0 HKLM "${UNINST_ROOT}\$OldEntry" "InstallLocation"
        Call RemoveFilesElsewhere
        DeleteRegKey HKLM "${UNINST_ROOT}\$OldEntry"
    ${Loop}
FunctionEnd

; The program files in the folder $0, unless it is this install's.
Function RemoveFilesElsewhere
    ${If} $0 != ""
    ${AndIf} $0 != $INSTDIR
        !insertmacro RemoveProgramFiles "$0"
        RMDir "$0"
        RMDir "$0\.."
    ${EndIf}
FunctionEnd

Section "Dravik" SecMain
    SectionIn RO
    SetShellVarContext all
    !insertmacro CloseRunningDravik
    ; Before the new files: a folder named a little differently (case, a
    ; trailing "\") but the same loses nothing.
    Call RemoveEarlierInstalls
    SetOutPath "$INSTDIR"
    ; No Dravik.ini: beside the installed exe it would make the copy portable,
    ; saving into a folder the user may not write.
    File "${BIN_DIR}\Dravik.exe"
    File "${BIN_DIR}\zephal.dll"
    ; Both help files: the program opens the one of its own language, which
    ; the user can set apart from the system's.
    File "${BIN_DIR}\Hilfe.chm"
    File "${BIN_DIR}\Help.chm"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; One help link, to the file of the installer's language: a German
    ; system keeps the links it had, an English one gets English names.
    !insertmacro RemoveStartMenuLinks
    CreateDirectory "$SMPROGRAMS\Morvane Dravik"
    CreateShortcut "$SMPROGRAMS\Morvane Dravik\Dravik.lnk" "$INSTDIR\Dravik.exe"
    CreateShortcut "$SMPROGRAMS\Morvane Dravik\$(HelpLink).lnk" "$INSTDIR\$(HelpFile)"
    CreateShortcut "$SMPROGRAMS\Morvane Dravik\$(UninstallLink).lnk" "$INSTDIR\Uninstall.exe"

    WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Morvane"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Dravik.exe"
    WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; A silent install brings back the ruler it closed; with pages, the finish
; page's "Dravik starten" does.
Function .onInstSuccess
    ${If} ${Silent}
    ${AndIf} $RulerClosed = 1
        Call StartRulerAsUser
    ${EndIf}
FunctionEnd

; Starts the installed ruler as the user at the desktop, not with the
; installer's administrator rights (an elevated ruler keeps its update data in
; HKEY_LOCAL_MACHINE, and the user's own programs cannot send its window
; input): the desktop shell runs it, asked through its folder view's
; ShellExecute. Where there is no such shell and the installer itself runs
; without elevation, the installer starts it directly.
Function StartRulerAsUser
    StrCpy $R9 0 ; started
    System::Call 'ole32::CoCreateInstance(g "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}", p 0, i 0x17, g "{85CB6900-4D95-11CF-960C-0080C7F4EE85}", *p .r1) i .r0'
    ${If} $0 = 0
        ; IShellWindows::FindWindowSW(CSIDL_DESKTOP, empty, SWC_DESKTOP, , SWFO_NEEDDISPATCH, )
        System::Alloc 24 ; VARIANT VT_I4 0
        Pop $2
        System::Call '*$2(&i2 3, &i2 0, &i4 0, &i8 0, &i8 0)'
        System::Alloc 24 ; VARIANT empty
        Pop $3
        System::Call '*$3(&i8 0, &i8 0, &i8 0)'
        System::Call '$1->15(p r2, p r3, i 8, *i .r4, i 1, *p .r5) i .r0'
        ${If} $0 = 0
        ${AndIf} $5 P<> 0
            ; IServiceProvider::QueryService(SID_STopLevelBrowser, IID_IShellBrowser)
            System::Call '$5->0(g "{6D5140C1-7436-11CE-8034-00AA006009FA}", *p .r6) i .r0'
            ${If} $0 = 0
                System::Call '$6->3(g "{4C96BE40-915C-11CF-99D3-00AA004AE837}", g "{000214E2-0000-0000-C000-000000000046}", *p .r7) i .r0'
                ${If} $0 = 0
                    ; IShellBrowser::QueryActiveShellView, IShellView::GetItemObject(SVGIO_BACKGROUND, IID_IDispatch)
                    System::Call '$7->15(*p .r8) i .r0'
                    ${If} $0 = 0
                        System::Call '$8->15(i 0, g "{00020400-0000-0000-C000-000000000046}", *p .r9) i .r0'
                        ${If} $0 = 0
                            ; IShellFolderViewDual::get_Application, IShellDispatch2::ShellExecute
                            System::Call '$9->0(g "{E7A1AF80-4D96-11CF-960C-0080C7F4EE85}", *p .R0) i .r0'
                            ${If} $0 = 0
                                System::Call '$R0->7(*p .R1) i .r0'
                                ${If} $0 = 0
                                    System::Call '$R1->0(g "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}", *p .R2) i .r0'
                                    ${If} $0 = 0
                                        System::Call 'oleaut32::SysAllocString(w "$INSTDIR\Dravik.exe") p .R3'
                                        System::Call 'oleaut32::SysAllocString(w "$INSTDIR") p .R4'
                                        System::Alloc 24 ; VARIANT VT_BSTR: the folder
                                        Pop $R5
                                        System::Call '*$R5(&i2 8, &i2 0, &i4 0, p R4, &i8 0)'
                                        System::Call '$R2->31(p R3, p r3, p R5, p r3, p r3) i .r0'
                                        ${IfThen} $0 = 0 ${|} StrCpy $R9 1 ${|}
                                        System::Call 'oleaut32::SysFreeString(p R3)'
                                        System::Call 'oleaut32::SysFreeString(p R4)'
                                        System::Free $R5
                                        System::Call '$R2->2()'
                                    ${EndIf}
                                    System::Call '$R1->2()'
                                ${EndIf}
                                System::Call '$R0->2()'
                            ${EndIf}
                            System::Call '$9->2()'
                        ${EndIf}
                        System::Call '$8->2()'
                    ${EndIf}
                    System::Call '$7->2()'
                ${EndIf}
                System::Call '$6->2()'
            ${EndIf}
            System::Call '$5->2()'
        ${EndIf}
        System::Free $2
        System::Free $3
        System::Call '$1->2()'
    ${EndIf}
    ${If} $R9 = 0
        ; TokenElevation: 0 when the installer runs with the user's own rights.
        System::Call 'advapi32::OpenProcessToken(p -1, i 8, *p .r1) i .r0'
        StrCpy $2 1
        ${If} $0 <> 0
            System::Call 'advapi32::GetTokenInformation(p r1, i 20, *i .r2, i 4, *i .r3)'
            System::Call 'kernel32::CloseHandle(p r1)'
        ${EndIf}
        ${If} $2 = 0
            Exec '"$INSTDIR\Dravik.exe"'
        ${Else}
            DetailPrint "$(NotStartedAsUser)"
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro ChooseLanguage
FunctionEnd

; Only what the installer put there goes; the settings stay unless asked.
Section "un.$(ProgramSection)" UnSecMain
    SectionIn RO
    SetShellVarContext all
    !insertmacro CloseRunningDravik
    !insertmacro RemoveProgramFiles "$INSTDIR"
    !insertmacro RemoveStartMenuLinks
    RMDir "$SMPROGRAMS\Morvane Dravik"
    DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

Section /o "un.$(SettingsSection)" UnSecSettings
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
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecMain} "$(ProgramSectionInfo)"
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "$(SettingsSectionInfo)"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
