; Korvelt 家計簿 2.0: installed for every user, as a 64-bit application would be. Its keys are in
; the 64-bit registry view, where a 32-bit program looks only when it asks for that view, and its
; UninstallString names the removal program without quotes although the path holds spaces, as
; some set-ups write it. On 32-bit Windows there is only one view and one Program Files.
!include sample.nsh
!include x64.nsh

Name "Korvelt 家計簿 2.0"
OutFile "${OUTDIR}/kakeibo-setup.exe"
!define SAMPLES_DIR "$PROGRAMFILES64\Korvelt Samples"
InstallDir "${SAMPLES_DIR}\Kakeibo 2.0"
RequestExecutionLevel admin

!define PRODUCT_KEY "${SAMPLES_KEY}\Kakeibo\2.0"
!define ENTRY_KEY "${UNINSTALL_KEY}\KorveltKakeibo"

; The flag that selects a view means nothing to 32-bit Windows, and Windows 2000 does not know
; it: it is asked for only where the other view exists.
!macro UseView64
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

Function .onInit
  !insertmacro UseView64
FunctionEnd

Section
  ClearErrors
  SetOutPath "$INSTDIR"
  File "../medium/korvelt/kakeibo.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${ENTRY_KEY}" "DisplayName" "Korvelt 家計簿 2.0"
  WriteRegStr HKLM "${ENTRY_KEY}" "DisplayVersion" "2.0"
  WriteRegStr HKLM "${ENTRY_KEY}" "UninstallString" "$INSTDIR\uninstall.exe"
  !insertmacro FailOnErrors
SectionEnd

Function un.onInit
  !insertmacro UseView64
FunctionEnd

Section Uninstall
  Delete "$INSTDIR\kakeibo.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${ENTRY_KEY}"
  DeleteRegKey HKLM "${PRODUCT_KEY}"
  ; Release 1.0 may still be registered beside it.
  DeleteRegKey /ifempty HKLM "${SAMPLES_KEY}\Kakeibo"
  !insertmacro RemoveSharedPlaces HKLM "${SAMPLES_DIR}"
SectionEnd
