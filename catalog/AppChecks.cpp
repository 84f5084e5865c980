#include "AppChecks.h"

#include "AppEntry.h"
#include "AsciiText.h"
#include "Cp932.h"
#include "System.h"

#include <cstdlib>

const char kStartMenuPrograms95[] = "\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\";
const char kStartMenuProgramsNT[] =
    "\\Profiles\\All Users\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\";
const char kAllUsersProfileNT[] = "\\Profiles\\All Users";

namespace {

std::string g_strStartMenuPrograms;

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
    return (TheSystem().GetVersion() & 0x80000000u) ? PLATFORM_WIN95 : PLATFORM_WINNT;
}

bool IsWindows2000OrLater()
{
    const uint32_t nVersion = TheSystem().GetVersion();
    return (nVersion & 0x80000000u) == 0 && (nVersion & 0xFFu) >= 5;
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

int RegistryKeyExists(const std::string& strKey)
{
    std::string strPath = strKey;
    const int nCode = TakeOsQualifier(strPath);
    if (nCode != 0 && nCode != GetPlatform())
        return 0;
    // Opening an empty path gives the root key itself, which would make an entry without a
    // check key read as installed.
    if (strPath.empty())
        return 0;
    CSystem& sys = TheSystem();
    for (const CRegPlace& place : RegistryPlaces(true))
    {
        if (sys.RegKeyExists(place.m_root, strPath, place.m_view))
            return 1;
    }
    return 0;
}

void SetStartMenuPrograms(const std::string& strPiece)
{
    g_strStartMenuPrograms = strPiece;
}

int StartMenuFileExists(const std::string& strPath)
{
    std::string strFull = TheSystem().GetWindowsFolder();
    // Without the Windows folder this path would be looked up below the current drive's root.
    if (!strFull.empty())
    {
        if (GetPlatform() == PLATFORM_WINNT)
            strFull += kAllUsersProfileNT;
        strFull += g_strStartMenuPrograms;
        strFull += strPath;
        if (PathMatchesAny(strFull))
            return 1;
    }
    for (const std::string& strFolder : ShellProgramsFolders())
    {
        if (PathMatchesAny(strFolder + "\\" + strPath))
            return 1;
    }
    return 0;
}

std::vector<std::string> ShellProgramsFolders()
{
    std::vector<std::string> folders;
    if (!IsWindows2000OrLater())
        return folders;
    for (CSystem::EShellFolder folder : {CSystem::EShellFolder::CommonPrograms, CSystem::EShellFolder::Programs})
    {
        std::string strFolder;
        if (TheSystem().GetShellFolder(folder, strFolder))
            folders.push_back(strFolder);
    }
    return folders;
}

bool PathMatchesAny(const std::string& strPath)
{
    return !TheSystem().FindFiles(strPath).empty();
}

int IsPrevReleaseFile(const CAppEntry& entry)
{
    const std::string& strDate = entry.GetPrevReleaseDate();
    const std::size_t nFirst = strDate.find('/');
    const std::size_t nLast = strDate.rfind('/');
    if (nFirst == std::string::npos)
        return 0;
    const long nYear = ReadNumber(strDate.substr(0, nFirst));
    const long nMonth = nLast > nFirst ? ReadNumber(strDate.substr(nFirst + 1, nLast - nFirst - 1)) : 0;
    const long nDay = ReadNumber(strDate.substr(nLast + 1));
    // Packing cuts each field to its bit width, which would turn a year of 2108 into 1980 or a
    // day of 33 into 1: such dates are refused before packing.
    if (nYear < 1980 || nYear > 2107 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31)
        return 0;
    const uint16_t nDosDate =
        static_cast<uint16_t>(((nYear - 1980) << 9) | (nMonth << 5) | nDay);

    CSystem& sys = TheSystem();
    uint64_t nBound = 0;
    if (!sys.DosDateTimeToFileTime(nDosDate, kDosTime235954, nBound))
        return 0;
    const std::vector<CFoundFile> found = sys.FindFiles(entry.GetPrevReleaseFile());
    if (found.empty())
        return 0;
    const uint64_t nWritten = sys.FileTimeToLocalFileTime(found.front().m_nLastWriteTime);
    return nBound > nWritten ? 1 : 0;
}
