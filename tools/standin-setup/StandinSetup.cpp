// Stand-in set-up program of the sample medium: "installs" an application by writing its check
// key under HKEY_LOCAL_MACHINE with DisplayName and UninstallString (naming uninstall.exe beside
// this program with the same arguments), and optionally a Start-menu file and a folder.
#include "tools/standin-setup/StandinOptions.h"
#include "win/ScopedHandle.h"

#include <windows.h>

namespace {

// A registry key created for writing.
class CCreatedKey
{
public:
    explicit CCreatedKey(const std::string& strKey)
    {
        HKEY hKey = nullptr;
        if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &hKey, nullptr) == ERROR_SUCCESS)
            m_key.Reset(hKey);
    }

    bool SetString(const char* pszName, const std::string& strValue)
    {
        return m_key.IsValid() &&
               ::RegSetValueExA(m_key.Get(), pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                                static_cast<DWORD>(strValue.size() + 1)) == ERROR_SUCCESS;
    }

private:
    CScopedRegKey m_key;
};

// Creates every missing folder of a path up to its last backslash.
void CreateFoldersFor(const std::string& strPath)
{
    for (std::size_t n = strPath.find('\\', 3); n != std::string::npos; n = strPath.find('\\', n + 1))
        ::CreateDirectoryA(strPath.substr(0, n).c_str(), nullptr);
}

bool WriteSmallFile(const std::string& strPath, const char* pszText)
{
    CScopedKernelHandle file(::CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD dwWritten = 0;
    return file.IsValid() && ::WriteFile(file.Get(), pszText, static_cast<DWORD>(lstrlenA(pszText)), &dwWritten, nullptr);
}

// Starts this program again with the given arguments, as set-ups that hand over to a copy of
// themselves do; no handle is kept.
bool StartCopy(const std::string& strArguments)
{
    char szPath[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    std::string strCommand = "\"" + std::string(szPath, n) + "\" " + strArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CStandinOptions options;
    options.Parse(::GetCommandLineA());
    if (options.m_nSleepMs != 0)
    {
        ::Sleep(options.m_nSleepMs);
        return 0;
    }
    if (options.m_bRelaunch)
        return StartCopy(options.m_strCopyArguments) ? 0 : 1;
    ::Sleep(options.m_nDelayMs);
    if (options.m_strKey.empty())
        return options.m_bExitCode ? static_cast<int>(options.m_nExitCode) : 2;

    bool bOk = true;
    if (!options.m_strFolder.empty())
    {
        CreateFoldersFor(options.m_strFolder + "\\");
    }
    if (!options.m_strStartMenu.empty())
    {
        const std::string strPath = CStandinOptions::StartMenuPath(options.m_strStartMenu);
        CreateFoldersFor(strPath);
        bOk = WriteSmallFile(strPath, "Korvelt sample shortcut\r\n") && bOk;
    }
    CCreatedKey key(options.m_strKey);
    bOk = key.SetString("DisplayName", options.m_strName) && bOk;
    bOk = key.SetString("UninstallString",
                        "\"" + CStandinOptions::OwnFolder() + "\\uninstall.exe\" " + options.m_strArguments) && bOk;
    if (options.m_bLeave)
        bOk = StartCopy("/sleep 10000") && bOk;
    if (!bOk)
        return 1;
    return options.m_bExitCode ? static_cast<int>(options.m_nExitCode) : 0;
}
