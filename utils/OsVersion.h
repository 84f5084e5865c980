// Which Windows the program runs on, as the launcher's decisions need it: the family (the
// Windows 95/98 family implements most wide functions only as stubs and keeps its Start menu
// below the Windows folder), the version, and whether a 32-bit program runs on 64-bit Windows.
// Portable: read once by the system edge, handed to portable code through the system interface.
#ifndef KORVELT_UTILS_OSVERSION_H
#define KORVELT_UTILS_OSVERSION_H

#include <cstdint>

struct COsVersion
{
    bool m_bWindows9x = false;
    unsigned m_nMajor = 0;
    unsigned m_nMinor = 0;
    bool m_bWow64 = false;  // a 32-bit process on 64-bit Windows (or a 64-bit one): the registry has two views

    // Windows 2000 and later: per-user uninstall entries, the shell's Programs folders.
    bool IsNT5OrLater() const { return !m_bWindows9x && m_nMajor >= 5; }

    // The number that GetVersion returns: the high bit marks the Windows 95/98 family, the low
    // byte is the major version and the next one the minor version.
    static COsVersion FromGetVersion(uint32_t nVersion, bool bWow64 = false)
    {
        COsVersion version;
        version.m_bWindows9x = (nVersion & 0x80000000u) != 0;
        version.m_nMajor = nVersion & 0xFFu;
        version.m_nMinor = (nVersion >> 8) & 0xFFu;
        version.m_bWow64 = bWow64;
        return version;
    }
};

#endif
