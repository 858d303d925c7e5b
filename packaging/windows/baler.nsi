; The Windows installer of Unbaler, Rebaler and baler, built by scripts/release.sh:
;   makensis -DVERSION=1.1.0 -DFILEVERSION=1.1.0.0 -DSTAGE=folder -DICON=unbaler.ico \
;            -DOUTFILE=setup.exe baler.nsi
; STAGE holds the files to install (the portable folder's). It installs for the current user,
; without administrator rights, into %LOCALAPPDATA%\Programs\Baler, and writes under
; HKEY_CURRENT_USER only:
;   Software\Classes\Baler.PakArchive                       the PAK archive ProgID: icon, open command
;   Software\Classes\Applications\unbaler.exe               the name "Open with" shows
;   Software\Classes\.pak\OpenWithProgids, Baler.PakArchive so that Explorer offers Unbaler
;   Software\Microsoft\Windows\CurrentVersion\Uninstall\Baler  the Apps & features entry
; It never sets the default program of .pak files. The uninstaller removes exactly these, the
; files and the two Start-menu shortcuts; .pak's keys only when nothing else is left in them.
; /S installs and uninstalls silently.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Baler"
!define PUBLISHER "The Baler developers"
!define PROGID "Baler.PakArchive"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Baler"
!define CLASSES "Software\Classes"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "Unbaler, Rebaler and baler ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Baler"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${FILEVERSION}"
VIFileVersion "${FILEVERSION}"
VIAddVersionKey ProductName "Unbaler, Rebaler and baler"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "Installer of Unbaler, Rebaler and baler"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright (c) ${PUBLISHER}. MIT License."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\unbaler.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Unbaler"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${STAGE}\unbaler.exe"
  File "${STAGE}\rebaler.exe"
  File "${STAGE}\baler.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\sample.pak"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Unbaler.lnk" "$INSTDIR\unbaler.exe" "" "$INSTDIR\unbaler.exe" 0
  CreateShortcut "$SMPROGRAMS\Rebaler.lnk" "$INSTDIR\rebaler.exe" "" "$INSTDIR\rebaler.exe" 0

  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "PAK archive"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\unbaler.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\unbaler.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\Applications\unbaler.exe" "FriendlyAppName" "Unbaler"
  WriteRegStr HKCU "${CLASSES}\Applications\unbaler.exe\SupportedTypes" ".pak" ""
  WriteRegStr HKCU "${CLASSES}\Applications\unbaler.exe\shell\open\command" "" '"$INSTDIR\unbaler.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\.pak\OpenWithProgids" "${PROGID}" ""

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Unbaler, Rebaler and baler"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\unbaler.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; Deletes HKCU\KEY when it holds neither a value nor a subkey.
!macro DeleteKeyIfEmpty KEY
  ClearErrors
  EnumRegValue $0 HKCU "${KEY}" 0
  ${If} ${Errors}
    EnumRegKey $1 HKCU "${KEY}" 0
    ${If} $1 == ""
      DeleteRegKey HKCU "${KEY}"
    ${EndIf}
  ${EndIf}
!macroend

Section "Uninstall"
  Delete "$INSTDIR\unbaler.exe"
  Delete "$INSTDIR\rebaler.exe"
  Delete "$INSTDIR\baler.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\sample.pak"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The folder of per-user programs goes only when this was its last program.
  RMDir "$LOCALAPPDATA\Programs"

  Delete "$SMPROGRAMS\Unbaler.lnk"
  Delete "$SMPROGRAMS\Rebaler.lnk"

  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegKey HKCU "${CLASSES}\Applications\unbaler.exe"
  DeleteRegValue HKCU "${CLASSES}\.pak\OpenWithProgids" "${PROGID}"
  !insertmacro DeleteKeyIfEmpty "${CLASSES}\.pak\OpenWithProgids"
  !insertmacro DeleteKeyIfEmpty "${CLASSES}\.pak"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
