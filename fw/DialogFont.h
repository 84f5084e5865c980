// The font of a dialog's controls on a system whose ANSI code page is not 932. The templates name
// fonts without Japanese glyphs (or Japanese faces such a system may lack); asked for in the
// Japanese character set, the template's font makes the font mapper choose a face that has them,
// as a Japanese system does for the template itself. Owns that font; on a code page 932 system it
// holds none and changes nothing.
#ifndef KORVELT_FW_DIALOGFONT_H
#define KORVELT_FW_DIALOGFONT_H

#include "win/ScopedHandle.h"

class CDialogFont
{
public:
    // Gives every control of the dialog the template's font in the Japanese character set. The
    // font must stay while the controls live: call it once the controls exist, on an object that
    // outlives the dialog's window.
    void Apply(HWND hDialog);

    // Whether this system's own choice for a template's font lacks the Japanese character set.
    static bool IsNeeded();

private:
    CScopedFont m_font;
};

#endif
