// The names that Windows opens as a device rather than a file, in any folder and with any
// extension: a catalogue's entry file, a copied file or a folder on the way to one of that name
// would read from a port or write to nowhere.
#ifndef KORVELT_UTILS_DEVICENAMES_H
#define KORVELT_UTILS_DEVICENAMES_H

#include "utils/AsciiText.h"
#include "utils/Cp932.h"

#include <string_view>

// True for one path component that names a device: CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9 in any letter case, alone or before an extension ("nul.txt", "Con", "com1 .log"). The
// system looks at the part before the first dot and drops the blanks that it ends in. CONIN$,
// CONOUT$ (the console on every Windows) and CLOCK$ (a device on Windows 95/98) count too.
inline bool IsDeviceName(std::string_view name)
{
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    for (const char* pszDevice : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
        if (EqualsNoCaseAscii(base, pszDevice))
            return true;
    const std::string_view prefix = base.substr(0, 3);
    return base.size() == 4 && (EqualsNoCaseAscii(prefix, "COM") || EqualsNoCaseAscii(prefix, "LPT")) && base[3] >= '1' &&
           base[3] <= '9';
}

// True when any component of a path ("\\" and "/" separate) names a device. A double-byte
// character is stepped over whole: its second byte may be 0x5C.
inline bool HasDeviceComponent(std::string_view path)
{
    std::size_t nStart = 0;
    for (std::size_t i = 0; i <= path.size(); ++i)
    {
        if (i + 1 < path.size() && IsCp932LeadByte(static_cast<unsigned char>(path[i])))
        {
            ++i;
            continue;
        }
        if (i < path.size() && path[i] != '\\' && path[i] != '/')
            continue;
        if (IsDeviceName(path.substr(nStart, i - nStart)))
            return true;
        nStart = i + 1;
    }
    return false;
}

#endif
