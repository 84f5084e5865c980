// Opening a file for reading without sharing, so that the open fails while another process
// holds the file open: the message file and the pictures are read that way.
#ifndef KORVELT_UTILS_EXCLUSIVEFILE_H
#define KORVELT_UTILS_EXCLUSIVEFILE_H

#include <cstdio>

#ifdef _WIN32
#include <share.h>
#endif

// Binary mode; null when the file does not open. Other systems than Windows have no such
// sharing mode and open the file normally.
inline std::FILE* OpenExclusive(const char* pszPath)
{
#ifdef _WIN32
    return _fsopen(pszPath, "rb", _SH_DENYRW);
#else
    return std::fopen(pszPath, "rb");
#endif
}

#endif
