; Korvelt フォント集: a set-up that may run again and again over what it installed before, and
; that has no removal, as font and driver packs often are. It writes over its files and its key
; each time; the catalogue entry offers it always and never offers a removal.
!include sample.nsh

Name "Korvelt フォント集"
OutFile "${OUTDIR}/fonts-setup.exe"
InstallDir "$PROGRAMFILES32\Korvelt Samples\Fonts"
RequestExecutionLevel admin

!define PRODUCT_KEY "${SAMPLES_KEY}\Fonts"

Section
  ClearErrors
  SetOverwrite on
  SetOutPath "$INSTDIR"
  File "../medium/korvelt/fonts.txt"
  WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDir" "$INSTDIR"
  !insertmacro FailOnErrors
SectionEnd
