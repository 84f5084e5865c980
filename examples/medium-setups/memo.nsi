; Korvelt メモ帳: installed for every user of the machine, the way most set-ups of its time were.
; Its keys are in the registry view of a 32-bit program (WOW6432Node on 64-bit Windows), its
; UninstallString is quoted and its shortcut is in the Programs folder of all users.
!include sample.nsh

Name "Korvelt メモ帳"
OutFile "${OUTDIR}/memo-setup.exe"
!define SAMPLES_DIR "$PROGRAMFILES32\Korvelt Samples"
InstallDir "${SAMPLES_DIR}\Memo"
RequestExecutionLevel admin

!define PRODUCT_KEY "${SAMPLES_KEY}\Memo"
!define ENTRY_KEY "${UNINSTALL_KEY}\KorveltMemo"

Function .onInit
  SetShellVarContext all
FunctionEnd

Section
  ClearErrors
  SetOutPath "$INSTDIR"
  File "../medium/korvelt/memo.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Korvelt"
  CreateShortCut "$SMPROGRAMS\Korvelt\メモ帳.lnk" "$INSTDIR\memo.txt"
  WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${ENTRY_KEY}" "DisplayName" "Korvelt メモ帳"
  WriteRegStr HKLM "${ENTRY_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  !insertmacro FailOnErrors
SectionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section Uninstall
  Delete "$SMPROGRAMS\Korvelt\メモ帳.lnk"
  Delete "$INSTDIR\memo.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$SMPROGRAMS\Korvelt"
  DeleteRegKey HKLM "${ENTRY_KEY}"
  DeleteRegKey HKLM "${PRODUCT_KEY}"
  !insertmacro RemoveSharedPlaces HKLM "${SAMPLES_DIR}"
SectionEnd
