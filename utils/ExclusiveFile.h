// Opening a file for reading without sharing, so that the open fails while another process
// holds the file open: the message file and the pictures are read that way.
#ifndef KORVELT_UTILS_EXCLUSIVEFILE_H
#define KORVELT_UTILS_EXCLUSIVEFILE_H

#include <cstdio>

#ifdef _WIN32
#include "win/Exclusive932.h"
#endif

// Binary mode; null when the file does not open. The path is code page 932 whatever the
// system's code page; one that is not valid code page 932 does not open. Other systems than
// Windows have no such sharing mode and open the file normally, by its bytes.
inline std::FILE* OpenExclusive(const char* pszPath)
{
#ifdef _WIN32
    return OpenExclusive932(pszPath);
#else
    return std::fopen(pszPath, "rb");
#endif
}

#endif
