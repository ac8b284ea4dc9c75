; The Windows installer of Karvo (NSIS, made by tools/windows/build.sh):
;   makensis -DVERSION=2.6 -DLISTS=<folder of the file lists> -DOUTFILE=<setup.exe> karvo.nsi
; build.sh writes install-files.nsh and uninstall-files.nsh: the File commands of the install
; and the Delete/RMDir commands of the uninstall, so that the uninstaller removes what
; was installed and nothing else (profiles, setups and backups of the users stay).
; Silent mode: Karvo-VERSION-win64-setup.exe /S /D=C:\Path\Karvo
; A 64-bit installer for the 64-bit programs (and it runs under a 64-bit-only Wine).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

Name "Karvo ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Karvo"
InstallDirRegKey HKLM "Software\Karvo" "InstallDir"
RequestExecutionLevel admin

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Karvo"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Karvo"
    SetShellVarContext all
    !include "${LISTS}/install-files.nsh"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Karvo"
    CreateShortCut "$SMPROGRAMS\Karvo\Karvo.lnk" "$INSTDIR\karvo.exe"
    CreateShortCut "$SMPROGRAMS\Karvo\Uninstall Karvo.lnk" "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "Software\Karvo" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Karvo ${VERSION}"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Karvo"
    WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\karvo.exe"
    WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    !include "${LISTS}/uninstall-files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Karvo\Karvo.lnk"
    Delete "$SMPROGRAMS\Karvo\Uninstall Karvo.lnk"
    RMDir "$SMPROGRAMS\Karvo"
    DeleteRegKey HKLM "${UNINST_KEY}"
    DeleteRegKey HKLM "Software\Karvo"
SectionEnd
