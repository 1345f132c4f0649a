; Per-user installer: no administrator rights, installs into
; %LOCALAPPDATA%\Programs\Orvanto, a Start-menu shortcut, an uninstaller
; registered for the current user. The user's board (configure\) is never
; touched, neither by an upgrade nor by the uninstaller.
;
; makensis -DVERSION=1.1.0 -DSOURCE=<dist folder> -DOUTFILE=<setup.exe> orvanto.nsi

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all

!ifndef VERSION
  !error "VERSION is required"
!endif
!ifndef SOURCE
  !error "SOURCE (the distribution folder) is required"
!endif
!ifndef OUTFILE
  !define OUTFILE "Orvanto-${VERSION}-setup.exe"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanto"

Name "Orvanto ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Orvanto"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails nevershow
ShowUninstDetails nevershow
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Orvanto"
VIAddVersionKey "FileDescription" "Orvanto setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 the Orvanto developers"

Page directory
Page instfiles
UninstPage instfiles

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Orvanto"
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Orvanto.exe"
  File /nonfatal "${SOURCE}\about.html"
  File /nonfatal "${SOURCE}\README.txt"
  File /nonfatal "${SOURCE}\LICENSE.txt"
  SetOutPath "$INSTDIR\data"
  File "${SOURCE}\data\*.dll"
  SetOutPath "$INSTDIR\ico"
  File "${SOURCE}\ico\*.ico"
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Orvanto.lnk" "$INSTDIR\Orvanto.exe" "" "$INSTDIR\Orvanto.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Orvanto"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "the Orvanto developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Orvanto.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Everything the installer put there, and nothing else: configure\ (the
  ; user's board and its backups) stays.
  Delete "$INSTDIR\Orvanto.exe"
  Delete "$INSTDIR\about.html"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\data\shellglyph.dll"
  Delete "$INSTDIR\data\treedoc.dll"
  RMDir "$INSTDIR\data"
  Delete "$INSTDIR\ico\*.ico"
  RMDir "$INSTDIR\ico"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Orvanto.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
