// The installed-state checks of one entry and the lookup of its removal command.
#include "catalog/AppChecks.h"
#include "catalog/AppEntry.h"
#include "catalog/CheckContext.h"
#include "catalog/CheckObserver.h"
#include "sys/System.h"

#include <optional>
#include <vector>

namespace {

constexpr std::size_t kValueRoom = 255;     // bytes for a registry string, terminator included
constexpr std::size_t kSubKeyNameRoom = 254;

void TellStep(const CCheckContext& context, ICheckObserver::EStep step)
{
    if (context.m_pObserver)
        context.m_pObserver->OnStep(step);
}

// A check of the given type: 0 registry key, 1 Start-menu file. -1 for any other type.
int RunCheck(const CCheckContext& context, int32_t nType, const std::string& strKey, const std::string& strFile)
{
    if (context.m_pObserver)
        context.m_pObserver->OnCheck(nType);
    switch (nType)
    {
    case 0: return RegistryKeyExists(context, strKey);
    case 1: return StartMenuFileExists(context, strFile);
    default: return -1;
    }
}

// "UninstallString" of a key at its known place, or else at the first place where it opens
// (HKEY_LOCAL_MACHINE before HKEY_CURRENT_USER, the own view before the other): that place
// decides. Empty when there is none or the value does not fit. strQuiet gets the same key's
// "QuietUninstallString", which set-ups register for removals without questions.
std::string ReadUninstallValue(const CCheckContext& context, const std::string& strKey,
                               const std::optional<CRegPlace>& known, std::string& strQuiet)
{
    strQuiet.clear();
    CSystem& sys = TheSystem();
    const std::vector<CRegPlace> places = known ? std::vector<CRegPlace>{*known} : RegistryPlaces(true);
    ICheckObserver* const pObserver = context.m_pObserver;
    for (const CRegPlace& place : places)
    {
        const bool bExists = sys.RegKeyExists(place.m_root, strKey, place.m_view);
        if (pObserver)
            pObserver->OnRegistryKey(strKey, place, bExists);
        if (!bExists)
            continue;
        std::string strValue;
        const bool bRead =
            sys.RegQueryCommand(place.m_root, strKey, "UninstallString", kValueRoom, strValue, place.m_view);
        if (!bRead)
            strValue.clear();
        if (pObserver)
            pObserver->OnUninstallValue(strKey, place, bRead, strValue);
        if (!sys.RegQueryCommand(place.m_root, strKey, "QuietUninstallString", kValueRoom, strQuiet, place.m_view))
            strQuiet.clear();
        return strValue;
    }
    return std::string();
}

struct CFoundKey
{
    std::string m_strKey;
    CRegPlace m_place;
};

// The last subkey of strParent whose "DisplayName" equals strDisplayName byte for byte under
// HKEY_LOCAL_MACHINE, in both views under WOW64; only when it has none, the last one under
// HKEY_CURRENT_USER on Windows 2000 and later (where set-ups for one user register): an entry
// that any user can write never overrides the machine's.
std::optional<CFoundKey> FindKeyByDisplayName(const CCheckContext& context, const std::string& strParent,
                                              const std::string& strDisplayName)
{
    CSystem& sys = TheSystem();
    std::optional<CFoundKey> found;
    for (const CRegPlace& place : RegistryPlaces(IsWindows2000OrLater()))
    {
        if (found && found->m_place.m_root == CSystem::ERoot::LocalMachine && place.m_root == CSystem::ERoot::CurrentUser)
            break;
        for (uint32_t nIndex = 0;; ++nIndex)
        {
            std::string strName;
            const CSystem::EEnumResult result =
                sys.RegEnumSubKey(place.m_root, strParent, nIndex, kSubKeyNameRoom, strName, place.m_view);
            if (result == CSystem::EEnumResult::NoMore)
                break;
            // A subkey whose name does not fit or has no code page 932 spelling cannot be
            // opened by name; the ones after it still can.
            if (result != CSystem::EEnumResult::Found)
                continue;
            const std::string strKey = strParent + "\\" + strName;
            std::string strValue;
            if (sys.RegQueryString(place.m_root, strKey, "DisplayName", kValueRoom, strValue, place.m_view) &&
                strValue == strDisplayName)
                found = CFoundKey{strKey, place};
        }
    }
    if (context.m_pObserver)
        context.m_pObserver->OnDisplayNameSearch(strParent, strDisplayName, found ? &found->m_strKey : nullptr,
                                                 found ? &found->m_place : nullptr);
    return found;
}

} // namespace

int32_t CAppEntry::RefreshState(const CCheckContext& context)
{
    m_bPrevReleaseFound = 0;
    if (m_bHasPrevRelease)
    {
        TellStep(context, ICheckObserver::EStep::PrevRelease);
        // A previous release that is found decides alone; the installed flag keeps its value.
        if (IsPrevReleaseFile(context, *this) &&
            RunCheck(context, m_nPrevCheckType, m_strPrevCheckKey, m_strPrevCheckFile) > 0)
        {
            m_bPrevReleaseFound = 1;
            return 1;
        }
    }
    TellStep(context, ICheckObserver::EStep::Installed);
    const int nResult = RunCheck(context, m_nCheckType, m_strCheckKey, m_strCheckFile);
    if (nResult < 0)
        return 0;
    m_bInstalled = nResult;
    return m_bInstalled;
}

const std::string& CAppEntry::GetUninstallString(const CCheckContext& context)
{
    // The previous release, when it is what was found, is removed through its own key, searched
    // by its own display name when its search flag is set; the current release likewise.
    const bool bSearch = m_bPrevReleaseFound ? m_bPrevSearchUninstallKey != 0 : m_bSearchUninstallKey != 0;
    TellStep(context, ICheckObserver::EStep::UninstallString);
    if (bSearch)
        SearchUninstallKey(context);
    else
        ReadUninstallString(context);
    return m_strUninstallString;
}

void CAppEntry::ReadUninstallString(const CCheckContext& context)
{
    m_strUninstallString =
        m_bPrevReleaseFound
            ? ReadUninstallValue(context, m_strPrevUninstallKey, m_prevUninstallKeyPlace, m_strQuietUninstallString)
            : ReadUninstallValue(context, m_strUninstallKey, m_uninstallKeyPlace, m_strQuietUninstallString);
}

void CAppEntry::SearchUninstallKey(const CCheckContext& context)
{
    m_strUninstallString.clear();
    m_strQuietUninstallString.clear();
    if (m_bPrevReleaseFound)
    {
        const std::optional<CFoundKey> found =
            FindKeyByDisplayName(context, m_strPrevUninstallKey, m_strPrevDisplayName);
        if (!found)
            return;
        m_strPrevUninstallKey = found->m_strKey;
        m_prevUninstallKeyPlace = found->m_place;
        m_bPrevSearchUninstallKey = 0;
    }
    else
    {
        const std::optional<CFoundKey> found = FindKeyByDisplayName(context, m_strUninstallKey, m_strDisplayName);
        if (!found)
            return;
        SetUninstallKey(found->m_strKey);
        m_uninstallKeyPlace = found->m_place;
        ClearSearchUninstallKey();
    }
    ReadUninstallString(context);
}

const std::string& CAppEntry::GetUninstallPath(const CCheckContext& context)
{
    TellStep(context, ICheckObserver::EStep::UninstallPath);
    m_strUninstallPath = TheSystem().GetWindowsFolder();
    m_strUninstallPath += GetPlatform() == PLATFORM_WIN95 ? kStartMenuPrograms95 : kStartMenuProgramsNT;
    m_strUninstallPath += m_strUninstallCommand;
    // The folder below the Windows folder keeps its precedence, and when no folder holds the
    // command its path is what the start fails on, as it always did.
    const std::vector<CProgramsFolder> folders = ShellProgramsFolders();
    if (folders.empty() || StartMenuPathMatches(context, EStartMenuPlace::BelowWindows, m_strUninstallPath))
        return m_strUninstallPath;
    for (const CProgramsFolder& folder : folders)
    {
        const std::string strPath = folder.m_strPath + "\\" + m_strUninstallCommand;
        if (StartMenuPathMatches(context, folder.m_place, strPath))
        {
            m_strUninstallPath = strPath;
            break;
        }
    }
    return m_strUninstallPath;
}
