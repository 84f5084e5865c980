#include "win/Console932.h"

#include "utils/Utf8.h"
#include "win/ScopedHandle.h"
#include "win/WideText.h"
#include "win/Windows9x.h"

#include <windows.h>

namespace {

// The parent's console, attached where the system can (AttachConsole is not on Windows 2000 and
// earlier); its output then opens as CONOUT$.
HANDLE OpenParentConsole()
{
    HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    using PfnAttachConsole = BOOL(WINAPI*)(DWORD);
    const auto pfnAttach = hKernel == nullptr ? nullptr
                                              : reinterpret_cast<PfnAttachConsole>(
                                                    reinterpret_cast<void*>(::GetProcAddress(hKernel, "AttachConsole")));
    constexpr DWORD kParentProcess = static_cast<DWORD>(-1);  // ATTACH_PARENT_PROCESS
    if (pfnAttach == nullptr || !pfnAttach(kParentProcess))
        return INVALID_HANDLE_VALUE;
    return ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
}

bool WriteBytes(HANDLE hOutput, const std::string& strBytes)
{
    DWORD dwWritten = 0;
    return ::WriteFile(hOutput, strBytes.data(), static_cast<DWORD>(strBytes.size()), &dwWritten, nullptr) &&
           dwWritten == strBytes.size();
}

} // namespace

bool WriteOutput932(const std::string& strText)
{
    HANDLE hOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    CScopedKernelHandle console;
    if (hOutput == nullptr || hOutput == INVALID_HANDLE_VALUE)
    {
        console.Reset(OpenParentConsole());
        if (!console.IsValid())
            return false;
        hOutput = console.Get();
    }
    DWORD dwMode = 0;
    if (!::GetConsoleMode(hOutput, &dwMode))
    {
        // A file or a pipe: UTF-8, whatever the system's code page.
        const std::wstring strWide = WideFromCodePageLossy(kCodePage932, strText);
        return WriteBytes(hOutput, Utf8FromUtf16(std::u16string(strWide.begin(), strWide.end())));
    }
    // A console of Windows 95/98 shows the system's code page, 932 on a Japanese one.
    if (IsWindows9x())
        return WriteBytes(hOutput, strText);
    const std::wstring strWide = WideFromCodePageLossy(kCodePage932, strText);
    DWORD dwWritten = 0;
    return ::WriteConsoleW(hOutput, strWide.data(), static_cast<DWORD>(strWide.size()), &dwWritten, nullptr) != 0;
}
