; Korvelt 画像ビューア: installed for the current user alone, without administrator rights, as
; today's per-user set-ups are: its files in the user's local Programs folder, its keys under
; HKEY_CURRENT_USER and its shortcuts in the user's own Programs folder, one of them to remove it.
!include sample.nsh

Name "Korvelt 画像ビューア"
OutFile "${OUTDIR}/viewer-setup.exe"
!define SAMPLES_DIR "$LOCALAPPDATA\Programs\Korvelt Samples"
InstallDir "${SAMPLES_DIR}\Viewer"
RequestExecutionLevel user

!define PRODUCT_KEY "${SAMPLES_KEY}\Viewer"
!define ENTRY_KEY "${UNINSTALL_KEY}\KorveltViewer"

Section
  ClearErrors
  SetOutPath "$INSTDIR"
  File "../medium/korvelt/viewer.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Korvelt"
  CreateShortCut "$SMPROGRAMS\Korvelt\画像ビューア.lnk" "$INSTDIR\viewer.txt"
  CreateShortCut "$SMPROGRAMS\Korvelt\画像ビューアの削除.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${PRODUCT_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${ENTRY_KEY}" "DisplayName" "Korvelt 画像ビューア"
  WriteRegStr HKCU "${ENTRY_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  !insertmacro FailOnErrors
SectionEnd

Section Uninstall
  Delete "$SMPROGRAMS\Korvelt\画像ビューア.lnk"
  Delete "$SMPROGRAMS\Korvelt\画像ビューアの削除.lnk"
  Delete "$INSTDIR\viewer.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$SMPROGRAMS\Korvelt"
  DeleteRegKey HKCU "${ENTRY_KEY}"
  DeleteRegKey HKCU "${PRODUCT_KEY}"
  !insertmacro RemoveSharedPlaces HKCU "${SAMPLES_DIR}"
SectionEnd
