// Starting programs on the real system under Wine: an unquoted removal command under
// "C:\Program Files" against a program planted as C:\Program.exe, the shell's elevated start, a
// Windows Installer package on the medium, an expandable uninstall string, and a medium whose
// folder code page 932 cannot name.
#include "catalog/AppCatalog.h"
#include "sys/System.h"
#include "tests/support/EntryBuilder.h"
#include "view/LaunchCommands.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char kRealFolder[] = "C:\\Program Files\\KorveltQuote";
const char kPlanted[] = "C:\\Program.exe";
const char kKey[] = "Software\\KorveltQuoteTest";
const char kCmdMade[] = "C:\\KorveltCmdMade";
const char kPackageKey[] = "Software\\KorveltPackageTest";  // what the test package writes
const char kExpandKey[] = "Software\\KorveltExpandTest";
const char kPackageMedium[] = "C:\\KorveltPackageMedium";
const wchar_t kForeignMedium[] = L"C:\\KorveltJos\u00E9";  // no code page 932 spelling
const char kPlantedRoot[] = "C:\\apps";

// Waits for a condition with one generous limit: a Windows process start is slow under emulation.
template <class Condition>
bool WaitFor(Condition condition)
{
    for (int nWaited = 0; nWaited < 150000; nWaited += 50)
    {
        if (condition())
            return true;
        ::Sleep(50);
    }
    return condition();
}

bool KeyExists(const char* pszKey, REGSAM nView = 0)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, pszKey, 0, KEY_READ | nView, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

// The test package names no platform: it is a 32-bit package, whose keys go to the 32-bit view
// whichever program looks for them.
bool PackageInstalled()
{
    return KeyExists(kPackageKey, KEY_WOW64_32KEY);
}

// The system's msiexec, run to its end.
void RunMsiexec(const std::string& strArguments)
{
    char szSystem[MAX_PATH] = {};
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    std::string strLine = std::string("\"") + szSystem + "\\msiexec.exe\" " + strArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(nullptr, &strLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return;
    ::WaitForSingleObject(info.hProcess, 150000);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
}

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
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kExpandKey);
        const std::string strPackage = std::string(kPackageMedium) + "\\memo.msi";
        if (PackageInstalled())
            RunMsiexec("/x \"" + strPackage + "\" /qn");
        ::DeleteFileA(strPackage.c_str());
        ::RemoveDirectoryA(kPackageMedium);
        const std::wstring strForeign = kForeignMedium;
        ::DeleteFileW((strForeign + L"\\apps\\setup.exe").c_str());
        ::RemoveDirectoryW((strForeign + L"\\apps").c_str());
        ::RemoveDirectoryW(strForeign.c_str());
        ::DeleteFileA((std::string(kPlantedRoot) + "\\setup.exe").c_str());
        ::RemoveDirectoryA(kPlantedRoot);
        if (!m_strStartFolder.empty())
            ::SetCurrentDirectoryA(m_strStartFolder.c_str());
    }

    // The medium is the current folder, as the launcher starts on it.
    void EnterMedium(const std::wstring& strFolder)
    {
        char szFolder[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, szFolder);
        m_strStartFolder = szFolder;
        ASSERT_TRUE(::SetCurrentDirectoryW(strFolder.c_str()));
    }

    std::string m_strStartFolder;

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

// A set-up that names a package on the medium starts as a double-click would: the system's
// msiexec installs it, and the key the package writes appears.
TEST_F(PlantedProgram, PackageOnTheMedium_IsInstalledThroughMsiexec)
{
#ifndef KORVELT_TEST_PACKAGE
    GTEST_SKIP() << "no test package: wixl was not found when the tree was configured";
#else
    ASSERT_TRUE(::CreateDirectoryA(kPackageMedium, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(::CopyFileA(KORVELT_TEST_PACKAGE, (std::string(kPackageMedium) + "\\memo.msi").c_str(), FALSE));
    EnterMedium(L"C:\\KorveltPackageMedium");
    CAppCatalog catalog;
    const CSetupCommand setup = ComposeSetupCommand(*MakeEntry({{"m_strSetupCommand", "memo.msi /qn"}}, {}), catalog);
    EXPECT_EQ(setup.m_strCommand, "msiexec.exe /i \"C:\\KorveltPackageMedium\\memo.msi\" /qn");
    ASSERT_EQ(RunInFolder(setup.m_strFolder, setup.m_strCommand, setup.m_strProgram), 0);
    EXPECT_TRUE(WaitFor(PackageInstalled));
#endif
}

// "%KORVELT_QUOTE_DIR%" stands for a folder with a blank in it: expanded, the line is quoted and
// the real program runs, not a planted C:\Program.exe.
TEST_F(PlantedProgram, ExpandableUninstallString_StartsTheProgramItExpandsTo)
{
    ASSERT_TRUE(::CreateDirectoryA(kRealFolder, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(::CopyFileA(KORVELT_STANDIN_SETUP, (std::string(kRealFolder) + "\\setup.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(KORVELT_STANDIN_SETUP, kPlanted, FALSE));
    ASSERT_TRUE(::SetEnvironmentVariableA("KORVELT_QUOTE_DIR", kRealFolder));
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kExpandKey, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    const std::string strValue = std::string("%KORVELT_QUOTE_DIR%\\setup.exe /key ") + kKey;
    ::RegSetValueExA(hKey, "UninstallString", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                     static_cast<DWORD>(strValue.size() + 1));
    ::RegCloseKey(hKey);

    CAppCatalog catalog;
    auto pEntry = MakeEntry({{"m_strUninstallKey", kExpandKey}}, {{"m_nUninstallType", 0}});
    const std::string strCommand = ComposeUninstallCommand(*pEntry, catalog);
    EXPECT_EQ(strCommand, std::string(kRealFolder) + "\\setup.exe /key " + kKey);
    ASSERT_EQ(RunDetached(strCommand), 0);
    const std::string strWritten = UninstallStringWritten();
    EXPECT_NE(strWritten.find(std::string(kRealFolder) + "\\uninstall.exe"), std::string::npos) << strWritten;
}

// Started in a folder whose name code page 932 cannot carry, the launcher names its medium by the
// short name: the set-up below it runs, never the one planted at the root of the drive.
TEST_F(PlantedProgram, MediumNamedOutsideCodePage932_SetsUpFromItsShortName)
{
    const std::wstring strForeign = kForeignMedium;
    ASSERT_TRUE(::CreateDirectoryW(strForeign.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(::CreateDirectoryW((strForeign + L"\\apps").c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    std::wstring strStandin(KORVELT_STANDIN_SETUP, KORVELT_STANDIN_SETUP + sizeof KORVELT_STANDIN_SETUP - 1);
    ASSERT_TRUE(::CopyFileW(strStandin.c_str(), (strForeign + L"\\apps\\setup.exe").c_str(), FALSE));
    ASSERT_TRUE(::CreateDirectoryA(kPlantedRoot, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(::CopyFileA(KORVELT_STANDIN_SETUP, (std::string(kPlantedRoot) + "\\setup.exe").c_str(), FALSE));
    EnterMedium(strForeign);

    CAppCatalog catalog;
    auto pEntry = MakeEntry({{"m_strSetupDir", "\\apps"}, {"m_strSetupCommand", std::string("setup.exe /key ") + kKey}}, {});
    const CSetupCommand setup = ComposeSetupCommand(*pEntry, catalog);
    wchar_t szShort[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameW(strForeign.c_str(), szShort, MAX_PATH), 0u);
    std::string strShort;
    for (const wchar_t* p = szShort; *p; ++p)
        strShort += static_cast<char>(*p);  // a short name is ASCII
    EXPECT_EQ(catalog.GetSourceDrive(), strShort);
    EXPECT_EQ(setup.m_strFolder, strShort + "\\apps");
    ASSERT_EQ(RunInFolder(setup.m_strFolder, setup.m_strCommand, setup.m_strProgram), 0);
    const std::string strWritten = UninstallStringWritten();
    EXPECT_EQ(strWritten.find(std::string(kPlantedRoot) + "\\"), std::string::npos) << strWritten;
    EXPECT_NE(strWritten.find("\\apps\\uninstall.exe"), std::string::npos) << strWritten;
}
