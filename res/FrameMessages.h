// The two window messages that cross between the main frame and the view.
#ifndef KORVELT_RES_FRAMEMESSAGES_H
#define KORVELT_RES_FRAMEMESSAGES_H

#include <windows.h>

// Posted to the view: re-check the installed state of every entry.
constexpr UINT WM_REFRESH_STATE = WM_USER + 1;
// Posted to the frame by the view before a removal command starts: minimise.
constexpr UINT WM_MINIMIZE_FRAME = WM_USER;

#endif
