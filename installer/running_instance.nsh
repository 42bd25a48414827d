; Ends a running Trevalon before its files are replaced or removed.
;
; Trevalon is resident: its exe stays open for the whole session. Asking it to
; exit through its own Exit command lets it save its settings and clear its
; temporary folders; only a program that does not answer in time is terminated.
;
; Needs: MAIN_WINDOW_CLASS, EXIT_COMMAND, LogicLib.nsh, WinMessages.nsh.

!define /ifndef CLEAN_EXIT_WAIT_MS 10000
!define /ifndef TERMINATE_WAIT_MS 5000
; SYNCHRONIZE | PROCESS_TERMINATE
!define /ifndef PROCESS_WAIT_AND_TERMINATE 0x00100001
; A window that keeps coming back after this many rounds is left alone.
!define /ifndef MAX_INSTANCE_ROUNDS 5

!macro DEFINE_CLOSE_RUNNING_INSTANCE prefix
Function ${prefix}CloseRunningInstance
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $4 0
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    IntOp $4 $4 + 1
    ${If} $4 > ${MAX_INSTANCE_ROUNDS}
      DetailPrint "$(StillRunning)"
      ${Break}
    ${EndIf}
    DetailPrint "$(ClosingRunning)"
    StrCpy $1 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_WAIT_AND_TERMINATE}, i 0, i r1) p .r2'
    System::Call 'user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${EXIT_COMMAND}, p 0) i'
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLEAN_EXIT_WAIT_MS}) i .r3'
      ${If} $3 <> 0
        ; It did not take the Exit command: end it so its files can go.
        DetailPrint "$(TerminatingRunning)"
        System::Call 'kernel32::TerminateProcess(p r2, i 1) i'
        System::Call 'kernel32::WaitForSingleObject(p r2, i ${TERMINATE_WAIT_MS}) i'
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r2) i'
    ${Else}
      ; No handle to wait on: give the window the same time to go away.
      StrCpy $3 0
      ${DoWhile} $3 < ${CLEAN_EXIT_WAIT_MS}
        IsWindow $0 still_open 0
        ${Break}
        still_open:
        Sleep 100
        IntOp $3 $3 + 100
      ${Loop}
    ${EndIf}
  ${Loop}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
