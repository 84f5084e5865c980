// The installed-state rules over the host system: its registry table, a Windows folder in a
// temporary folder, and a settable version and local-time offset.
#include "catalog/AppCatalog.h"
#include "catalog/AppChecks.h"
#include "catalog/AppEntry.h"
#include "catalog/CheckContext.h"
#include "sys/DosTime.h"
#include "sys/HostSystem.h"
#include "tests/support/EntryBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;
using ERoot = CSystem::ERoot;
using ERegView = CSystem::ERegView;

namespace {

constexpr uint32_t kVersionNT = 0x0A280105;
constexpr uint32_t kVersion98 = 0xC0000A04;
constexpr uint32_t kVersionNT4 = 0x05650004;
const std::string kPrograms = "\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0/\xCC\xDF\xDB\xB8\xDE\xD7\xD1";  // ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ

// Sets a file's last-write time to a local date and time, given the host's local offset.
void SetLocalWriteTime(const std::string& strPath, int nYear, int nMonth, int nDay, int nHour, int nMinute,
                       int nSecond, int64_t nLocalOffset)
{
    uint64_t nFileTime = 0;
    ASSERT_TRUE(DosToFileTime(PackDosDate(nYear, nMonth, nDay), 0, nFileTime));
    nFileTime += static_cast<uint64_t>(nHour * 3600 + nMinute * 60 + nSecond) * 10000000ull;
    nFileTime -= static_cast<uint64_t>(nLocalOffset);
    const int64_t nUnixNanos = (static_cast<int64_t>(nFileTime) - 116444736000000000LL) * 100;
    const auto sysTime = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::nanoseconds(nUnixNanos)));
    const auto fileTime = fs::file_time_type::clock::now() + (sysTime - std::chrono::system_clock::now());
    fs::last_write_time(strPath, fileTime);
}

class Checks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sys.m_strWindowsDirectory = m_dir.File("WINDOWS");
        fs::create_directories(m_sys.m_strWindowsDirectory);
        m_sys.m_nVersion = kVersionNT;
        SetTheSystem(&m_sys);
        m_context.m_strStartMenuPrograms = "\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\";
    }
    void TearDown() override { SetTheSystem(nullptr); }

    // Creates a file below the Start-menu Programs folder of the current platform.
    void AddStartMenuFile(const std::string& strRelative)
    {
        const fs::path base = fs::path(m_sys.m_strWindowsDirectory) /
            (m_sys.GetOsVersion().m_bWindows9x ? "" : "Profiles/All Users") / kPrograms;
        fs::create_directories((base / strRelative).parent_path());
        std::ofstream(base / strRelative) << "x";
    }

    void ClearRegistry()
    {
        for (ERoot root : {ERoot::LocalMachine, ERoot::CurrentUser})
            for (ERegView view : {ERegView::Own, ERegView::Other})
                m_sys.RemoveRegKey(root, "Software", view);
    }

    CTempDir m_dir;
    CHostSystem m_sys;
    CCheckContext m_context;
};

} // namespace

TEST_F(Checks, TakeOsQualifier_Cases)
{
    const struct { const char* in; const char* out; int code; } cases[] = {
        {"Software\\A%OS%=NT", "Software\\A", 2},
        {"Software\\A  %OS%=95  ", "Software\\A", 1},
        {"Software\\A%OS%=98", "Software\\A", 1},
        {"Software\\A%OS%=nt", "Software\\A", 0},
        {"Software\\A%OS%=NT4", "Software\\A", 0},
        {"Software\\A%os%=NT", "Software\\A%os%=NT", 0},
        {"  Software\\A \t", "  Software\\A", 0},
        {"%OS%=NT", "", 2},
    };
    for (const auto& c : cases)
    {
        std::string s = c.in;
        EXPECT_EQ(TakeOsQualifier(s), c.code) << c.in;
        EXPECT_EQ(s, c.out) << c.in;
    }
}

TEST_F(Checks, RegistryKeyExists_RootsQualifiersAndBlanks)
{
    m_sys.AddRegKey(ERoot::LocalMachine, "Software\\Machine");
    m_sys.AddRegKey(ERoot::CurrentUser, "Software\\User");
    EXPECT_EQ(GetPlatform(), PLATFORM_WINNT);
    EXPECT_TRUE(RegistryKeyExists(m_context, "Software\\Machine"));
    EXPECT_TRUE(RegistryKeyExists(m_context, "Software\\User"));           // only under HKEY_CURRENT_USER
    EXPECT_TRUE(RegistryKeyExists(m_context, "Software\\Machine   "));     // trailing blanks ignored
    EXPECT_FALSE(RegistryKeyExists(m_context, " Software\\Machine"));      // leading blanks kept
    EXPECT_FALSE(RegistryKeyExists(m_context, "Software\\None"));
    EXPECT_TRUE(RegistryKeyExists(m_context, "Software\\Machine%OS%=NT"));
    EXPECT_FALSE(RegistryKeyExists(m_context, "Software\\Machine%OS%=95"));
    EXPECT_TRUE(RegistryKeyExists(m_context, "Software\\Machine%OS%=nt"));  // no code: the key before the marker

    EXPECT_FALSE(RegistryKeyExists(m_context, ""));
    EXPECT_FALSE(RegistryKeyExists(m_context, "   "));

    m_sys.m_nVersion = kVersion98;
    EXPECT_EQ(GetPlatform(), PLATFORM_WIN95);
    EXPECT_FALSE(RegistryKeyExists(m_context, "Software\\Machine%OS%=NT"));
    EXPECT_TRUE(RegistryKeyExists(m_context, "Software\\Machine%OS%=95"));
    EXPECT_TRUE(RegistryKeyExists(m_context, "Software\\Machine%OS%=98"));
    EXPECT_TRUE(RegistryKeyExists(m_context, "Software\\Machine%OS%=nt"));
}

TEST_F(Checks, StartMenuFileExists_BothLayoutsAndWildcards)
{
    AddStartMenuFile("Vendor/App.lnk");
    EXPECT_TRUE(StartMenuFileExists(m_context, "Vendor\\App.lnk"));
    EXPECT_TRUE(StartMenuFileExists(m_context, "Vendor\\*.lnk"));
    EXPECT_TRUE(StartMenuFileExists(m_context, "Vendor"));  // a folder counts too
    EXPECT_FALSE(StartMenuFileExists(m_context, "Vendor\\Other.lnk"));

    m_sys.m_nVersion = kVersion98;  // the 95/98 layout has no Profiles folder
    EXPECT_FALSE(StartMenuFileExists(m_context, "Vendor\\App.lnk"));
    AddStartMenuFile("Vendor/App.lnk");
    EXPECT_TRUE(StartMenuFileExists(m_context, "Vendor\\App.lnk"));
}

TEST_F(Checks, StartMenuFileExists_WithoutWindowsFolder_FindsNothing)
{
    // The folder stands for what the rest of the path would reach below the current drive's root.
    const std::string strMenu = m_dir.File("Menu");
    fs::create_directories(strMenu);
    std::ofstream(fs::path(strMenu) / "App.lnk") << "x";
    CCheckContext context;
    context.m_strStartMenuPrograms = strMenu + "\\";
    m_sys.m_nVersion = kVersion98;
    m_sys.m_strWindowsDirectory.clear();
    EXPECT_FALSE(StartMenuFileExists(context, "App.lnk"));
}

TEST_F(Checks, PrevReleaseFile_DateBoundAt235954Local)
{
    m_sys.m_nLocalOffset = 9 * 3600 * 10000000LL;  // Japan
    const std::string strFile = m_dir.Write("ref.dll", "x");
    auto pEntry = MakeEntry({{"m_strPrevReleaseDate", "1999/7/15"}, {"m_strPrevReleaseFile", strFile}}, {});

    SetLocalWriteTime(strFile, 1999, 7, 15, 23, 59, 53, m_sys.m_nLocalOffset);
    EXPECT_TRUE(IsPrevReleaseFile(m_context, *pEntry));
    SetLocalWriteTime(strFile, 1999, 7, 15, 23, 59, 54, m_sys.m_nLocalOffset);
    EXPECT_FALSE(IsPrevReleaseFile(m_context, *pEntry));
    SetLocalWriteTime(strFile, 2003, 1, 1, 0, 0, 0, m_sys.m_nLocalOffset);
    EXPECT_FALSE(IsPrevReleaseFile(m_context, *pEntry));

    auto pMissing = MakeEntry({{"m_strPrevReleaseDate", "1999/7/15"}, {"m_strPrevReleaseFile", m_dir.File("none.dll")}}, {});
    EXPECT_FALSE(IsPrevReleaseFile(m_context, *pMissing));
}

TEST_F(Checks, PrevReleaseFile_InvalidDatesAreNotFound)
{
    const std::string strFile = m_dir.Write("ref.dll", "x");
    SetLocalWriteTime(strFile, 1990, 1, 1, 0, 0, 0, 0);
    const char* valid[] = {"2000/1/1", "2000/01/01abc", " 2000/ 1/ 1", "2000/2/29", "2107/12/31"};
    for (const char* date : valid)
        EXPECT_TRUE(IsPrevReleaseFile(m_context, *MakeEntry({{"m_strPrevReleaseDate", date}, {"m_strPrevReleaseFile", strFile}}, {}))) << date;
    // "2000/x/1/1": the month is the text between the first and the last "/", which reads as 0.
    const char* invalid[] = {"", "2000", "2000/1", "2000/0/1", "2000/13/1", "2000/1/0", "1979/12/31",
                             "2108/1/1", "2000/2/30", "2000/1/32", "-1/-1/-1", "99999999999/1/1", "2000/x/1/1"};
    for (const char* date : invalid)
        EXPECT_FALSE(IsPrevReleaseFile(m_context, *MakeEntry({{"m_strPrevReleaseDate", date}, {"m_strPrevReleaseFile", strFile}}, {}))) << date;
}

TEST_F(Checks, RefreshState_InstalledAndPreviousRelease)
{
    const std::string strFile = m_dir.Write("old.dll", "x");
    SetLocalWriteTime(strFile, 1998, 5, 5, 12, 0, 0, 0);
    auto pEntry = MakeEntry({{"m_strCheckKey", "Software\\New"}, {"m_strPrevCheckKey", "Software\\Old"},
                             {"m_strPrevReleaseDate", "1999/7/15"}, {"m_strPrevReleaseFile", strFile}},
                            {{"m_nCheckType", 0}, {"m_bHasPrevRelease", 1}, {"m_nPrevCheckType", 0}});
    EXPECT_EQ(pEntry->RefreshState(m_context), 0);
    EXPECT_FALSE(pEntry->IsInstalled());

    // The previous release found at the first refresh: installed stays 0 even though the new key exists.
    m_sys.AddRegKey(ERoot::LocalMachine, "Software\\Old");
    m_sys.AddRegKey(ERoot::LocalMachine, "Software\\New");
    EXPECT_EQ(pEntry->RefreshState(m_context), 1);
    EXPECT_TRUE(pEntry->IsPrevReleaseFound());
    EXPECT_FALSE(pEntry->IsInstalled());

    m_sys.RemoveRegKey(ERoot::LocalMachine, "Software\\Old");
    EXPECT_EQ(pEntry->RefreshState(m_context), 1);
    EXPECT_FALSE(pEntry->IsPrevReleaseFound());
    EXPECT_TRUE(pEntry->IsInstalled());

    // Then the previous release again: the installed flag keeps its last value.
    m_sys.AddRegKey(ERoot::CurrentUser, "Software\\Old");
    m_sys.RemoveRegKey(ERoot::LocalMachine, "Software\\New");
    EXPECT_EQ(pEntry->RefreshState(m_context), 1);
    EXPECT_TRUE(pEntry->IsPrevReleaseFound());
    EXPECT_TRUE(pEntry->IsInstalled());
}

TEST_F(Checks, RefreshState_OtherCheckTypes)
{
    auto pNone = MakeEntry({{"m_strCheckKey", "Software\\X"}}, {{"m_nCheckType", 2}});
    m_sys.AddRegKey(ERoot::LocalMachine, "Software\\X");
    EXPECT_EQ(pNone->RefreshState(m_context), 0);
    EXPECT_FALSE(pNone->IsInstalled());

    AddStartMenuFile("App/app.lnk");
    auto pFile = MakeEntry({{"m_strCheckFile", "App\\app.lnk"}}, {{"m_nCheckType", 1}});
    EXPECT_EQ(pFile->RefreshState(m_context), 1);
    EXPECT_TRUE(pFile->IsInstalled());
}

TEST_F(Checks, UninstallString_ReadAndSearched)
{
    const std::string kParent = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\Direct", "UninstallString", "C:\\direct.exe");
    auto pDirect = MakeEntry({{"m_strUninstallKey", kParent + "\\Direct"}}, {});
    EXPECT_EQ(pDirect->GetUninstallString(m_context), "C:\\direct.exe");

    // HKEY_LOCAL_MACHINE decides when the key opens there, even without the value.
    m_sys.AddRegKey(ERoot::LocalMachine, "Software\\Both");
    m_sys.SetRegString(ERoot::CurrentUser, "Software\\Both", "UninstallString", "user.exe");
    EXPECT_EQ(MakeEntry({{"m_strUninstallKey", "Software\\Both"}}, {})->GetUninstallString(m_context), "");
    m_sys.SetRegString(ERoot::CurrentUser, "Software\\UserOnly", "UninstallString", "user.exe");
    EXPECT_EQ(MakeEntry({{"m_strUninstallKey", "Software\\UserOnly"}}, {})->GetUninstallString(m_context), "user.exe");

    // A value too long for 255 bytes reads as empty.
    m_sys.SetRegString(ERoot::LocalMachine, "Software\\Long", "UninstallString", std::string(300, 'x'));
    EXPECT_EQ(MakeEntry({{"m_strUninstallKey", "Software\\Long"}}, {})->GetUninstallString(m_context), "");

    // Two subkeys with the same display name: the last enumerated wins; the key is kept.
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\{A}", "DisplayName", "Sample App");
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\{A}", "UninstallString", "first.exe");
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\{B}", "DisplayName", "Other");
    // A subkey that code page 932 cannot name is passed over; the ones after it still count.
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\{B}\x82", "DisplayName", "Sample App");
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\{C}", "DisplayName", "Sample App");
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\{C}", "UninstallString", "last.exe");
    m_sys.SetRegString(ERoot::CurrentUser, kParent + "\\{D}", "DisplayName", "Sample App");
    m_sys.m_nVersion = kVersionNT4;  // before Windows 2000 HKEY_CURRENT_USER is not searched
    auto pSearch = MakeEntry({{"m_strUninstallKey", kParent}, {"m_strDisplayName", "Sample App"}},
                             {{"m_bSearchUninstallKey", 1}});
    EXPECT_EQ(pSearch->GetUninstallString(m_context), "last.exe");
    EXPECT_EQ(pSearch->GetUninstallKey(), kParent + "\\{C}");
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\{C}", "UninstallString", "changed.exe");
    EXPECT_EQ(pSearch->GetUninstallString(m_context), "changed.exe");

    auto pNoMatch = MakeEntry({{"m_strUninstallKey", kParent}, {"m_strDisplayName", "sample app"}},
                              {{"m_bSearchUninstallKey", 1}});
    EXPECT_EQ(pNoMatch->GetUninstallString(m_context), "");
    EXPECT_EQ(pNoMatch->GetUninstallKey(), kParent);
}

TEST_F(Checks, UninstallString_PreviousReleaseUsesItsOwnKeyAndName)
{
    const std::string kParent = "Software\\Uninstall";
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\Old1", "DisplayName", "Old App");
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\Old1", "UninstallString", "old.exe");
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\New1", "DisplayName", "New App");
    m_sys.SetRegString(ERoot::LocalMachine, kParent + "\\New1", "UninstallString", "new.exe");
    m_sys.AddRegKey(ERoot::LocalMachine, "Software\\OldCheck");
    const std::string strFile = m_dir.Write("old.dll", "x");
    SetLocalWriteTime(strFile, 1998, 1, 1, 0, 0, 0, 0);

    auto pEntry = MakeEntry({{"m_strUninstallKey", kParent}, {"m_strDisplayName", "New App"},
                             {"m_strPrevUninstallKey", kParent}, {"m_strPrevDisplayName", "Old App"},
                             {"m_strPrevCheckKey", "Software\\OldCheck"}, {"m_strPrevReleaseDate", "1999/1/1"},
                             {"m_strPrevReleaseFile", strFile}},
                            {{"m_bSearchUninstallKey", 1}, {"m_bPrevSearchUninstallKey", 1}, {"m_bHasPrevRelease", 1}});
    ASSERT_EQ(pEntry->RefreshState(m_context), 1);
    ASSERT_TRUE(pEntry->IsPrevReleaseFound());
    EXPECT_EQ(pEntry->GetUninstallString(m_context), "old.exe");
    EXPECT_EQ(pEntry->GetPrevUninstallKey(), kParent + "\\Old1");
    EXPECT_EQ(pEntry->GetUninstallKey(), kParent);  // the current release's search is still to come

    m_sys.RemoveRegKey(ERoot::LocalMachine, "Software\\OldCheck");
    pEntry->RefreshState(m_context);
    EXPECT_EQ(pEntry->GetUninstallString(m_context), "new.exe");
    EXPECT_EQ(pEntry->GetUninstallKey(), kParent + "\\New1");
}

TEST_F(Checks, UninstallPathAndSourceDrive)
{
    m_sys.m_strWindowsDirectory = "C:\\WINDOWS";
    auto pEntry = MakeEntry({{"m_strUninstallCommand", "Vendor\\Remove.lnk"}}, {});
    EXPECT_EQ(pEntry->GetUninstallPath(m_context),
              "C:\\WINDOWS\\Profiles\\All Users\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\Vendor\\Remove.lnk");
    m_sys.m_nVersion = kVersion98;
    EXPECT_EQ(pEntry->GetUninstallPath(m_context),
              "C:\\WINDOWS\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\Vendor\\Remove.lnk");

    // The folder whose catalogue was read (the current folder) is the medium, wherever the
    // launcher lies on it; "表" ends in the byte of a backslash. A folder that code page 932
    // cannot name, even by its short name, is no medium: nothing may come from the drive's root.
    const struct { const char* folder; const char* drive; } cases[] = {
        {"D:\\", "D:"}, {"E:\\setup", "E:\\setup"}, {"E:\\setup\\", "E:\\setup"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {"\\\\server\\share\\disc", "\\\\server\\share\\disc"},
        {"C:\\\x95\x5C", "C:\\\x95\x5C"}, {"C:\\JOSE~1", "C:\\JOSE~1"}, {"", ""},
    };
    for (const auto& c : cases)
    {
        CAppCatalog catalog;
        m_sys.m_strCurrentFolder = c.folder;
        EXPECT_EQ(catalog.UpdateSourceDrive(), 1);
        EXPECT_EQ(catalog.GetSourceDrive(), c.drive) << c.folder;
        // Loaded there, it keeps that medium when the current folder changes later (a file
        // dialog may change it).
        catalog.SetDirectory("no-such-catalogue-folder");
        catalog.SetDatabasePath("no-such-catalogue-folder\\appdb.dat");
        EXPECT_EQ(catalog.Load(), 1);
        m_sys.m_strCurrentFolder = "Z:\\elsewhere";
        catalog.UpdateSourceDrive();
        EXPECT_EQ(catalog.GetSourceDrive(), c.drive) << c.folder;
    }
}

// Each of the four places may hold the subkey {App}: '.' not, 'k' without values, 'm' or 'o'
// with a matching or another display name and an uninstall string that names the place.
TEST_F(Checks, RegistryPlaces_RootsInOrderOwnViewFirst_SearchTakesTheMachinesLastMatchElseTheUsers)
{
    const std::string kParent = "Software\\Uninstall", kKey = kParent + "\\{App}";
    const CRegPlace places[] = {{ERoot::LocalMachine, ERegView::Own}, {ERoot::LocalMachine, ERegView::Other},
                                {ERoot::CurrentUser, ERegView::Own}, {ERoot::CurrentUser, ERegView::Other}};
    const char* const names[] = {"LM", "LM64", "CU", "CU64"};
    const struct
    {
        uint32_t nVersion;
        bool bWow64;
        const char* pszPlaces;
        bool bExists;
        const char* pszRead;   // the key read directly
        const char* pszFound;  // searched by display name, and read again
    } cases[] = {
        {kVersionNT, true, ".m..", true, "LM64", "LM64"},   {kVersionNT, false, ".m..", false, "", ""},
        {kVersionNT, true, "...m", true, "CU64", "CU64"},   {kVersionNT, true, "km..", true, "", "LM64"},
        {kVersionNT, true, "..om", true, "CU", "CU64"},     {kVersionNT, true, ".mo.", true, "LM64", "LM64"},
        {kVersionNT, true, "mmmm", true, "LM", "LM64"},     {kVersionNT, false, "mmmm", true, "LM", "LM"},
        {kVersionNT, true, "m.mm", true, "LM", "LM"},       {kVersionNT, true, "o.mm", true, "LM", "CU64"},
        {kVersionNT4, false, "m.m.", true, "LM", "LM"},     {kVersion98, false, "o.m.", true, "LM", ""},
        {kVersionNT4, true, "omm.", true, "LM", "LM64"},
    };
    for (const auto& c : cases)
    {
        ClearRegistry();
        m_sys.m_nVersion = c.nVersion;
        m_sys.m_bWow64 = c.bWow64;
        for (int n = 0; n < 4; ++n)
        {
            if (c.pszPlaces[n] != '.')
                m_sys.AddRegKey(places[n].m_root, kKey, places[n].m_view);
            if (c.pszPlaces[n] == 'm' || c.pszPlaces[n] == 'o')
            {
                m_sys.SetRegString(places[n].m_root, kKey, "DisplayName", c.pszPlaces[n] == 'm' ? "App" : "Other", places[n].m_view);
                m_sys.SetRegString(places[n].m_root, kKey, "UninstallString", names[n], places[n].m_view);
            }
        }
        EXPECT_EQ(RegistryKeyExists(m_context, kKey) != 0, c.bExists) << c.pszPlaces << c.bWow64;
        EXPECT_EQ(MakeEntry({{"m_strUninstallKey", kKey}}, {})->GetUninstallString(m_context), c.pszRead) << c.pszPlaces << c.bWow64;
        auto pEntry = MakeEntry({{"m_strUninstallKey", kParent}, {"m_strDisplayName", "App"}}, {{"m_bSearchUninstallKey", 1}});
        EXPECT_EQ(pEntry->GetUninstallString(m_context), c.pszFound) << c.pszPlaces << c.bWow64 << c.nVersion;
        EXPECT_EQ(pEntry->GetUninstallString(m_context), c.pszFound) << "again " << c.pszPlaces << c.bWow64 << c.nVersion;
    }
}

// The file in the folders marked 1 of: below the Windows folder, common Programs, user's Programs.
TEST_F(Checks, StartMenuFileAndUninstallPath_ShellProgramsFoldersFromWindows2000On)
{
    m_sys.m_strCommonPrograms = m_dir.File("common");
    m_sys.m_strPrograms = m_dir.File("user");
    const fs::path folders[] = {fs::path(m_sys.m_strWindowsDirectory) / "Profiles/All Users" / kPrograms,
                                m_dir.Path() / "common", m_dir.Path() / "user"};
    const std::string paths[] = {m_sys.m_strWindowsDirectory + kStartMenuProgramsNT + "Vendor\\App.lnk",
                                 m_sys.m_strCommonPrograms + "\\Vendor\\App.lnk", m_sys.m_strPrograms + "\\Vendor\\App.lnk"};
    const struct { uint32_t nVersion; const char* pszWhere; bool bExists; int nPath; } cases[] = {
        {kVersionNT, "010", true, 1}, {kVersionNT, "001", true, 2},   {kVersionNT, "011", true, 1},
        {kVersionNT, "110", true, 0}, {kVersionNT, "000", false, 0}, {kVersionNT4, "011", false, 0},
    };
    for (const auto& c : cases)
    {
        m_sys.m_nVersion = c.nVersion;
        for (int n = 0; n < 3; ++n)
        {
            fs::remove_all(folders[n]);
            fs::create_directories(folders[n] / "Vendor");
            if (c.pszWhere[n] == '1')
                std::ofstream(folders[n] / "Vendor/App.lnk") << "x";
        }
        EXPECT_EQ(StartMenuFileExists(m_context, "Vendor\\App.lnk") != 0, c.bExists) << c.pszWhere << " " << c.nVersion;
        EXPECT_EQ(MakeEntry({{"m_strUninstallCommand", "Vendor\\App.lnk"}}, {})->GetUninstallPath(m_context), paths[c.nPath])
            << c.pszWhere << " " << c.nVersion;
    }
}
