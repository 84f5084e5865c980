; A set-up with its pages, as most NSIS set-ups are: without /S it waits on its pages for a user.
; It writes one key of the current user, so that it needs no administrator.
Unicode true
RequestExecutionLevel user
Name "Korvelt Pages Test"
OutFile "${OUTFILE}"
InstallDir "$TEMP\KorveltPagesTest"

Page directory
Page instfiles

Section
  WriteRegStr HKCU "Software\KorveltPagesTest" "Installed" "1"
SectionEnd
