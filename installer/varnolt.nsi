; Per-user installer of Varnolt: no administrator rights, installed into
; %LOCALAPPDATA%\Programs\Varnolt, a Start-menu shortcut, an uninstaller registered under the
; current user's Uninstall key. Silent with /S. It carries both programs and installs the 64-bit one
; on 64-bit Windows, the 32-bit one elsewhere, into the same folder (an earlier 32-bit install is
; upgraded in place). An installation of this user by the Windows Installer package
; (varnolt.wxs) is removed silently first, the user's own files kept, so one entry stays.
; makensis -DVERSION=1.02 -DSOURCE=<64-bit program folder> -DSOURCE_X86=<32-bit program folder>
;          -DICON=<app.ico> -DOUTFILE=<setup.exe> varnolt.nsi
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define APPNAME "Varnolt"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnolt"
; The source of the program's events in the Application log.
!define EVENTKEY "SYSTEM\CurrentControlSet\Services\EventLog\Application\Varnolt"
; The upgrade code of the Windows Installer packages (varnolt.wxs).
!define MSI_UPGRADECODE "{8D1E6A52-3C47-4B9E-A0F1-6E2C5D9B4A70}"

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Varnolt"
InstallDirRegKey HKCU "${UNINSTKEY}" "InstallLocation"
BrandingText "${APPNAME} ${VERSION}"

VIProductVersion "1.0.2.0"
VIAddVersionKey "ProductName" "${APPNAME}"
VIAddVersionKey "FileDescription" "${APPNAME} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\varnolt.exe"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE RefuseAnotherFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The program keeps its settings and log in its own folder: it must not run while its files change.
!macro RefuseWhileRunning
  ${Do}
    FindWindow $0 "TFormMainVRNT"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Varnolt is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

; An installation in another folder would keep its program without an uninstall entry, and the
; user's wash items, plug-ins, settings and log would stay behind with it: setup installs over it
; or not at all. An entry whose program is gone is stale and no hindrance.
Function RefuseAnotherFolder
  ReadRegStr $0 HKCU "${UNINSTKEY}" "InstallLocation"
  ; The Windows Installer package writes the folder with a final backslash.
  StrCpy $1 $0 "" -1
  ${If} $1 == "\"
    StrCpy $0 $0 -1
  ${EndIf}
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
  ${AndIf} ${FileExists} "$0\varnolt.exe"
    MessageBox MB_OK|MB_ICONSTOP "Varnolt is installed in $0, with your own wash items and settings. \
      Install it into that folder again, or uninstall it first to install it in $INSTDIR." /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro RefuseWhileRunning
  ; The directory page asks in a setup with pages; a silent one has its folder already.
  ${If} ${Silent}
    Call RefuseAnotherFolder
  ${EndIf}
FunctionEnd

; Removes the current user's installation of the Windows Installer package, silently; its
; uninstall keeps the user's own files and, told KEEPRUNVALUE=1, the start at log-on. A
; per-machine installation (another folder, administrators' to remove) stays.
Function RemoveMsiInstallation
  StrCpy $R0 0
  StrCpy $R6 ""
  ${Do}
    System::Call 'msi::MsiEnumRelatedProductsW(w "${MSI_UPGRADECODE}", i 0, i R0, w .R1) i .R2'
    ${If} $R2 <> 0
      ${Break}
    ${EndIf}
    System::Call 'msi::MsiGetProductInfoW(w R1, w "AssignmentType", w .R3, *i ${NSIS_MAX_STRLEN}) i .R4'
    ${If} $R4 = 0
    ${AndIf} $R3 == "0"
      ; Removed, yet still there: stop rather than try again and again.
      ${If} $R1 == $R6
        StrCpy $R5 "it is still registered"
      ${Else}
        StrCpy $R6 $R1
        DetailPrint "Removing the Windows Installer installation $R1"
        ExecWait '"$SYSDIR\msiexec.exe" /x $R1 /qn KEEPRUNVALUE=1' $R5
      ${EndIf}
      ${If} $R5 != "0"
        MessageBox MB_OK|MB_ICONSTOP "Varnolt installed by its Windows Installer package could not be removed \
          ($R5). Uninstall it, then run setup again." /SD IDOK
        Abort
      ${EndIf}
    ${Else}
      IntOp $R0 $R0 + 1
    ${EndIf}
  ${Loop}
FunctionEnd

!macro WriteShredVerb KEY
  WriteRegStr HKCU "${KEY}" "" "Shred with Varnolt"
  WriteRegStr HKCU "${KEY}" "Icon" '"$INSTDIR\varnolt.exe",0'
  WriteRegStr HKCU "${KEY}" "MultiSelectModel" "Player"
  WriteRegStr HKCU "${KEY}\command" "" '"$INSTDIR\varnolt.exe" /shred "%1"'
!macroend

Section "Varnolt"
  SetShellVarContext current
  ; An upgrade keeps the user's choice of "Shred with Varnolt" (Preferences may have taken it
  ; away); a first installation adds it. Read before an earlier installation goes.
  ReadRegStr $1 HKCU "${UNINSTKEY}" "InstallLocation"
  ReadRegStr $2 HKCU "Software\Classes\*\shell\VarnoltShred\command" ""
  Call RemoveMsiInstallation
  SetOutPath "$INSTDIR"
  ; The program and the supplied wash items are replaced on an upgrade ...
  SetOverwrite on
  ${If} ${RunningX64}
    File "${SOURCE}\varnolt.exe"
  ${Else}
    File "${SOURCE_X86}\varnolt.exe"
  ${EndIf}
  File /nonfatal "${SOURCE}\help.chm"
  SetOutPath "$INSTDIR\const"
  File "${SOURCE}\const\system.txt"
  ; ... the user's own wash items, plug-ins, settings and order are never touched.
  SetOverwrite off
  File "${SOURCE}\const\user.txt"
  CreateDirectory "$INSTDIR\plugin"
  SetOutPath "$INSTDIR\plugin"
  File /nonfatal "${SOURCE}\plugin\*.txt"
  SetOverwrite on
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Varnolt.lnk" "$INSTDIR\varnolt.exe" "" "$INSTDIR\varnolt.exe" 0

  WriteRegStr HKCU "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTKEY}" "Publisher" "${APPNAME}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\varnolt.exe,0"
  WriteRegStr HKCU "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoRepair" 1

  ; The event source needs the machine's registry: registered where the rights allow (an
  ; elevated setup), else the events arrive without their message file.
  ClearErrors
  WriteRegExpandStr HKLM "${EVENTKEY}" "EventMessageFile" "$INSTDIR\varnolt.exe"
  WriteRegDWORD HKLM "${EVENTKEY}" "TypesSupported" 7
  ${If} ${Errors}
    DetailPrint "The event source was not registered (no administrator rights)."
  ${EndIf}
  ; "Shred with Varnolt" in Explorer's context menu of files and folders.
  ${If} $1 == ""
  ${OrIf} $2 != ""
    !insertmacro WriteShredVerb "Software\Classes\*\shell\VarnoltShred"
    !insertmacro WriteShredVerb "Software\Classes\Directory\shell\VarnoltShred"
  ${EndIf}
SectionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Varnolt.lnk"
  Delete "$INSTDIR\varnolt.exe"
  Delete "$INSTDIR\help.chm"
  Delete "$INSTDIR\const\system.txt"
  ; The user's own wash items, plug-ins, settings and log go only when the user says so;
  ; a silent uninstall keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Also delete your own wash items, plug-ins, settings and log?" /SD IDNO IDNO keep
    Delete "$INSTDIR\const\user.txt"
    Delete "$INSTDIR\plugin\*.txt"
    Delete "$INSTDIR\wildcard.ini"
    Delete "$INSTDIR\order.ini"
    Delete "$INSTDIR\log.htm"
  keep:
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\const"
  RMDir "$INSTDIR\plugin"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTKEY}"
  ; The event source, when it is this installation's.
  ReadRegStr $0 HKLM "${EVENTKEY}" "EventMessageFile"
  ${If} $0 == "$INSTDIR\varnolt.exe"
    DeleteRegKey HKLM "${EVENTKEY}"
  ${EndIf}
  ; "Load at Windows startup" would otherwise start a missing program at every log-on.
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Varnolt"
  ; A verb left behind would start a missing program.
  DeleteRegKey HKCU "Software\Classes\*\shell\VarnoltShred"
  DeleteRegKey HKCU "Software\Classes\Directory\shell\VarnoltShred"
SectionEnd
