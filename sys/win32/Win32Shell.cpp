// The shell's folders. SHGetFolderPathW is looked up at run time, so the program still loads on
// Windows 95/98 and NT 4, whose shell32 has none.
#include "Win32System.h"

#include "WideText.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr int kCsidlPrograms = 0x0002;        // CSIDL_PROGRAMS
constexpr int kCsidlCommonPrograms = 0x0017;  // CSIDL_COMMON_PROGRAMS
constexpr DWORD kShgfpTypeCurrent = 0;        // SHGFP_TYPE_CURRENT

// shell32 stays loaded for the life of the process: every refresh of the list asks it again.
HMODULE Shell32()
{
    static const HMODULE s_hShell = ::LoadLibraryW(L"shell32.dll");
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

bool CWin32System::GetShellFolder(EShellFolder folder, std::string& strPath)
{
    using PfnSHGetFolderPathW = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    static const auto s_pfnGetFolderPath = ShellFunction<PfnSHGetFolderPathW>("SHGetFolderPathW");
    if (s_pfnGetFolderPath == nullptr)
        return false;
    wchar_t szPath[MAX_PATH] = {};
    const int nCsidl = folder == EShellFolder::CommonPrograms ? kCsidlCommonPrograms : kCsidlPrograms;
    // S_FALSE says that the folder does not exist.
    if (s_pfnGetFolderPath(nullptr, nCsidl, nullptr, kShgfpTypeCurrent, szPath) != S_OK)
        return false;
    return Cp932FromWide(szPath, std::wcslen(szPath), strPath);
}
