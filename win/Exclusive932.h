// Opening a file for reading without sharing, by a code page 932 path, in the form the running
// Windows implements. Header only: the message library, which links nothing of the program's
// own, opens its file this way.
#ifndef KORVELT_WIN_EXCLUSIVE932_H
#define KORVELT_WIN_EXCLUSIVE932_H

#include "win/WideText.h"
#include "win/Windows9x.h"

#include <cstdio>
#include <share.h>

// Binary mode; null when the file does not open or the path is not valid code page 932.
inline std::FILE* OpenExclusive932(const char* pszPath)
{
    std::wstring strWidePath;
    const bool bCp932 = WideFromCodePageExact(kCodePage932, pszPath, strWidePath);
    // Windows 95/98 implement the wide open only as a stub: the bytes go to the system as they
    // are, in its ANSI code page, which is 932 on the Japanese systems the texts are made for.
    // One of another language may lack the code page and cannot tell; it opens the bytes all
    // the same.
    if (IsWindows9x())
        return bCp932 || !::IsValidCodePage(kCodePage932) ? _fsopen(pszPath, "rb", _SH_DENYRW) : nullptr;
    return bCp932 ? _wfsopen(strWidePath.c_str(), L"rb", _SH_DENYRW) : nullptr;
}

#endif
