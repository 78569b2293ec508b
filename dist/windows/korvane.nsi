; The installer for players: installs the zip's folder for the current user only, so it needs no
; administrator rights, adds a Start-menu entry and an uninstaller listed under the user's
; installed programs. /S installs and uninstalls silently.
; Built by pack-installer.cmake: makensis -DVERSION=... -DFILES=... -DOUTFILE=... korvane.nsi
; A 64-bit installer for a 64-bit program; it also runs under a Wine that has no 32-bit part.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvane"

Name "Korvane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Korvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\korvane.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Korvane"
  SetShellVarContext current
  !include "${FILES}/install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Korvane.lnk" "$INSTDIR\korvane.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Korvane ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Korvane developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\korvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}

  ; brix2: links open the launcher. A launcher without this option ends with status 2 and
  ; changes nothing, so the status is not looked at.
  ExecWait '"$INSTDIR\korvane.exe" --register-links' $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ExecWait '"$INSTDIR\korvane.exe" --unregister-links' $0
  ; Only the files this installer put there: the folder may have been chosen by hand and hold
  ; other things. The launcher's settings live in the registry and are left alone.
  !include "${FILES}/uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Korvane.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
