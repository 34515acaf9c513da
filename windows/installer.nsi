; SPDX-License-Identifier: MIT
; The Windows setup program. It installs for the current user, without administrator
; rights, into %LOCALAPPDATA%\Programs\Velmora, adds a Start-menu shortcut and registers
; an uninstaller that "Apps & features" lists. It is itself a 32-bit program, which every
; Windows runs, and installs the 64-bit program on a Windows whose processor is x64, the
; 32-bit one elsewhere (32-bit Windows, and Windows on Arm, which runs x86 programs).
; scripts/package-windows.sh passes with -D: VERSION_FILE (the build's, defining VERSION
; "1.00" and VERSION_QUAD "1.0.0.0"), EXE64, EXE32, LICENSE, ICON, BITMAP (the welcome and
; finish pages' picture, 164 x 314) and OUTFILE.
!include "${VERSION_FILE}"
Unicode true
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include x64.nsh

!define kName "Velmora 锯材计算器"
!define kPublisher "Velmora"
!define kUninstallKey "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"
!define kShortcut "${kName}.lnk"

Name "$(kTitle)"
OutFile "${OUTFILE}"
BrandingText "Velmora ${VERSION}"
InstallDir "$LOCALAPPDATA\Programs\Velmora"
; An upgrade goes where the installed copy is, whatever folder its user chose.
InstallDirRegKey HKCU "${kUninstallKey}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${BITMAP}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmora.exe"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one a Windows in neither language gets; every Chinese Windows
; (Traditional too, by its primary language) gets Simplified Chinese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

; An English page names the program in English: a Windows without Chinese fonts would
; show the Chinese name as boxes there.
LangString kTitle ${LANG_ENGLISH} "Velmora"
LangString kTitle ${LANG_SIMPCHINESE} "${kName}"
LangString kProgramSection ${LANG_ENGLISH} "Velmora sawn timber calculator"
LangString kProgramSection ${LANG_SIMPCHINESE} "${kName}"
LangString kDesktopSection ${LANG_ENGLISH} "Desktop shortcut"
LangString kDesktopSection ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString kRunning ${LANG_ENGLISH} "Velmora is running. Close it, then click Retry."
LangString kRunning ${LANG_SIMPCHINESE} "Velmora 锯材计算器正在运行。请先关闭它，然后点击“重试”。"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${kPublisher}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${kName} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "Copyright 2026 The Velmora developers, MIT licence"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "OriginalFilename" "velmora-${VERSION}-setup.exe"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Velmora"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"

; Windows cannot replace or delete a running program, and NSIS would skip the file and
; report success. Closing it for the user would lose what they typed: they close it, or the
; setup stops with an error (exit code 2 when silent).
!macro WaitUntilClosed prefix
  Function ${prefix}WaitUntilClosed
    IfFileExists "$INSTDIR\velmora.exe" 0 closed
    retry:
      ClearErrors
      FileOpen $0 "$INSTDIR\velmora.exe" a
      IfErrors running
      FileClose $0
      Goto closed
    running:
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(kRunning)" /SD IDCANCEL IDRETRY retry
      Abort "$(kRunning)"
    closed:
  FunctionEnd
!macroend
!insertmacro WaitUntilClosed ""
!insertmacro WaitUntilClosed "un."

Section "$(kProgramSection)" ProgramSection
  SectionIn RO
  Call WaitUntilClosed
  SetOutPath "$INSTDIR"
  ${If} ${IsNativeAMD64}
    File "/oname=velmora.exe" "${EXE64}"
  ${Else}
    File "/oname=velmora.exe" "${EXE32}"
  ${EndIf}
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${kShortcut}" "$INSTDIR\velmora.exe"

  WriteRegStr HKCU "${kUninstallKey}" "DisplayName" "${kName}"
  WriteRegStr HKCU "${kUninstallKey}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${kUninstallKey}" "Publisher" "${kPublisher}"
  WriteRegStr HKCU "${kUninstallKey}" "DisplayIcon" "$INSTDIR\velmora.exe,0"
  WriteRegStr HKCU "${kUninstallKey}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${kUninstallKey}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${kUninstallKey}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${kUninstallKey}" "NoModify" 1
  WriteRegDWORD HKCU "${kUninstallKey}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${kUninstallKey}" "EstimatedSize" $0
SectionEnd

Section /o "$(kDesktopSection)" DesktopSection
  CreateShortcut "$DESKTOP\${kShortcut}" "$INSTDIR\velmora.exe"
SectionEnd

; Only what the setup program put there: a folder the user filled stays with their files.
Section "Uninstall"
  Call un.WaitUntilClosed
  Delete "$SMPROGRAMS\${kShortcut}"
  Delete "$DESKTOP\${kShortcut}"
  Delete "$INSTDIR\velmora.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${kUninstallKey}"
SectionEnd
