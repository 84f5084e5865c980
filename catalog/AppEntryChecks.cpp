// The installed-state checks of one entry and the lookup of its removal command.
#include "AppChecks.h"
#include "AppEntry.h"
#include "System.h"

namespace {

constexpr std::size_t kValueRoom = 255;     // bytes for a registry string, terminator included
constexpr std::size_t kSubKeyNameRoom = 254;

// A check of the given type: 0 registry key, 1 Start-menu file. -1 for any other type.
int RunCheck(int32_t nType, const std::string& strKey, const std::string& strFile)
{
    switch (nType)
    {
    case 0: return RegistryKeyExists(strKey);
    case 1: return StartMenuFileExists(strFile);
    default: return -1;
    }
}

// "UninstallString" of a key under HKEY_LOCAL_MACHINE, else under HKEY_CURRENT_USER: the
// first root where the key opens decides. Empty when there is none or it does not fit.
std::string ReadUninstallValue(const std::string& strKey)
{
    CSystem& sys = TheSystem();
    for (CSystem::ERoot root : {CSystem::ERoot::LocalMachine, CSystem::ERoot::CurrentUser})
    {
        if (!sys.RegKeyExists(root, strKey))
            continue;
        std::string strValue;
        if (!sys.RegQueryString(root, strKey, "UninstallString", kValueRoom, strValue))
            strValue.clear();
        return strValue;
    }
    return std::string();
}

// The last subkey of strParent under HKEY_LOCAL_MACHINE whose "DisplayName" equals
// strDisplayName byte for byte; empty when none does.
std::string FindKeyByDisplayName(const std::string& strParent, const std::string& strDisplayName)
{
    CSystem& sys = TheSystem();
    std::string strFound;
    for (uint32_t nIndex = 0;; ++nIndex)
    {
        std::string strName;
        const CSystem::EEnumResult result =
            sys.RegEnumSubKey(CSystem::ERoot::LocalMachine, strParent, nIndex, kSubKeyNameRoom, strName);
        if (result == CSystem::EEnumResult::NoMore)
            break;
        // A subkey whose name does not fit or has no code page 932 spelling cannot be opened
        // by name; the ones after it still can.
        if (result != CSystem::EEnumResult::Found)
            continue;
        const std::string strKey = strParent + "\\" + strName;
        std::string strValue;
        if (sys.RegQueryString(CSystem::ERoot::LocalMachine, strKey, "DisplayName", kValueRoom, strValue) &&
            strValue == strDisplayName)
            strFound = strKey;
    }
    return strFound;
}

} // namespace

int32_t CAppEntry::RefreshState()
{
    m_bPrevReleaseFound = 0;
    if (m_bHasPrevRelease && IsPrevReleaseFile(*this))
    {
        // A previous release that is found decides alone; the installed flag keeps its value.
        if (RunCheck(m_nPrevCheckType, m_strPrevCheckKey, m_strPrevCheckFile) > 0)
        {
            m_bPrevReleaseFound = 1;
            return 1;
        }
    }
    const int nResult = RunCheck(m_nCheckType, m_strCheckKey, m_strCheckFile);
    if (nResult < 0)
        return 0;
    m_bInstalled = nResult;
    return m_bInstalled;
}

const std::string& CAppEntry::GetUninstallString()
{
    // The previous release, when it is what was found, is removed through its own key, searched
    // by its own display name when its search flag is set; the current release likewise.
    const bool bSearch = m_bPrevReleaseFound ? m_bPrevSearchUninstallKey != 0 : m_bSearchUninstallKey != 0;
    if (bSearch)
        SearchUninstallKey();
    else
        ReadUninstallString();
    return m_strUninstallString;
}

void CAppEntry::ReadUninstallString()
{
    m_strUninstallString = ReadUninstallValue(m_bPrevReleaseFound ? m_strPrevUninstallKey : m_strUninstallKey);
}

void CAppEntry::SearchUninstallKey()
{
    m_strUninstallString.clear();
    if (m_bPrevReleaseFound)
    {
        const std::string strFound = FindKeyByDisplayName(m_strPrevUninstallKey, m_strPrevDisplayName);
        if (strFound.empty())
            return;
        m_strPrevUninstallKey = strFound;
        m_bPrevSearchUninstallKey = 0;
    }
    else
    {
        const std::string strFound = FindKeyByDisplayName(m_strUninstallKey, m_strDisplayName);
        if (strFound.empty())
            return;
        SetUninstallKey(strFound);
        ClearSearchUninstallKey();
    }
    ReadUninstallString();
}

const std::string& CAppEntry::GetUninstallPath()
{
    m_strUninstallPath = TheSystem().GetWindowsFolder();
    m_strUninstallPath += GetPlatform() == PLATFORM_WIN95 ? kStartMenuPrograms95 : kStartMenuProgramsNT;
    m_strUninstallPath += m_strUninstallCommand;
    return m_strUninstallPath;
}
