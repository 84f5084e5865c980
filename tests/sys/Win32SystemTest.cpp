// The Win32 system against the real registry, files and process start, under Wine. The program
// also runs with the system code page 1252: the Japanese names must mean the same there.
#include "sys/System.h"
#include "tests/support/System932.h"
#include "tests/support/TempDir.h"
#include "tests/support/WideNames.h"
#include "win/Kernel932.h"
#include "win/ScopedHandle.h"
#include "win/Windows9x.h"

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

using ERoot = CSystem::ERoot;
using EEnum = CSystem::EEnumResult;

namespace {

const char kTestKey[] = "Software\\KorveltTest\\Sys";

class Win32Registry : public ::testing::Test
{
protected:
    void SetUp() override { ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\KorveltTest"); }
    void TearDown() override { ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\KorveltTest"); }

    static void SetString(const std::wstring& strKey, const wchar_t* pszValue, const std::wstring& strData)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &hKey, nullptr), ERROR_SUCCESS);
        ::RegSetValueExW(hKey, pszValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(strData.c_str()),
                         static_cast<DWORD>((strData.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(hKey);
    }
    static void SetString(const std::string& strKey, const char* pszValue, const std::string& strData)
    {
        ASSERT_TRUE(SetRegString932(HKEY_CURRENT_USER, strKey, pszValue, strData));
    }
};

// A fresh folder, named in code page 932 for the system and in UTF-16 for the test's own calls.
class Win32Files : public ::testing::Test
{
protected:
    std::string Path932(const std::string& strName) const { return Cp932(m_dir.Path().wstring()) + "\\" + strName; }
    static bool Exists(const std::string& strPath) { return GetFileAttributes932(strPath) != INVALID_FILE_ATTRIBUTES; }

    CTempDir m_dir;
};

const char kStartedKey[] = "Software\\KorveltTest\\Started";

// The stand-in set-up writes its key under HKEY_LOCAL_MACHINE.
class Win32Start : public Win32Files
{
protected:
    void SetUp() override { DeleteRegTree932(HKEY_LOCAL_MACHINE, "Software\\KorveltTest"); }
    void TearDown() override { DeleteRegTree932(HKEY_LOCAL_MACHINE, "Software\\KorveltTest"); }
};

} // namespace

TEST_F(Win32Registry, KeysValuesAndSubkeys)
{
    CSystem& sys = TheSystem();
    EXPECT_FALSE(sys.RegKeyExists(ERoot::CurrentUser, kTestKey));
    SetString(kTestKey, "DisplayName", "Sample");
    SetString(kTestKey, "UninstallString", std::string(255, 'u'));
    SetString(std::string(kTestKey) + "\\Child", "DisplayName", "Child");
    EXPECT_TRUE(sys.RegKeyExists(ERoot::CurrentUser, kTestKey));
    EXPECT_FALSE(sys.RegKeyExists(ERoot::LocalMachine, kTestKey));

    std::string strOut = "untouched";
    EXPECT_TRUE(sys.RegQueryString(ERoot::CurrentUser, kTestKey, "DisplayName", 255, strOut));
    EXPECT_EQ(strOut, "Sample");
    strOut = "untouched";
    // 255 characters and a terminator do not fit in 255 bytes.
    EXPECT_FALSE(sys.RegQueryString(ERoot::CurrentUser, kTestKey, "UninstallString", 255, strOut));
    EXPECT_EQ(strOut, "untouched");
    EXPECT_TRUE(sys.RegQueryString(ERoot::CurrentUser, kTestKey, "UninstallString", 256, strOut));
    EXPECT_EQ(strOut.size(), 255u);

    std::string strName;
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::CurrentUser, kTestKey, 0, 254, strName), EEnum::Found);
    EXPECT_EQ(strName, "Child");
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::CurrentUser, kTestKey, 1, 254, strName), EEnum::NoMore);
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::CurrentUser, kTestKey, 0, 3, strName), EEnum::TooLong);
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::CurrentUser, "Software\\KorveltTest\\None", 0, 254, strName), EEnum::NoMore);
}

TEST(Win32System, FoldersAndVersion)
{
    CSystem& sys = TheSystem();
    const std::string strWindows = sys.GetWindowsFolder();
    ASSERT_GE(strWindows.size(), 3u);
    EXPECT_EQ(strWindows[1], ':');
    EXPECT_NE(strWindows.back(), '\\');
    const std::string strTemp = sys.GetTempFolder();
    ASSERT_FALSE(strTemp.empty());
    EXPECT_EQ(strTemp.back(), '\\');
    const std::string strFolder = sys.GetCurrentFolder();
    ASSERT_GE(strFolder.size(), 3u);
    EXPECT_EQ(strFolder[1], ':');
    const COsVersion version = sys.GetOsVersion();
    EXPECT_EQ(version.m_bWindows9x, (::GetVersion() & 0x80000000u) != 0);
    EXPECT_EQ(version.m_nMajor, LOBYTE(::GetVersion()));
}

TEST(Win32System, StartProcessReportsFailure)
{
    EXPECT_EQ(TheSystem().StartProcess("", "Z:\\no\\such\\program.exe", nullptr, false), CSystem::EStartResult::Failed);
    EXPECT_EQ(TheSystem().StartProcess("", "", nullptr, true), CSystem::EStartResult::Failed);
}

TEST_F(Win32Registry, TextsThatCp932Lacks_AreNotRead_NorDoTheyHideLaterSubkeys)
{
    CSystem& sys = TheSystem();
    const std::wstring strKey = Wide(kTestKey);
    SetString(strKey + L"\\A", L"DisplayName", L"A");
    SetString(strKey + L"\\" + kNotCp932, L"DisplayName", L"Other");
    SetString(strKey + L"\\" + Wide(kProductKey932), L"DisplayName", kNotCp932);
    // Code page 932 bytes are counted: 127 double-byte characters and the terminator fill 255.
    SetString(strKey, L"Fits", std::wstring(127, L'\u3042'));
    SetString(strKey, L"Long", std::wstring(128, L'\u3042'));

    std::string strOut = "untouched";
    EXPECT_FALSE(sys.RegQueryString(ERoot::CurrentUser, std::string(kTestKey) + "\\" + kProductKey932, "DisplayName",
                                    255, strOut));
    EXPECT_FALSE(sys.RegQueryString(ERoot::CurrentUser, kTestKey, "Long", 255, strOut));
    EXPECT_EQ(strOut, "untouched");
    EXPECT_TRUE(sys.RegQueryString(ERoot::CurrentUser, kTestKey, "Fits", 255, strOut));
    EXPECT_EQ(strOut.size(), 254u);

    // Subkeys enumerate in name order; the Japanese name takes 10 bytes for its 5 characters.
    const struct { uint32_t nIndex; std::size_t nRoom; EEnum result; std::string name; } cases[] = {
        {0, 254, EEnum::Found, "A"}, {1, 254, EEnum::NotCp932, ""}, {2, 254, EEnum::Found, kProductKey932},
        {2, 9, EEnum::TooLong, ""}, {3, 254, EEnum::NoMore, ""},
    };
    for (const auto& c : cases)
    {
        std::string strName;
        EXPECT_EQ(sys.RegEnumSubKey(ERoot::CurrentUser, kTestKey, c.nIndex, c.nRoom, strName), c.result) << c.nIndex;
        EXPECT_EQ(strName, c.name) << c.nIndex;
    }
}

TEST_F(Win32Files, JapaneseNames_ReachTheFilesOfThoseNames)
{
    CSystem& sys = TheSystem();
    const std::string strFolder = Path932(kSetupFolder932);
    ASSERT_TRUE(CreateFolder932(strFolder));
    const std::string strText = strFolder + "\\" + kTextFile932;
    ASSERT_TRUE(sys.WriteFile(strText, "text"));
    EXPECT_TRUE(Exists(strText));
    const std::vector<CFoundFile> found = sys.FindFiles(strFolder + "\\*.txt");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].m_strName, kTextFile932);
    ASSERT_TRUE(sys.CopyFileOver(strText, strFolder + "\\copy.bin", CSystem::EReplace::Any));
    std::string strRead;
    EXPECT_TRUE(sys.ReadFile(strFolder + "\\copy.bin", strRead));
    EXPECT_EQ(strRead, "text");
    EXPECT_TRUE(sys.RemoveFile(strText));
    EXPECT_FALSE(Exists(strText));
}

// A scanner holding the new file keeps the move from taking place. NT leaves the target as it
// was; Windows 95/98, where the target steps aside for the move, put a copy of the new file in its
// place, or, when even the copy fails, the target back.
TEST_F(Win32Files, ReplaceWhileTheNewFileIsHeld_NeverLosesTheTarget)
{
    const struct
    {
        const char* pszName;
        DWORD dwShare;            // how the scanner holds the new file
        bool bReplacedAsWindows9x;
    } kHolds[] = {
        {"ReadersAllowed", FILE_SHARE_READ, true},
        {"NoneAllowed", 0, false},
    };
    CSystem& sys = TheSystem();
    const std::string strNew = Path932("new.tmp");
    const std::string strTarget = Path932("target.txt");
    for (const auto& hold : kHolds)
    {
        SCOPED_TRACE(hold.pszName);
        ASSERT_TRUE(sys.WriteFile(strNew, "new"));
        ASSERT_TRUE(sys.WriteFile(strTarget, "old"));
        {
            CScopedKernelHandle held(CreateFile932(strNew, GENERIC_READ, hold.dwShare, OPEN_EXISTING));
            ASSERT_TRUE(held.IsValid());
            const bool bReplaced = ReplaceFile932(strNew, strTarget);
            EXPECT_EQ(bReplaced, IsWindows9x() && hold.bReplacedAsWindows9x);
            std::string strRead;
            ASSERT_TRUE(sys.ReadFile(strTarget, strRead));
            EXPECT_EQ(strRead, bReplaced ? "new" : "old");
            EXPECT_TRUE(Exists(strNew));
            // Nothing else is left in the folder.
            EXPECT_EQ(ListFolder932(Cp932(m_dir.Path().wstring())).size(), 2u);
        }
        EXPECT_TRUE(sys.RemoveFile(strNew));
    }
}

TEST_F(Win32Files, PathsThatAreNotCp932_ReachNoFile)
{
    CSystem& sys = TheSystem();
    const std::string strFrom = Path932("from.txt");
    ASSERT_TRUE(sys.WriteFile(strFrom, "x"));
    // A lead byte without its second byte: any guess at it would name some file.
    const std::string strBroken = Path932("broken\x82");
    EXPECT_FALSE(sys.WriteFile(strBroken, "x"));
    EXPECT_FALSE(sys.CopyFileOver(strFrom, strBroken, CSystem::EReplace::Any));
    std::string strRead = "untouched";
    EXPECT_FALSE(sys.ReadFile(strBroken, strRead));
    EXPECT_EQ(strRead, "untouched");
    EXPECT_TRUE(sys.FindFiles(Path932("*\x82")).empty());
    EXPECT_EQ(sys.StartProcess("", "cmd /c exit", strBroken.c_str(), false), CSystem::EStartResult::Failed);
    EXPECT_EQ(ListFolder932(Cp932(m_dir.Path().wstring())).size(), 1u);
}

TEST_F(Win32Start, SetupInAJapaneseFolder_StartsThere)
{
    const std::string strFolder932 = Path932(kSetupFolder932);
    ASSERT_TRUE(CreateFolder932(strFolder932));
    ASSERT_TRUE(CopyFile932(KORVELT_STANDIN_SETUP, strFolder932 + "\\setup.exe"));
    // The program by its full path; the line it reads names it bare, as a removal's "cmd" is.
    ASSERT_EQ(TheSystem().StartProcess(strFolder932 + "\\setup.exe", "setup.exe /key " + std::string(kStartedKey),
                                         strFolder932.c_str(), false), CSystem::EStartResult::Started);
    // A Windows process start is slow under emulation.
    bool bWritten = false;
    for (int nWaited = 0; nWaited < 150000 && !bWritten; nWaited += 100)
    {
        ::Sleep(100);
        bWritten = RegKeyExists932(HKEY_LOCAL_MACHINE, kStartedKey);
    }
    EXPECT_TRUE(bWritten);
    // The stand-in may still be ending; its file cannot go with the folder before, and goes once
    // it can.
    const std::string strProgram = strFolder932 + "\\setup.exe";
    bool bGone = false;
    for (int nWaited = 0; nWaited < 150000 && !bGone; nWaited += 100)
    {
        bGone = DeleteFile932(strProgram) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
        if (!bGone)
            ::Sleep(100);
    }
    EXPECT_TRUE(bGone);
}
