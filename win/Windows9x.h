// Which family of Windows the program runs on, as the system's calls must know it: Windows 95/98
// implement most wide (...W) functions only as stubs that fail, so there every call that passes
// a text takes the ANSI (...A) form, with the program's code page 932 bytes as they are.
#ifndef KORVELT_WIN_WINDOWS9X_H
#define KORVELT_WIN_WINDOWS9X_H

#include <windows.h>

// The high bit of the version marks the Windows 95/98 family (the NT family leaves it clear).
inline bool IsWindows9x()
{
    static const bool s_b9x = (::GetVersion() & 0x80000000u) != 0;
    return s_b9x;
}

#endif
