; Tramela's installer: for the current user, without administrator rights, in Italian.
; makensis is given EXE, LICENSE, README, NOTICES, LGPL, GPL (the files it installs), ICON,
; VERSION_NSH and OUTFILE with -D (see CMakeLists.txt beside this file). VERSION_NSH, made
; when the build is configured, defines VERSION (1.00) and FILE_VERSION (1.0.0.0).
; A 64-bit installer for a 64-bit program (and Wine without its 32-bit half runs it).
Target amd64-unicode
!include "MUI2.nsh"
!include "${VERSION_NSH}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tramela"

Name "Tramela"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Tramela"
SetCompressor /SOLID lzma

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1040 "ProductName" "Tramela"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di Tramela"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "The Tramela developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tramela.exe"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Section
  SetOutPath "$INSTDIR"
  File "/oname=tramela.exe" "${EXE}"
  File "/oname=LICENSE" "${LICENSE}"
  File "/oname=LEGGIMI.txt" "${README}"
  File "/oname=THIRD-PARTY-NOTICES.txt" "${NOTICES}"
  File "/oname=LGPL-3.0.txt" "${LGPL}"
  File "/oname=GPL-3.0.txt" "${GPL}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tramela.lnk" "$INSTDIR\tramela.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tramela"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tramela.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Tramela developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\tramela.exe"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\LEGGIMI.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\LGPL-3.0.txt"
  Delete "$INSTDIR\GPL-3.0.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tramela.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
