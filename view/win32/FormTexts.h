// The form's texts from the message file: the buttons, the list's columns, the status column,
// the caption and the menu bar, whose three placeholders become pop-up menus of one item each.
#ifndef KORVELT_VIEW_WIN32_FORMTEXTS_H
#define KORVELT_VIEW_WIN32_FORMTEXTS_H

#include <windows.h>

#include <string>

class CAppListCtrl;

class CFormTexts
{
public:
    static void SetButtonTexts(HWND hForm);
    // The menu bar owns the pop-ups (and destroys those of an earlier call when they are
    // replaced); then the caption.
    static void SetMenuTexts(HWND hFrame);
    // Deletes every row and column and inserts the three columns, scaled to the screen.
    static void ResetColumns(CAppListCtrl& list);
    // The status column's text for an entry: message 15, 14 or nothing.
    static std::string StatusText(bool bInstalled, bool bPrevReleaseFound);
};

#endif
