; What the sample medium's set-ups share. They run without a window, set-up and removal alike:
; the launcher starts them and waits for nobody to click, and the end-to-end run drives them the
; same way. Unicode, so that the Japanese names reach the registry and the Start menu intact on a
; Windows of any language (such a set-up needs the NT family; Windows 95/98 cannot start it).
Unicode true
SilentInstall silent
SilentUnInstall silent

!ifndef OUTDIR
  !error "the folder to write the set-up to is missing: makensis -DOUTDIR=FOLDER SCRIPT"
!endif

!include LogicLib.nsh

; Where every sample keeps the key its catalogue entry may check.
!define SAMPLES_KEY "Software\Korvelt\Samples"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall"

; A silent set-up has nobody to tell of a file or key it could not write: it ends with exit code
; 2 instead, so that whoever started it can see it failed. The flag is cleared where the writes
; begin, so that only they count.
!macro FailOnErrors
  ${If} ${Errors}
    Abort
  ${EndIf}
!macroend

; The folder and keys the samples share go only when the last sample leaves them empty. The
; folder is the default one: the parent of a folder chosen with /D= belongs to the user.
!macro RemoveSharedPlaces ROOT SAMPLES_DIR
  RMDir "${SAMPLES_DIR}"
  DeleteRegKey /ifempty ${ROOT} "${SAMPLES_KEY}"
  DeleteRegKey /ifempty ${ROOT} "Software\Korvelt"
!macroend
