// The registry, read only, by code page 932 key and value names, in the form the running Windows
// implements. A name or text that code page 932 cannot carry is not found.
#ifndef KORVELT_WIN_REGISTRY932_H
#define KORVELT_WIN_REGISTRY932_H

#include "win/ScopedHandle.h"

#include <windows.h>

#include <cstddef>
#include <string>

// Nothing held when the key cannot be opened, its path included when it is not code page 932.
// nView is 0 or one of the KEY_WOW64_ flags.
CScopedRegKey RegOpenForReading932(HKEY hRoot, const std::string& strKey, REGSAM nView);

// A REG_SZ or REG_EXPAND_SZ value of at most nMaxBytes code page 932 bytes as stored (terminator
// included when it is stored, as the ANSI function counts it); bExpandable tells which type.
// False for a value that is missing, of another type, too long or with a character that code
// page 932 lacks. strOut and bExpandable are left untouched on failure.
bool RegQueryString932(HKEY hKey, const std::string& strValue, std::size_t nMaxBytes, std::string& strOut,
                       bool& bExpandable);

enum class ERegEnum932
{
    Found,     // strName holds the subkey's name
    TooLong,   // the name does not fit in nMaxChars bytes (or the system's own room)
    NotCp932,  // the name holds a character that code page 932 lacks
    NoMore,
};

// The subkey with the given index.
ERegEnum932 RegEnumKey932(HKEY hKey, DWORD nIndex, std::size_t nMaxChars, std::string& strName);

#endif
