// Starting programs on the real system under Wine: an unquoted removal command under
// "C:\Program Files" against a program planted as C:\Program.exe, and the shell's elevated start.
#include "LaunchCommands.h"
#include "System.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char kRealFolder[] = "C:\\Program Files\\KorveltQuote";
const char kPlanted[] = "C:\\Program.exe";
const char kKey[] = "Software\\KorveltQuoteTest";
const char kCmdMade[] = "C:\\KorveltCmdMade";

// A cmd.exe planted beside the program, as a medium copied into Downloads may hold one.
std::string PlantedCmd()
{
    char szProgram[MAX_PATH] = {};
    const std::string strProgram(szProgram, ::GetModuleFileNameA(nullptr, szProgram, MAX_PATH));
    return strProgram.substr(0, strProgram.rfind('\\')) + "\\cmd.exe";
}

class PlantedProgram : public ::testing::Test
{
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
        ::DeleteFileA(kPlanted);
        ::DeleteFileA((std::string(kRealFolder) + "\\setup.exe").c_str());
        ::RemoveDirectoryA((std::string(kRealFolder) + "\\made").c_str());
        ::RemoveDirectoryA(kRealFolder);
        ::DeleteFileA(PlantedCmd().c_str());
        ::RemoveDirectoryA(kCmdMade);
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

// The removal's "cmd" is the system's: it makes the folder, which the planted stand-in would not.
TEST_F(PlantedProgram, CmdBesideTheProgram_IsNotTheOneThatRuns)
{
    ASSERT_TRUE(::CopyFileA(KORVELT_STANDIN_SETUP, PlantedCmd().c_str(), FALSE));
    ASSERT_EQ(RunDetached(std::string("cmd /c mkdir ") + kCmdMade), 0);
    DWORD dwMade = INVALID_FILE_ATTRIBUTES;
    // A Windows process start is slow under emulation.
    for (int nWaited = 0; nWaited < 150000 && dwMade == INVALID_FILE_ATTRIBUTES; nWaited += 100)
    {
        ::Sleep(100);
        dwMade = ::GetFileAttributesA(kCmdMade);
    }
    EXPECT_TRUE(dwMade != INVALID_FILE_ATTRIBUTES && (dwMade & FILE_ATTRIBUTE_DIRECTORY));
}

// Wine never refuses a start for want of administrator rights, so the elevated start that follows
// such a refusal is called directly. "/dir made" makes the stand-in create a folder in its working
// folder.
TEST_F(PlantedProgram, ElevatedStart_RunsTheProgramWithItsParametersInTheFolder)
{
    ASSERT_TRUE(::CreateDirectoryA(kRealFolder, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string strReal = std::string(kRealFolder) + "\\setup.exe";
    ASSERT_TRUE(::CopyFileA(KORVELT_STANDIN_SETUP, strReal.c_str(), FALSE));

    ASSERT_TRUE(TheSystem().StartElevated(strReal, std::string("/key ") + kKey + " /dir made", kRealFolder));
    const std::string strWritten = UninstallStringWritten();
    EXPECT_NE(strWritten.find(std::string(kRealFolder) + "\\uninstall.exe\" /key"), std::string::npos) << strWritten;
    const DWORD dwMade = ::GetFileAttributesA((std::string(kRealFolder) + "\\made").c_str());
    EXPECT_TRUE(dwMade != INVALID_FILE_ATTRIBUTES && (dwMade & FILE_ATTRIBUTE_DIRECTORY));
}
