; Per-user installer for 墨蝉小闹钟: no administrator rights, nothing outside
; the user's own folders and HKCU. tools/dist.sh builds it:
;   makensis -DVERSION=<the build's version> -DSRCDIR=<build folder>
;            -DTOPDIR=<repository> -DREADMEFILE=<readme with the version>
;            -DOUTFILE=<setup.exe> installer/qorvane.nsi
; SRCDIR holds qorvane.exe and image/; TOPDIR (default "..") holds res/.
; READMEFILE is installer/readme.txt with @VERSION@ filled in.
; makensis resolves relative paths from this file's folder.
; Saved as UTF-8 with a BOM: without one, makensis on Windows reads the
; Chinese text in the ANSI code page.

; Only 64-bit Windows is supported, and only 64-bit Wine runs the tests.
Target amd64-unicode

!ifndef VERSION
  !error "VERSION is not defined (makensis -DVERSION=...)"
!endif
!ifndef SRCDIR
  !error "SRCDIR is not defined (makensis -DSRCDIR=<build folder>)"
!endif
!ifndef TOPDIR
  !define TOPDIR ".."
!endif
!ifndef READMEFILE
  !error "READMEFILE is not defined (makensis -DREADMEFILE=<readme with the version>)"
!endif
!ifndef OUTFILE
  !define OUTFILE "qorvane-${VERSION}-setup.exe"
!endif
; The version resource wants four numbers.
!ifndef VIVERSION
  !define VIVERSION "${VERSION}.0.0"
!endif

!define PRODUCT "墨蝉小闹钟"
!define EXE "qorvane.exe"
!define README "读我.txt"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\qorvane"
!define RUNKEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUNVALUE "myexe"
!define ALARMKEY "Software\qorvane"
!define RUNONCEKEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define RUNONCEVALUE "qorvane"
!define FACECLASS "qorvane.frmmain"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\qorvane"
InstallDirRegKey HKCU "${UNINSTKEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VIVERSION}"
VIFileVersion "${VIVERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define MUI_ICON "${TOPDIR}/res/qorvane.ico"
!define MUI_UNICON "${TOPDIR}/res/qorvane.ico"
!define MUI_ABORTWARNING
; The box only records the wish: .onInstSuccess starts the clock, once.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION WantStart
; The stock text speaks of system files and restarts; this one touches neither.
!define MUI_WELCOMEPAGE_TEXT "此程序将引导你完成 ${PRODUCT} ${VERSION} 的安装。$\r$\n$\r$\n\
  只为当前用户安装，无需管理员权限。如果${PRODUCT}正在运行，安装程序会先将它关闭，装好后再启动它。$\r$\n$\r$\n\
  点击 [下一步(N)] 继续。"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "qorvane"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${PRODUCT} ${VERSION} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "qorvane"

Var ClosedCopy  ; 1: setup closed a running clock
Var StartClock  ; 1: start the installed clock as setup ends; "never" when elevated

!define STILLRUNNING "${PRODUCT}仍在运行。请右键单击钟面或通知区域中的图标，选择“退出”，然后单击“重试”。"

; Asks a running clock to quit (WM_CLOSE ends it as its own menu's 退出 does)
; and waits a few seconds for its process, so its exe can be replaced or
; deleted. A copy run as administrator never gets the message (Windows blocks
; it from this lower process): the user must close it, or setup stops. Never
; an unbounded wait, never writing over an exe in use.
!macro QV_CLOSE_RUNNING_FN prefix
Function ${prefix}CloseRunning
  retry:
  FindWindow $0 "${FACECLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  DetailPrint "正在关闭正在运行的${PRODUCT}……"
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
  ; SYNCHRONIZE
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ; Its process ending frees the exe; with no handle, its window going is the sign.
  StrCpy $3 0
  ${Do}
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 100) i .r4'
    ${Else}
      Sleep 100
      FindWindow $4 "${FACECLASS}"
    ${EndIf}
    ${IfThen} $4 == 0 ${|} ${ExitDo} ${|}
    IntOp $3 $3 + 1
  ${LoopUntil} $3 >= 50
  ${If} $2 P<> 0
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
  ${If} $4 != 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${STILLRUNNING}" /SD IDCANCEL IDRETRY retry
    Abort
  ${EndIf}
  StrCpy $ClosedCopy 1
FunctionEnd
!macroend
!insertmacro QV_CLOSE_RUNNING_FN ""
!insertmacro QV_CLOSE_RUNNING_FN "un."

; $7: the elevation type of the token of the process $6 (2: a full
; administrator token), 0 when it cannot be read.
Function TokenElevationType
  StrCpy $7 0
  ; TOKEN_QUERY, TokenElevationType
  System::Call 'advapi32::OpenProcessToken(p r6, i 8, *p .r8) i .r9'
  ${If} $9 <> 0
    System::Call 'advapi32::GetTokenInformation(p r8, i 18, *i 0 r7, i 4, *i .r9)'
    System::Call 'kernel32::CloseHandle(p r8)'
  ${EndIf}
FunctionEnd

; Whether setup starts the clock as it ends: it closed a running copy, or an
; alarm is kept (its moment, or a save of one cut short), which rings only
; while the clock runs. Never with more rights than the user's desktop has
; (a setup run as administrator): no later setup could close that clock.
; Under Wine every process has a full token and there is no shell window,
; so there it always starts.
Function DecideStart
  StrCpy $StartClock $ClosedCopy
  ClearErrors
  ReadRegStr $0 HKCU "${ALARMKEY}" "AlarmAt"
  ${IfNot} ${Errors}
    StrCpy $StartClock 1
  ${EndIf}
  ClearErrors
  ReadRegStr $0 HKCU "${ALARMKEY}" "AlarmSaving"
  ${IfNot} ${Errors}
    StrCpy $StartClock 1
  ${EndIf}

  System::Call 'user32::GetShellWindow() p .r1'
  ${IfThen} $1 P= 0 ${|} Return ${|}
  System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
  ; PROCESS_QUERY_LIMITED_INFORMATION
  System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r2) p .r6'
  Call TokenElevationType
  System::Call 'kernel32::CloseHandle(p r6)'
  StrCpy $3 $7
  StrCpy $6 -1
  Call TokenElevationType
  ${If} $7 == 2
  ${AndIf} $3 != 2
    StrCpy $StartClock never
  ${EndIf}
FunctionEnd

Function FinishShow
  ${If} $StartClock == 1
    ${NSD_Check} $mui.FinishPage.Run
    EnableWindow $mui.FinishPage.Run 0
    ; The page gave the box the focus; a disabled one would swallow Enter.
    GetDlgItem $0 $HWNDPARENT 1
    ${NSD_SetFocus} $0
  ${ElseIf} $StartClock == never
    ${NSD_Uncheck} $mui.FinishPage.Run
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Function WantStart
  StrCpy $StartClock 1
FunctionEnd

Function .onInstSuccess
  ${If} $StartClock == 1
    ; Exec starts it in the out path: its own folder, not setup's temporary one.
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
FunctionEnd

Section "-install"
  SetShellVarContext current
  Call CloseRunning

  SetOutPath "$INSTDIR\image"
  File "/oname=help.chm" "${SRCDIR}/image/help.chm"
  File "/oname=1.mid" "${SRCDIR}/image/1.mid"
  SetOutPath "$INSTDIR"
  File "/oname=${EXE}" "${SRCDIR}/qorvane.exe"
  File "/oname=${README}" "${READMEFILE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is the current out path, $INSTDIR.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKCU "${UNINSTKEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTKEY}" "Publisher" "qorvane"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr HKCU "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTKEY}" "HelpLink" "mailto:qorvane@example.com"
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTKEY}" "EstimatedSize" $0
  Call DecideStart
SectionEnd

Section "un.-uninstall"
  SetShellVarContext current
  Call un.CloseRunning

  ; A copy that would not quit keeps its exe locked on Windows.
  retry:
  Delete "$INSTDIR\${EXE}"
  ${If} ${FileExists} "$INSTDIR\${EXE}"
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${STILLRUNNING}" /SD IDCANCEL IDRETRY retry
    Abort
  ${EndIf}

  ; Only the entry that starts this copy: "myexe" is a generic name, and
  ; another program (or a copy elsewhere) may own it. The clock writes its
  ; path quoted; StrCmp ignores letter case, as Windows paths do.
  ReadRegStr $0 HKCU "${RUNKEY}" "${RUNVALUE}"
  ${If} $0 == '"$INSTDIR\${EXE}"'
  ${OrIf} $0 == "$INSTDIR\${EXE}"
    DeleteRegValue HKCU "${RUNKEY}" "${RUNVALUE}"
  ${EndIf}

  ; The kept alarm and its one-time logon start are no use without the clock
  ; (closed by now; quitting writes neither). Other programs' RunOnce stays.
  DeleteRegKey HKCU "${ALARMKEY}"
  DeleteRegValue HKCU "${RUNONCEKEY}" "${RUNONCEVALUE}"

  ; Named one by one, never RMDir /r: files the user put here stay.
  Delete "$INSTDIR\image\help.chm"
  Delete "$INSTDIR\image\1.mid"
  RMDir "$INSTDIR\image"
  Delete "$INSTDIR\${README}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTKEY}"
SectionEnd
