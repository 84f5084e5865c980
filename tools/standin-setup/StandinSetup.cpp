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

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CStandinOptions options;
    options.Parse(::GetCommandLineA());
    if (options.m_strKey.empty())
        return 2;

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
    return bOk ? 0 : 1;
}
