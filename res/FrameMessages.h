// The window messages that cross between the main frame and the view, and the view's own.
#ifndef KORVELT_RES_FRAMEMESSAGES_H
#define KORVELT_RES_FRAMEMESSAGES_H

#include <windows.h>

// Posted to the view: re-check the installed state of every entry.
constexpr UINT WM_REFRESH_STATE = WM_USER + 1;
// Posted to the frame by the view before a removal command starts: minimise.
constexpr UINT WM_MINIMIZE_FRAME = WM_USER;

// Posted by the view to itself: an unattended run goes on with its next entry.
constexpr UINT WM_UNATTENDED_NEXT = WM_USER + 2;

#endif
