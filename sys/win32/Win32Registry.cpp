#include "Win32Registry.h"

#include "Win32System.h"

REGSAM RegViewAccess(CSystem::ERegView view)
{
    if (view == CSystem::ERegView::Own)
        return 0;
    return sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

bool CWin32System::IsWow64()
{
    // Windows before XP SP2 has no IsWow64Process, and none of them runs 32-bit programs on a
    // 64-bit system.
    static const bool s_bWow64 = [] {
        using PfnIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
        HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
        const auto pfnIsWow64 = hKernel != nullptr
            ? reinterpret_cast<PfnIsWow64Process>(reinterpret_cast<void*>(::GetProcAddress(hKernel, "IsWow64Process")))
            : nullptr;
        BOOL bWow64 = FALSE;
        return pfnIsWow64 != nullptr && pfnIsWow64(::GetCurrentProcess(), &bWow64) && bWow64;
    }();
    return s_bWow64;
}
