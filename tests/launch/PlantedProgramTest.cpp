// An unquoted removal command under "C:\Program Files" against a program planted as
// C:\Program.exe, with the real process creation under Wine.
#include "LaunchCommands.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char kRealFolder[] = "C:\\Program Files\\KorveltQuote";
const char kPlanted[] = "C:\\Program.exe";
const char kKey[] = "Software\\KorveltQuoteTest";

class PlantedProgram : public ::testing::Test
{
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
        ::DeleteFileA(kPlanted);
        ::DeleteFileA((std::string(kRealFolder) + "\\setup.exe").c_str());
        ::RemoveDirectoryA(kRealFolder);
    }

    // The stand-in set-up names uninstall.exe beside itself in the key it writes, so the
    // key tells which copy ran.
    static std::string UninstallStringWritten()
    {
        for (int nTry = 0; nTry < 200; ++nTry)
        {
            char szValue[MAX_PATH] = {};
            DWORD dwSize = sizeof szValue - 1;
            if (::RegGetValueA(HKEY_LOCAL_MACHINE, kKey, "UninstallString", RRF_RT_REG_SZ, nullptr, szValue,
                               &dwSize) == ERROR_SUCCESS)
                return szValue;
            ::Sleep(50);
        }
        return std::string();
    }
};

} // namespace

TEST_F(PlantedProgram, UnquotedRemovalCommand_StartsTheProgramItNames)
{
    ASSERT_TRUE(::CreateDirectoryA(kRealFolder, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string strReal = std::string(kRealFolder) + "\\setup.exe";
    ASSERT_TRUE(::CopyFileA(KORVELT_STANDIN_SETUP, strReal.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(KORVELT_STANDIN_SETUP, kPlanted, FALSE));

    ASSERT_EQ(RunDetached(strReal + " /key " + kKey), 0);
    const std::string strWritten = UninstallStringWritten();
    EXPECT_NE(strWritten.find(std::string(kRealFolder) + "\\uninstall.exe"), std::string::npos) << strWritten;
}
