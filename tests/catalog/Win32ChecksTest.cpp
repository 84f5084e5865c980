// The installed-state checks against the real registry and file system under Wine. The program
// runs three times: as Windows NT reports itself, with Wine set to Windows 98 for it, and as
// Windows NT with the system code page 1252, where the Japanese names must mean the same.
#include "catalog/AppCatalog.h"
#include "catalog/AppChecks.h"
#include "catalog/AppEntry.h"
#include "catalog/CheckContext.h"
#include "tests/support/EntryBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/WideNames.h"
#include "win/Kernel932.h"
#include "win/WideText.h"

#include "win/Windows9x.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <cwchar>
#include <map>

namespace {

const char kPrograms[] = "\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\";  // \ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\ .
const char kTestRoot[] = "Software\\KorveltTest";

void SetWideString(HKEY hRoot, const std::wstring& strKey, const wchar_t* pszValue, const std::wstring& strData)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    if (pszValue)
        ::RegSetValueExW(hKey, pszValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(strData.c_str()),
                         static_cast<DWORD>((strData.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
}

// Key, value name and data in code page 932.
void SetString(HKEY hRoot, const std::string& strKey, const char* pszValue, const std::string& strData)
{
    SetWideString(hRoot, Wide(strKey), pszValue ? Wide(pszValue).c_str() : nullptr, Wide(strData));
}

// A key in the 64-bit view, which a 64-bit set-up writes to and this 32-bit program does not see
// without asking.
void SetString64(const std::wstring& strKey, const wchar_t* pszValue, const std::wstring& strData)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                                nullptr, &hKey, nullptr), ERROR_SUCCESS);
    if (pszValue)
        ::RegSetValueExW(hKey, pszValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(strData.c_str()),
                         static_cast<DWORD>((strData.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
}

// Writes a file whose last-write time is the given local time.
void WriteWithLocalTime(const std::string& strPath, WORD wYear, WORD wMonth, WORD wDay, WORD wHour, WORD wMinute,
                        WORD wSecond)
{
    HANDLE hFile = ::CreateFileW(Wide(strPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    SYSTEMTIME st = {};
    st.wYear = wYear;
    st.wMonth = wMonth;
    st.wDay = wDay;
    st.wHour = wHour;
    st.wMinute = wMinute;
    st.wSecond = wSecond;
    FILETIME local, utc;
    ASSERT_TRUE(::SystemTimeToFileTime(&st, &local));
    ASSERT_TRUE(::LocalFileTimeToFileTime(&local, &utc));
    EXPECT_TRUE(::SetFileTime(hFile, nullptr, nullptr, &utc));
    ::CloseHandle(hFile);
}

class RealChecks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RemoveAll();
        m_context.m_strStartMenuPrograms = kPrograms;
        m_strPrograms = WindowsFolder() + (IsNT() ? "\\Profiles\\All Users" : "") + kPrograms;
        wchar_t szCommon[MAX_PATH] = {};
        if (::SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, szCommon) == S_OK &&
            CodePageFromWideExact(kCodePage932, szCommon, std::wcslen(szCommon), m_strCommonPrograms))
            m_strCommonPrograms += "\\";
    }
    void TearDown() override { RemoveAll(); }

    static bool IsNT() { return !RunningWindows().m_bWindows9x; }
    static bool IsWindows2000OrLater() { return RunningWindows().IsNT5OrLater(); }

    static std::string WindowsFolder()
    {
        wchar_t szWindows[MAX_PATH];
        return Cp932(std::wstring(szWindows, ::GetWindowsDirectoryW(szWindows, MAX_PATH)));
    }

    void RemoveAll()
    {
        ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(kTestRoot).c_str());
        ::SHDeleteKeyW(HKEY_CURRENT_USER, Wide(kTestRoot).c_str());
        // Deepest first: this call removes one key without subkeys.
        for (const wchar_t* pszKey : {L"Software\\KorveltTest\\Only64", L"Software\\KorveltTest\\Uninstall\\{Wide64}",
                                      L"Software\\KorveltTest\\Uninstall", L"Software\\KorveltTest"})
            ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, pszKey, KEY_WOW64_64KEY, 0);
        std::error_code ec;
        for (const std::string& strPrograms : {m_strPrograms, m_strCommonPrograms})
        {
            if (!strPrograms.empty())
                std::filesystem::remove_all(Wide(strPrograms + "KorveltTest"), ec);
        }
    }

    // Creates every folder of a path that ends in a backslash. In UTF-16 every backslash is one.
    static void CreateFolders(const std::string& strPath)
    {
        const std::wstring strWide = Wide(strPath);
        for (std::size_t n = strWide.find(L'\\', 3); n != std::wstring::npos; n = strWide.find(L'\\', n + 1))
            ::CreateDirectoryW(strWide.substr(0, n).c_str(), nullptr);
    }

    static void Touch(const std::wstring& strPath)
    {
        HANDLE hFile = ::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
        ::CloseHandle(hFile);
    }

    CTempDir m_dir;
    CCheckContext m_context;
    std::string m_strPrograms;
    std::string m_strCommonPrograms;
};

} // namespace

TEST_F(RealChecks, PlatformIsTheOneThisRunExpects)
{
    EXPECT_EQ(GetPlatform(), IsNT() ? PLATFORM_WINNT : PLATFORM_WIN95);
    if (const char* pszExpected = std::getenv("KORVELT_EXPECT_PLATFORM"))
    {
        EXPECT_EQ(GetPlatform(), std::atoi(pszExpected));
    }
}

TEST_F(RealChecks, RegistryKeysUnderBothRootsWithQualifiers)
{
    SetString(HKEY_LOCAL_MACHINE, std::string(kTestRoot) + "\\Machine", nullptr, "");
    SetString(HKEY_CURRENT_USER, std::string(kTestRoot) + "\\User", nullptr, "");
    const std::string strMachine = std::string(kTestRoot) + "\\Machine";
    const std::string strJapanese = std::string(kTestRoot) + "\\" + kProductKey932;
    EXPECT_FALSE(RegistryKeyExists(m_context, strJapanese));
    SetString(HKEY_LOCAL_MACHINE, strJapanese, nullptr, "");
    EXPECT_TRUE(RegistryKeyExists(m_context, strJapanese));
    EXPECT_TRUE(RegistryKeyExists(m_context, strMachine));
    EXPECT_TRUE(RegistryKeyExists(m_context, std::string(kTestRoot) + "\\User"));
    EXPECT_FALSE(RegistryKeyExists(m_context, std::string(kTestRoot) + "\\None"));
    EXPECT_TRUE(RegistryKeyExists(m_context, strMachine + "  "));
    EXPECT_EQ(RegistryKeyExists(m_context, strMachine + "%OS%=NT") != 0, IsNT());
    EXPECT_EQ(RegistryKeyExists(m_context, strMachine + "%OS%=95") != 0, !IsNT());
    EXPECT_EQ(RegistryKeyExists(m_context, strMachine + "%OS%=98") != 0, !IsNT());
    EXPECT_TRUE(RegistryKeyExists(m_context, strMachine + "%OS%=nt"));
    // An entry without a key is not installed, although the empty path opens the root itself.
    EXPECT_FALSE(RegistryKeyExists(m_context, ""));
    EXPECT_FALSE(RegistryKeyExists(m_context, "  %OS%=NT"));
}

TEST_F(RealChecks, StartMenuFileInThisPlatformsLayout)
{
    EXPECT_FALSE(StartMenuFileExists(m_context, "KorveltTest\\app.lnk"));
    CreateFolders(m_strPrograms + "KorveltTest\\");
    Touch(Wide(m_strPrograms + "KorveltTest\\app.lnk"));
    EXPECT_TRUE(StartMenuFileExists(m_context, "KorveltTest\\app.lnk"));
    EXPECT_TRUE(StartMenuFileExists(m_context, "KorveltTest\\*.lnk"));
    EXPECT_FALSE(StartMenuFileExists(m_context, "KorveltTest\\other.lnk"));
    EXPECT_FALSE(StartMenuFileExists(m_context, std::string("KorveltTest\\") + kTextFile932));
    Touch(Wide(m_strPrograms + "KorveltTest\\" + kTextFile932));
    EXPECT_TRUE(StartMenuFileExists(m_context, std::string("KorveltTest\\") + kTextFile932));
    // No code page 932 text names "café.url", but it is there for a wildcard.
    EXPECT_FALSE(StartMenuFileExists(m_context, "KorveltTest\\*.url"));
    Touch(Wide(m_strPrograms + "KorveltTest\\") + kNotCp932 + L".url");
    EXPECT_TRUE(StartMenuFileExists(m_context, "KorveltTest\\*.url"));

    auto pEntry = MakeEntry({{"m_strCheckFile", "KorveltTest\\app.lnk"}}, {{"m_nCheckType", 1}});
    EXPECT_EQ(pEntry->RefreshState(m_context), 1);
    EXPECT_TRUE(pEntry->IsInstalled());
}

TEST_F(RealChecks, PreviousReleaseDateAgainstRealFileTimes)
{
    const std::string strBefore = m_dir.File("before.dll");
    const std::string strAt = m_dir.File("at.dll");
    WriteWithLocalTime(strBefore, 1999, 7, 15, 23, 59, 53);
    WriteWithLocalTime(strAt, 1999, 7, 15, 23, 59, 54);
    EXPECT_TRUE(IsPrevReleaseFile(m_context, *MakeEntry({{"m_strPrevReleaseDate", "1999/7/15"}, {"m_strPrevReleaseFile", strBefore}}, {})));
    EXPECT_FALSE(IsPrevReleaseFile(m_context, *MakeEntry({{"m_strPrevReleaseDate", "1999/7/15"}, {"m_strPrevReleaseFile", strAt}}, {})));
    const std::string strJapanese = Cp932(m_dir.Path().wstring()) + "\\" + kTextFile932;
    WriteWithLocalTime(strJapanese, 1999, 7, 15, 23, 59, 53);
    EXPECT_TRUE(IsPrevReleaseFile(m_context, *MakeEntry({{"m_strPrevReleaseDate", "1999/7/15"}, {"m_strPrevReleaseFile", strJapanese}}, {})));
    for (const char* date : {"1999", "1999/0/15", "1999/13/15", "1999/7/0", "1979/7/15", "2108/7/15"})
        EXPECT_FALSE(IsPrevReleaseFile(m_context, *MakeEntry({{"m_strPrevReleaseDate", date}, {"m_strPrevReleaseFile", strBefore}}, {}))) << date;

    SetString(HKEY_LOCAL_MACHINE, std::string(kTestRoot) + "\\Old", nullptr, "");
    auto pEntry = MakeEntry({{"m_strPrevCheckKey", std::string(kTestRoot) + "\\Old"}, {"m_strPrevReleaseDate", "1999/7/15"},
                             {"m_strPrevReleaseFile", strBefore}, {"m_strCheckKey", std::string(kTestRoot) + "\\New"}},
                            {{"m_bHasPrevRelease", 1}});
    EXPECT_EQ(pEntry->RefreshState(m_context), 1);
    EXPECT_TRUE(pEntry->IsPrevReleaseFound());
    EXPECT_FALSE(pEntry->IsInstalled());
}

TEST_F(RealChecks, UninstallKeysLongValuesAndDuplicateNames)
{
    const std::string strParent = std::string(kTestRoot) + "\\Uninstall";
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\Direct", "UninstallString", "C:\\remove.exe /x");
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\Long", "UninstallString", std::string(300, 'x'));
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\Long", "DisplayName", "Long");
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\Twin1", "DisplayName", "Twin");
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\Twin1", "UninstallString", "one.exe");
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\Twin2", "DisplayName", "Twin");
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\Twin2", "UninstallString", "two.exe");

    EXPECT_EQ(MakeEntry({{"m_strUninstallKey", strParent + "\\Direct"}}, {})->GetUninstallString(m_context), "C:\\remove.exe /x");
    EXPECT_EQ(MakeEntry({{"m_strUninstallKey", strParent + "\\Long"}}, {})->GetUninstallString(m_context), "");
    EXPECT_EQ(MakeEntry({{"m_strUninstallKey", strParent + "\\None"}}, {})->GetUninstallString(m_context), "");

    // The registry enumerates subkeys in name order, so Twin2 comes last and wins.
    auto pTwin = MakeEntry({{"m_strUninstallKey", strParent}, {"m_strDisplayName", "Twin"}}, {{"m_bSearchUninstallKey", 1}});
    EXPECT_EQ(pTwin->GetUninstallString(m_context), "two.exe");
    EXPECT_EQ(pTwin->GetUninstallKey(), strParent + "\\Twin2");
    auto pLong = MakeEntry({{"m_strUninstallKey", strParent}, {"m_strDisplayName", "Long"}}, {{"m_bSearchUninstallKey", 1}});
    EXPECT_EQ(pLong->GetUninstallString(m_context), "");
    EXPECT_EQ(pLong->GetUninstallKey(), strParent + "\\Long");
}

TEST_F(RealChecks, UninstallSearch_JapaneseDisplayNameFoundPastAKeyThatCp932CannotName)
{
    const std::string strParent = std::string(kTestRoot) + "\\Uninstall";
    const std::string strRemove = std::string("C:\\") + kSetupFolder932 + "\\remove.exe";
    // "café" enumerates before the Japanese key, with the same display name: code page 932
    // cannot name it, so it never matches, and the search goes on past it.
    SetWideString(HKEY_LOCAL_MACHINE, Wide(strParent) + L"\\" + kNotCp932, L"DisplayName", Wide(kDisplayName932));
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\" + kProductKey932, "DisplayName", kDisplayName932);
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\" + kProductKey932, "UninstallString", strRemove);

    auto pEntry = MakeEntry({{"m_strUninstallKey", strParent}, {"m_strDisplayName", kDisplayName932}},
                            {{"m_bSearchUninstallKey", 1}});
    EXPECT_EQ(pEntry->GetUninstallString(m_context), strRemove);
    EXPECT_EQ(pEntry->GetUninstallKey(), strParent + "\\" + kProductKey932);
}

TEST_F(RealChecks, UninstallPathAndSourceDrive)
{
    auto pEntry = MakeEntry({{"m_strUninstallCommand", "Vendor\\Remove.lnk"}}, {});
    EXPECT_EQ(pEntry->GetUninstallPath(m_context),
              WindowsFolder() + (IsNT() ? "\\Profiles\\All Users" : "") + kPrograms + "Vendor\\Remove.lnk");

    CAppCatalog catalog;
    catalog.UpdateSourceDrive();
    // The test runs in a folder below its drive's root: that folder is its medium.
    char szFolder[MAX_PATH] = {};
    ASSERT_GT(::GetCurrentDirectoryA(MAX_PATH, szFolder), 3u);
    EXPECT_EQ(catalog.GetSourceDrive(), szFolder);
}

// Wine runs this 32-bit program under WOW64 in its 64-bit prefix, as 64-bit Windows does. Windows
// 98 has no views, and Wine playing it drops the view flags of the ANSI calls.
TEST_F(RealChecks, KeyAndUninstallEntryOnlyInThe64BitView)
{
    if (!IsNT())
        GTEST_SKIP();
    const std::string strParent = std::string(kTestRoot) + "\\Uninstall";
    SetString64(L"Software\\KorveltTest\\Only64", nullptr, L"");
    SetString64(L"Software\\KorveltTest\\Uninstall\\{Wide64}", L"DisplayName", L"Korvelt 64");
    SetString64(L"Software\\KorveltTest\\Uninstall\\{Wide64}", L"UninstallString", L"C:\\x64\\remove.exe");
    HKEY hKey = nullptr;
    ASSERT_NE(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\KorveltTest\\Only64", 0, KEY_READ, &hKey), ERROR_SUCCESS)
        << "the 64-bit view is not a view of its own here";

    EXPECT_TRUE(RegistryKeyExists(m_context, std::string(kTestRoot) + "\\Only64"));
    EXPECT_EQ(MakeEntry({{"m_strUninstallKey", strParent + "\\{Wide64}"}}, {})->GetUninstallString(m_context), "C:\\x64\\remove.exe");
    auto pEntry = MakeEntry({{"m_strUninstallKey", strParent}, {"m_strDisplayName", "Korvelt 64"}}, {{"m_bSearchUninstallKey", 1}});
    EXPECT_EQ(pEntry->GetUninstallString(m_context), "C:\\x64\\remove.exe");
    EXPECT_EQ(pEntry->GetUninstallKey(), strParent + "\\{Wide64}");
}

// Set-ups for one user register there from Windows 2000 on; older systems never look.
TEST_F(RealChecks, UninstallEntryOnlyUnderTheCurrentUser)
{
    const std::string strParent = std::string(kTestRoot) + "\\Uninstall";
    SetString(HKEY_LOCAL_MACHINE, strParent + "\\{Other}", "DisplayName", "Other");
    SetString(HKEY_CURRENT_USER, strParent + "\\{User}", "DisplayName", "Korvelt User");
    SetString(HKEY_CURRENT_USER, strParent + "\\{User}", "UninstallString", "C:\\user\\remove.exe");
    auto pEntry = MakeEntry({{"m_strUninstallKey", strParent}, {"m_strDisplayName", "Korvelt User"}}, {{"m_bSearchUninstallKey", 1}});
    EXPECT_EQ(pEntry->GetUninstallString(m_context), IsWindows2000OrLater() ? "C:\\user\\remove.exe" : "");
    EXPECT_EQ(pEntry->GetUninstallKey(), strParent + (IsWindows2000OrLater() ? "\\{User}" : ""));
}

TEST_F(RealChecks, StartMenuFileAndRemovalCommandInTheCommonProgramsFolder)
{
    ASSERT_FALSE(m_strCommonPrograms.empty());
    CreateFolders(m_strCommonPrograms + "KorveltTest\\");
    HANDLE hFile = ::CreateFileA((m_strCommonPrograms + "KorveltTest\\app.lnk").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    ::CloseHandle(hFile);

    auto pEntry = MakeEntry({{"m_strCheckFile", "KorveltTest\\app.lnk"}, {"m_strUninstallCommand", "KorveltTest\\app.lnk"}},
                            {{"m_nCheckType", 1}});
    EXPECT_EQ(pEntry->RefreshState(m_context), IsWindows2000OrLater() ? 1 : 0);
    EXPECT_EQ(pEntry->GetUninstallPath(m_context),
              IsWindows2000OrLater() ? m_strCommonPrograms + "KorveltTest\\app.lnk" : m_strPrograms + "KorveltTest\\app.lnk");
}
