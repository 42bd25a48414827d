; Makes Trevalon's settings file say "LoadOnWindowsStart = 1".
;
; The program rewrites or removes its autostart value on every settings save,
; following that setting; without it the value the installer writes would be
; gone after the first minute of use.
;
; The file is edited byte by byte: every line but the setting's own stays
; exactly as it was (paths in it are UTF-8, which an ANSI round trip through
; FileRead/FileWrite could change). Keys are matched as the program reads
; them: the text before the first "=", spaces and tabs trimmed, any letter
; case. Every matching line is replaced; without one the line is appended.
; The new file replaces the old one in one move, so a failure leaves the old
; file as it was.
;
;   Push "C:\...\Trevalon.prefs"
;   Call SetAutostartSetting
;   Pop $0   ; "ok" or "failed"
;
; Needs LogicLib.nsh.

!define AUTOSTART_SETTING_KEY "LoadOnWindowsStart"
!define AUTOSTART_SETTING_LINE "LoadOnWindowsStart = 1$\r$\n"
; A key longer than this cannot be ours; stop collecting it.
!define AUTOSTART_KEY_LIMIT 64
; MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH
!define AUTOSTART_MOVE_FLAGS 0x9

; $R0 in: text. Out: the text without spaces and tabs at both ends.
Function TrimBlanks
  Push $R1
  ${Do}
    StrCpy $R1 $R0 1
    ${If} $R1 == " "
    ${OrIf} $R1 == "$\t"
      StrCpy $R0 $R0 "" 1
    ${Else}
      ${Break}
    ${EndIf}
  ${Loop}
  ${Do}
    StrCpy $R1 $R0 1 -1
    ${If} $R1 == " "
    ${OrIf} $R1 == "$\t"
      StrCpy $R0 $R0 -1
    ${Else}
      ${Break}
    ${EndIf}
  ${Loop}
  Pop $R1
FunctionEnd

Function SetAutostartSetting
  Exch $R0 ; settings file
  Push $R1 ; source handle
  Push $R2 ; target handle
  Push $R3 ; line start offset
  Push $R4 ; key collected so far
  Push $R5 ; 0 reading the key, 1 past "=", 2 cannot be our key
  Push $R6 ; byte
  Push $R7 ; last byte written
  Push $R8 ; found
  Push $R9 ; line end offset
  Push $0  ; end of file reached
  Push $1  ; bytes left to copy / result
  Push $2  ; file path

  StrCpy $2 $R0
  ${IfNot} ${FileExists} $2
    ClearErrors
    FileOpen $R2 $2 w
    ${If} ${Errors}
      StrCpy $1 "failed"
    ${Else}
      FileWrite $R2 "${AUTOSTART_SETTING_LINE}"
      FileClose $R2
      StrCpy $1 "ok"
    ${EndIf}
    Goto done
  ${EndIf}

  ClearErrors
  FileOpen $R1 $2 r
  ${If} ${Errors}
    StrCpy $1 "failed"
    Goto done
  ${EndIf}
  ClearErrors
  FileOpen $R2 "$2.new" w
  ${If} ${Errors}
    FileClose $R1
    StrCpy $1 "failed"
    Goto done
  ${EndIf}

  StrCpy $R8 0
  StrCpy $R7 10 ; an empty file needs no line break before an appended line
  StrCpy $0 0
  ${Do}
    FileSeek $R1 0 CUR $R3
    StrCpy $R4 ""
    StrCpy $R5 0
    ; Read one line, collecting its key.
    ${Do}
      ClearErrors
      FileReadByte $R1 $R6
      ${If} ${Errors}
        StrCpy $0 1
        ${Break}
      ${EndIf}
      ${If} $R6 = 10
        ${Break}
      ${EndIf}
      ${If} $R5 = 0
        ${If} $R6 = 61 ; "="
          StrCpy $R5 1
        ${ElseIf} $R6 = 9
        ${OrIf} $R6 = 32
          StrCpy $R4 "$R4 "
        ${ElseIf} $R6 < 33
        ${OrIf} $R6 > 126
          StrCpy $R5 2
        ${Else}
          IntFmt $R6 "%c" $R6
          StrCpy $R4 "$R4$R6"
        ${EndIf}
        StrLen $R6 $R4
        ${If} $R6 > ${AUTOSTART_KEY_LIMIT}
          StrCpy $R5 2
        ${EndIf}
      ${EndIf}
    ${Loop}
    FileSeek $R1 0 CUR $R9

    StrCpy $R0 ""
    ${If} $R5 = 1
      StrCpy $R0 $R4
      Call TrimBlanks
    ${EndIf}
    ${If} $R5 = 1
    ${AndIf} $R0 == "${AUTOSTART_SETTING_KEY}"
      FileWrite $R2 "${AUTOSTART_SETTING_LINE}"
      StrCpy $R7 10
      StrCpy $R8 1
    ${Else}
      ; Not ours: copy the line's bytes unchanged.
      FileSeek $R1 $R3 SET
      IntOp $1 $R9 - $R3
      ${DoWhile} $1 > 0
        FileReadByte $R1 $R6
        FileWriteByte $R2 $R6
        StrCpy $R7 $R6
        IntOp $1 $1 - 1
      ${Loop}
    ${EndIf}
  ${LoopUntil} $0 = 1

  ${If} $R8 = 0
    ${If} $R7 <> 10
      FileWrite $R2 "$\r$\n"
    ${EndIf}
    FileWrite $R2 "${AUTOSTART_SETTING_LINE}"
  ${EndIf}
  FileClose $R1
  FileClose $R2

  System::Call 'kernel32::MoveFileExW(w "$2.new", w "$2", i ${AUTOSTART_MOVE_FLAGS}) i .R6'
  ${If} $R6 = 0
    Delete "$2.new"
    StrCpy $1 "failed"
  ${Else}
    StrCpy $1 "ok"
  ${EndIf}

done:
  StrCpy $R0 $1
  Pop $2
  Pop $1
  Pop $0
  Pop $R9
  Pop $R8
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd
