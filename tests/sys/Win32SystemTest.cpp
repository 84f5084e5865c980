// The Win32 system against the real registry and process start, under Wine.
#include "System.h"

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

    static void SetString(const std::string& strKey, const char* pszValue, const std::string& strData)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &hKey, nullptr), ERROR_SUCCESS);
        ::RegSetValueExA(hKey, pszValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(strData.c_str()),
                         static_cast<DWORD>(strData.size() + 1));
        ::RegCloseKey(hKey);
    }
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
    const std::string strProgram = sys.GetProgramPath();
    EXPECT_NE(strProgram.find(".exe"), std::string::npos);
    EXPECT_EQ(sys.GetVersion(), ::GetVersion());
}

TEST(Win32System, StartProcessReportsFailure)
{
    EXPECT_EQ(TheSystem().StartProcess("Z:\\no\\such\\program.exe", nullptr, false), CSystem::EStartResult::Failed);
    EXPECT_EQ(TheSystem().StartProcess("", nullptr, true), CSystem::EStartResult::Failed);
}
