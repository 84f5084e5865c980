#include "win/Shell932.h"

#include "win/Kernel932.h"
#include "win/ScopedHandle.h"
#include "win/WideText.h"
#include "win/Windows9x.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace {

constexpr DWORD kShgfpTypeCurrent = 0;        // SHGFP_TYPE_CURRENT

// shell32 stays loaded for the life of the process: every refresh of the list asks it again.
HMODULE Shell32()
{
    static const HMODULE s_hShell = LoadSystemLibrary932("shell32.dll");
    return s_hShell;
}

template <typename TFunction>
TFunction ShellFunction(const char* pszName)
{
    HMODULE hShell = Shell32();
    return hShell != nullptr ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(hShell, pszName)))
                             : nullptr;
}

} // namespace

bool GetShellFolderPath932(int nCsidl, std::string& strPath)
{
    using PfnSHGetFolderPathA = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    using PfnSHGetFolderPathW = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    static const auto s_pfnGetFolderPathA = ShellFunction<PfnSHGetFolderPathA>("SHGetFolderPathA");
    static const auto s_pfnGetFolderPathW = ShellFunction<PfnSHGetFolderPathW>("SHGetFolderPathW");
    // S_FALSE says that the folder does not exist.
    const std::string strFound = TextFromSystem932<MAX_PATH>(
        [nCsidl](char* p, DWORD) {
            return s_pfnGetFolderPathA != nullptr && s_pfnGetFolderPathA(nullptr, nCsidl, nullptr, kShgfpTypeCurrent, p) == S_OK
                       ? static_cast<DWORD>(::lstrlenA(p))
                       : 0;
        },
        [nCsidl](wchar_t* p, DWORD) {
            return s_pfnGetFolderPathW != nullptr && s_pfnGetFolderPathW(nullptr, nCsidl, nullptr, kShgfpTypeCurrent, p) == S_OK
                       ? static_cast<DWORD>(::lstrlenW(p))
                       : 0;
        });
    if (strFound.empty())
        return false;
    strPath = strFound;
    return true;
}

bool StartElevated932(const std::string& strProgram, const std::string& strParameters, const char* pszFolder,
                      CScopedKernelHandle* pProcess)
{
    // Windows 95/98 know no administrator rights to ask for.
    if (IsWindows9x())
        return false;
    using PfnShellExecuteExW = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    static const auto s_pfnShellExecuteEx = ShellFunction<PfnShellExecuteExW>("ShellExecuteExW");
    std::wstring strWideProgram;
    std::wstring strWideParameters;
    std::wstring strWideFolder;
    if (s_pfnShellExecuteEx == nullptr || !WideFromCodePageExact(kCodePage932, strProgram, strWideProgram) ||
        !WideFromCodePageExact(kCodePage932, strParameters, strWideParameters) ||
        (pszFolder != nullptr && !WideFromCodePageExact(kCodePage932, pszFolder, strWideFolder)))
        return false;

    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // With the process handle asked for, the call returns once the process exists or the user
    // has declined; the launcher's own error box is then the only one.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = strWideProgram.c_str();
    info.lpParameters = strWideParameters.empty() ? nullptr : strWideParameters.c_str();
    info.lpDirectory = pszFolder != nullptr ? strWideFolder.c_str() : nullptr;
    info.nShow = SW_SHOWNORMAL;
    if (!s_pfnShellExecuteEx(&info))
        return false;
    CScopedKernelHandle process(info.hProcess);
    if (pProcess != nullptr)
        *pProcess = std::move(process);
    return true;
}
