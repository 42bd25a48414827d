; The per-user Windows installer of Trevalon. Built by the `package` target:
;
;   makensis -DVERSION=1.0.0 -DPRODUCT=Trevalon -DSTAGE_DIR=<folder with
;            trevalon.exe and the help files> -DICON=<app.ico>
;            -DOUTFILE=<setup.exe> trevalon.nsi
;
; Installs without administrator rights into the user's programs folder.
; Silent switches:
;   setup.exe /S [/AUTOSTART] [/DESKTOP] [/D=<folder>]
;   uninstall.exe /S [/REMOVEDATA]
; /AUTOSTART and /DESKTOP choose the optional parts (interactively they
; preselect them); /REMOVEDATA removes the user's data without asking.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef VERSION | PRODUCT | STAGE_DIR | ICON | OUTFILE
  !error "define VERSION, PRODUCT, STAGE_DIR, ICON and OUTFILE"
!endif

!define PUBLISHER "Quorvane"
!define COPYRIGHT "Copyright (C) 2026 Quorvane"
!define EXE_NAME "trevalon.exe"
!define UNINSTALLER_NAME "uninstall.exe"
; The class of the program's main window and its Exit command.
!define MAIN_WINDOW_CLASS "TrevalonMainWindow"
!define EXIT_COMMAND 13
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The program names its autostart value after the product.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "${PRODUCT}"
; Where the program keeps the user's data. These names are fixed, not derived
; from the product name, as in the program's text table.
!define DATA_SUBDIR "Trevalon"
!define SETTINGS_FILE "Trevalon.prefs"
!define PROGRAM_KEY "Software\Quorvane\Trevalon"
!define MAKER_KEY "Software\Quorvane"
!define TEMP_SUBDIR "Trevalon"
; The predecessor's data folder: the program takes it over on its first start,
; but only while its own data folder does not exist yet.
!define PREDECESSOR_SUBDIR "Osmeric"
!define HELP_FILE "Trevalon Help.html"
!define MANUAL_FILE "Trevalon Manual.pdf"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"
!include "running_instance.nsh"
!include "autostart_setting.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE_NAME}"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunNow)"

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Every text the installer shows.
LangString SecProgramName ${LANG_ENGLISH} "${PRODUCT}"
LangString SecProgramDesc ${LANG_ENGLISH} "The program and a shortcut in the Start menu."
LangString SecDesktopName ${LANG_ENGLISH} "Desktop shortcut"
LangString SecDesktopDesc ${LANG_ENGLISH} "A shortcut to ${PRODUCT} on the desktop."
LangString SecAutostartName ${LANG_ENGLISH} "Start with Windows"
LangString SecAutostartDesc ${LANG_ENGLISH} "Start ${PRODUCT} when you sign in to Windows. You can change this later in its settings."
LangString RunNow ${LANG_ENGLISH} "Start ${PRODUCT} now"
LangString ClosingRunning ${LANG_ENGLISH} "Closing the running ${PRODUCT}..."
LangString TerminatingRunning ${LANG_ENGLISH} "${PRODUCT} did not close in time and was ended."
LangString StillRunning ${LANG_ENGLISH} "${PRODUCT} is still running; some files may not be replaced."
LangString AutostartSettingFailed ${LANG_ENGLISH} "Could not turn on starting with Windows in the ${PRODUCT} settings. You can turn it on in the program's settings window."
LangString AutostartLeftToMigration ${LANG_ENGLISH} "Settings from ${PREDECESSOR_SUBDIR} will be taken over on the first start; they decide whether ${PRODUCT} starts with Windows."
LangString RemoveDataQuestion ${LANG_ENGLISH} "Also remove your ${PRODUCT} data (My Menu, bookmarks, recent lists and settings) in $APPDATA\${DATA_SUBDIR}?"

!insertmacro DEFINE_CLOSE_RUNNING_INSTANCE ""
!insertmacro DEFINE_CLOSE_RUNNING_INSTANCE "un."

Section "!$(SecProgramName)" SecProgram
  SectionIn RO
  SetShellVarContext current
  Call CloseRunningInstance

  SetOutPath "$INSTDIR"
  File "${STAGE_DIR}/${EXE_NAME}"
  ; The help files come from a separate documentation build; ship them when
  ; they are there.
  !if /FileExists "${STAGE_DIR}/${HELP_FILE}"
    File "${STAGE_DIR}/${HELP_FILE}"
  !endif
  !if /FileExists "${STAGE_DIR}/${MANUAL_FILE}"
    File "${STAGE_DIR}/${MANUAL_FILE}"
  !endif
  WriteUninstaller "$INSTDIR\${UNINSTALLER_NAME}"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE_NAME}" "" "$INSTDIR\${EXE_NAME}" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE_NAME},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_NAME}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_NAME}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(SecDesktopName)" SecDesktop
  SetShellVarContext current
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${EXE_NAME}" "" "$INSTDIR\${EXE_NAME}" 0
SectionEnd

Section "$(SecAutostartName)" SecAutostart
  SetShellVarContext current
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" "$INSTDIR\${EXE_NAME}"

  ; Creating the data folder would make the program skip taking over the
  ; predecessor's data and settings on its first start; leave that start to
  ; decide.
  ${IfNot} ${FileExists} "$APPDATA\${DATA_SUBDIR}\*.*"
  ${AndIf} ${FileExists} "$APPDATA\${PREDECESSOR_SUBDIR}\*.*"
    DetailPrint "$(AutostartLeftToMigration)"
    Return
  ${EndIf}
  CreateDirectory "$APPDATA\${DATA_SUBDIR}"
  Push "$APPDATA\${DATA_SUBDIR}\${SETTINGS_FILE}"
  Call SetAutostartSetting
  Pop $0
  ${If} $0 != "ok"
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(AutostartSettingFailed)" /SD IDOK
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SecProgramDesc)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "$(SecDesktopDesc)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "$(SecAutostartDesc)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  SetShellVarContext current
  ${GetParameters} $R0
  ; Silent installs take only what their switches ask for.
  ${If} ${Silent}
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecAutostart}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/DESKTOP" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

Var RemoveData

Function un.onInit
  SetShellVarContext current
  StrCpy $RemoveData 0
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVEDATA" $R1
  ${IfNot} ${Errors}
    StrCpy $RemoveData 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRunningInstance

  Delete "$INSTDIR\${EXE_NAME}"
  Delete "$INSTDIR\${HELP_FILE}"
  Delete "$INSTDIR\${MANUAL_FILE}"
  Delete "$INSTDIR\${UNINSTALLER_NAME}"
  ; Not recursive: whatever else the user put there stays.
  RMDir "$INSTDIR"
  ; The program's desktop-shortcut command uses the same name.
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ; The program clears this folder when it exits; it stays behind only when
  ; the program had to be ended.
  RMDir /r "$TEMP\${TEMP_SUBDIR}"

  ${If} $RemoveData = 0
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveDataQuestion)" /SD IDNO IDNO keep_data
  ${EndIf}
  RMDir /r "$APPDATA\${DATA_SUBDIR}"
  DeleteRegValue HKCU "${PROGRAM_KEY}" "InstallDir"
  DeleteRegValue HKCU "${PROGRAM_KEY}" "PosX"
  DeleteRegValue HKCU "${PROGRAM_KEY}" "PosY"
  DeleteRegKey /ifempty HKCU "${PROGRAM_KEY}"
  DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
keep_data:

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
