// Opening a file for reading without sharing, so that the open fails while another process
// holds the file open: the message file and the pictures are read that way.
#ifndef KORVELT_UTILS_EXCLUSIVEFILE_H
#define KORVELT_UTILS_EXCLUSIVEFILE_H

#include <cstdio>

#ifdef _WIN32
#include "WideText.h"
#include "Windows9x.h"

#include <share.h>
#endif

// Binary mode; null when the file does not open. The path is code page 932 whatever the
// system's code page; one that is not valid code page 932 does not open. Other systems than
// Windows have no such sharing mode and open the file normally, by its bytes.
inline std::FILE* OpenExclusive(const char* pszPath)
{
#ifdef _WIN32
    // Windows 95/98 implement the wide open only as a stub: the bytes go to the system as they are,
    // in its ANSI code page, which is 932 on the Japanese systems the texts are made for.
    if (IsWindows9x())
        return _fsopen(pszPath, "rb", _SH_DENYRW);
    std::wstring strWidePath;
    if (!WideFromCodePageExact(kCodePage932, pszPath, strWidePath))
        return nullptr;
    return _wfsopen(strWidePath.c_str(), L"rb", _SH_DENYRW);
#else
    return std::fopen(pszPath, "rb");
#endif
}

#endif
