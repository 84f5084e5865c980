#include "catalog/AppChecks.h"

#include "catalog/AppEntry.h"
#include "catalog/CheckContext.h"
#include "catalog/CheckObserver.h"
#include "sys/System.h"
#include "utils/AsciiText.h"
#include "utils/Cp932.h"

#include <cstdlib>

const char kStartMenuPrograms95[] = "\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\";
const char kStartMenuProgramsNT[] =
    "\\Profiles\\All Users\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\";
const char kAllUsersProfileNT[] = "\\Profiles\\All Users";

namespace {

constexpr uint16_t kDosTime235954 = 0xBF7B;  // 23:59:54

// The decimal number at the start of a text, as the C run-time reads it; large values are
// clamped so that they stay out of every valid range.
long ReadNumber(const std::string& s)
{
    return std::strtol(s.c_str(), nullptr, 10);
}

} // namespace

int GetPlatform()
{
    return TheSystem().GetOsVersion().m_bWindows9x ? PLATFORM_WIN95 : PLATFORM_WINNT;
}

bool IsWindows2000OrLater()
{
    return TheSystem().GetOsVersion().IsNT5OrLater();
}

std::vector<CRegPlace> RegistryPlaces(bool bCurrentUser)
{
    using ERoot = CSystem::ERoot;
    using ERegView = CSystem::ERegView;
    const bool bWow64 = TheSystem().IsWow64();
    std::vector<CRegPlace> places;
    for (ERoot root : {ERoot::LocalMachine, ERoot::CurrentUser})
    {
        if (root == ERoot::CurrentUser && !bCurrentUser)
            break;
        places.push_back({root, ERegView::Own});
        if (bWow64)
            places.push_back({root, ERegView::Other});
    }
    return places;
}

int TakeOsQualifier(std::string& s)
{
    static const std::string kMarker = "%OS%=";
    s.resize(TrimRight(s).size());
    const std::size_t nAt = s.find(kMarker);
    if (nAt == std::string::npos)
        return 0;
    const std::string strQualifier = s.substr(nAt + kMarker.size());
    s.erase(nAt);
    s.resize(TrimRight(s).size());
    if (strQualifier == "95" || strQualifier == "98")
        return PLATFORM_WIN95;
    if (strQualifier == "NT")
        return PLATFORM_WINNT;
    return 0;
}

int RegistryKeyExists(const CCheckContext& context, const std::string& strKey)
{
    ICheckObserver* const pObserver = context.m_pObserver;
    std::string strPath = strKey;
    const int nCode = TakeOsQualifier(strPath);
    const bool bExcluded = nCode != 0 && nCode != GetPlatform();
    if (pObserver && strPath.size() != TrimRight(strKey).size())
        pObserver->OnOsQualifier(strPath, nCode, bExcluded);
    if (bExcluded)
        return 0;
    // Opening an empty path gives the root key itself, which would make an entry without a
    // check key read as installed.
    if (strPath.empty())
        return 0;
    CSystem& sys = TheSystem();
    for (const CRegPlace& place : RegistryPlaces(true))
    {
        const bool bExists = sys.RegKeyExists(place.m_root, strPath, place.m_view);
        if (pObserver)
            pObserver->OnRegistryKey(strPath, place, bExists);
        if (bExists)
            return 1;
    }
    return 0;
}

int StartMenuFileExists(const CCheckContext& context, const std::string& strPath)
{
    std::string strFull = TheSystem().GetWindowsFolder();
    // Without the Windows folder this path would be looked up below the current drive's root.
    if (!strFull.empty())
    {
        if (GetPlatform() == PLATFORM_WINNT)
            strFull += kAllUsersProfileNT;
        strFull += context.m_strStartMenuPrograms;
        strFull += strPath;
        if (StartMenuPathMatches(context, EStartMenuPlace::BelowWindows, strFull))
            return 1;
    }
    for (const CProgramsFolder& folder : ShellProgramsFolders())
    {
        if (StartMenuPathMatches(context, folder.m_place, folder.m_strPath + "\\" + strPath))
            return 1;
    }
    return 0;
}

std::vector<CProgramsFolder> ShellProgramsFolders()
{
    using EShellFolder = CSystem::EShellFolder;
    std::vector<CProgramsFolder> folders;
    if (!IsWindows2000OrLater())
        return folders;
    const CProgramsFolder kinds[] = {{EStartMenuPlace::CommonPrograms, ""}, {EStartMenuPlace::UserPrograms, ""}};
    for (CProgramsFolder folder : kinds)
    {
        const EShellFolder which = folder.m_place == EStartMenuPlace::CommonPrograms ? EShellFolder::CommonPrograms
                                                                                      : EShellFolder::Programs;
        if (TheSystem().GetShellFolder(which, folder.m_strPath))
            folders.push_back(folder);
    }
    return folders;
}

bool PathMatchesAny(const std::string& strPath)
{
    return !TheSystem().FindFiles(strPath).empty();
}

bool StartMenuPathMatches(const CCheckContext& context, EStartMenuPlace where, const std::string& strPath)
{
    const bool bFound = PathMatchesAny(strPath);
    if (context.m_pObserver)
        context.m_pObserver->OnStartMenuPath(where, strPath, bFound);
    return bFound;
}

namespace {

// The date test itself; the caller tells the observer.
bool TestReleaseDate(const CAppEntry& entry, ICheckObserver::CReleaseDateTest& test)
{
    const std::string& strDate = entry.GetPrevReleaseDate();
    const std::size_t nFirst = strDate.find('/');
    const std::size_t nLast = strDate.rfind('/');
    if (nFirst == std::string::npos)
        return false;
    const long nYear = ReadNumber(strDate.substr(0, nFirst));
    const long nMonth = nLast > nFirst ? ReadNumber(strDate.substr(nFirst + 1, nLast - nFirst - 1)) : 0;
    const long nDay = ReadNumber(strDate.substr(nLast + 1));
    // Packing cuts each field to its bit width, which would turn a year of 2108 into 1980 or a
    // day of 33 into 1: such dates are refused before packing.
    if (nYear < 1980 || nYear > 2107 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31)
        return false;
    const uint16_t nDosDate =
        static_cast<uint16_t>(((nYear - 1980) << 9) | (nMonth << 5) | nDay);

    CSystem& sys = TheSystem();
    if (!sys.DosDateTimeToFileTime(nDosDate, kDosTime235954, test.m_nBound))
        return false;
    test.m_bValidDate = true;
    const std::vector<CFoundFile> found = sys.FindFiles(entry.GetPrevReleaseFile());
    if (found.empty())
        return false;
    test.m_bFileFound = true;
    test.m_nWritten = sys.FileTimeToLocalFileTime(found.front().m_nLastWriteTime);
    test.m_bOlder = test.m_nBound > test.m_nWritten;
    return test.m_bOlder;
}

} // namespace

int IsPrevReleaseFile(const CCheckContext& context, const CAppEntry& entry)
{
    ICheckObserver::CReleaseDateTest test;
    test.m_strDate = entry.GetPrevReleaseDate();
    test.m_strFile = entry.GetPrevReleaseFile();
    const bool bOlder = TestReleaseDate(entry, test);
    if (context.m_pObserver)
        context.m_pObserver->OnReleaseDate(test);
    return bOlder ? 1 : 0;
}
