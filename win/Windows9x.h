// Which Windows the program runs on, read once, as the system's calls must know it: Windows 95/98
// implement most wide (...W) functions only as stubs that fail, so there every call that passes
// a text takes the ANSI (...A) form, with the program's code page 932 bytes as they are. Only
// the functions of this folder ask; everything above them gets the answer through them or, in
// portable code, through the system interface. Tests may stand another Windows in for the
// running one (CScopedOsVersionOverride).
#ifndef KORVELT_WIN_WINDOWS9X_H
#define KORVELT_WIN_WINDOWS9X_H

#include "utils/OsVersion.h"

#include <windows.h>

namespace korvelt_detail {

inline const COsVersion*& OsVersionOverride()
{
    static const COsVersion* s_pOverride = nullptr;
    return s_pOverride;
}

inline bool ReadWow64()
{
    // A 64-bit build (the tests' second one) sees the same two views from the other side.
    if (sizeof(void*) == 8)
        return true;
    // Windows before XP SP2 has no IsWow64Process, and none of them runs 32-bit programs on a
    // 64-bit system.
    using PfnIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    const auto pfnIsWow64 = hKernel != nullptr
        ? reinterpret_cast<PfnIsWow64Process>(reinterpret_cast<void*>(::GetProcAddress(hKernel, "IsWow64Process")))
        : nullptr;
    BOOL bWow64 = FALSE;
    return pfnIsWow64 != nullptr && pfnIsWow64(::GetCurrentProcess(), &bWow64) && bWow64;
}

} // namespace korvelt_detail

// The running Windows, or the one a test stands in for it.
inline const COsVersion& RunningWindows()
{
    static const COsVersion s_version = COsVersion::FromGetVersion(::GetVersion(), korvelt_detail::ReadWow64());
    const COsVersion* pOverride = korvelt_detail::OsVersionOverride();
    return pOverride != nullptr ? *pOverride : s_version;
}

// Asked before every call that passes a text, tarven.dll's included: the family alone, without
// the WOW64 look-up that RunningWindows makes once.
inline bool IsWindows9x()
{
    if (const COsVersion* pOverride = korvelt_detail::OsVersionOverride())
        return pOverride->m_bWindows9x;
    static const bool s_b9x = COsVersion::FromGetVersion(::GetVersion()).m_bWindows9x;
    return s_b9x;
}

// For its lifetime, the edge takes the given Windows for the running one (on one thread).
class CScopedOsVersionOverride
{
public:
    explicit CScopedOsVersionOverride(const COsVersion& version)
        : m_version(version), m_pPrevious(korvelt_detail::OsVersionOverride())
    {
        korvelt_detail::OsVersionOverride() = &m_version;
    }
    ~CScopedOsVersionOverride() { korvelt_detail::OsVersionOverride() = m_pPrevious; }
    CScopedOsVersionOverride(const CScopedOsVersionOverride&) = delete;
    CScopedOsVersionOverride& operator=(const CScopedOsVersionOverride&) = delete;

private:
    COsVersion m_version;
    const COsVersion* m_pPrevious;
};

#endif
