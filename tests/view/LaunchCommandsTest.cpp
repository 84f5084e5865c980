// Composing the set-up and removal command lines, padding notices, and the post-install copy,
// over the host system.
#include "catalog/AppCatalog.h"
#include "res/MessageNumbers.h"
#include "sys/HostSystem.h"
#include "tests/support/EntryBuilder.h"
#include "tests/support/TempDir.h"
#include "view/EntryActions.h"
#include "view/LaunchCommands.h"
#include "view/PendingCopies.h"
#include "view/PostInstallCopy.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class Launch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sys.m_strCurrentFolder = "Q:\\";
        m_sys.m_strWindowsDirectory = "C:\\WINNT";
        // Programs named without a folder come from here.
        m_sys.m_strSystemDirectory = m_system.Path().string();
        for (const char* pszName : {"X.EXE", "uninst.exe", "cmd.exe", "msiexec.exe"})
            m_system.Write(pszName, "MZ");
        SetTheSystem(&m_sys);
    }
    void TearDown() override { SetTheSystem(nullptr); }

    CTempDir m_system;
    CHostSystem m_sys;
    CAppCatalog m_catalog;
};

} // namespace

TEST(PadLines, AddsLinesUpToTheMinimum)
{
    std::string strOne = "one line";
    PadLines(strOne, 17);
    EXPECT_EQ(strOne, "one line" + [] { std::string s; for (int i = 0; i < 16; ++i) s += "\r\n"; return s; }());

    std::string strTwenty;
    for (int i = 0; i < 20; ++i)
        strTwenty += "line\r\n";
    const std::string strBefore = strTwenty;
    PadLines(strTwenty, 17);
    EXPECT_EQ(strTwenty, strBefore);

    std::string strSixteenLf(16, '\n');
    PadLines(strSixteenLf, 17);
    EXPECT_EQ(strSixteenLf, std::string(16, '\n'));
}

TEST(DriveOfCommand, RootOfTheProgramsDrive)
{
    EXPECT_EQ(DriveOfCommand("C:\\WINDOWS\\UNINST.EXE -f"), "C:\\");
    EXPECT_EQ(DriveOfCommand("\"D:\\Program Files\\x.exe\" /y"), "D:\\");
    EXPECT_EQ(DriveOfCommand("cmd /c \"D:\\Start Menu\\x.lnk\""), "");
    EXPECT_EQ(DriveOfCommand("uninst.exe /log:x"), "");
    EXPECT_EQ(DriveOfCommand(" \tC:\\App\\uninst.exe /x"), "C:\\");
    EXPECT_EQ(DriveOfCommand("uninst.exe"), "");
    EXPECT_EQ(DriveOfCommand(":x"), "");
    EXPECT_EQ(DriveOfCommand(""), "");
}

TEST_F(Launch, SetupCommandOnTheSourceDrive)
{
    auto pEntry = MakeEntry({{"m_strSetupDir", "\\SETUP\\APP1"}, {"m_strSetupCommand", "SETUP.EXE"}}, {});
    CSetupCommand setup = ComposeSetupCommand(*pEntry, m_catalog);
    EXPECT_EQ(setup.m_strFolder, "Q:\\SETUP\\APP1");
    EXPECT_EQ(setup.m_strCommand, "Q:\\SETUP\\APP1\\SETUP.EXE");

    // Without its first backslash the folder still lies below the drive's root, not below its
    // current folder ("Q:SETUP").
    auto pRelative = MakeEntry({{"m_strSetupDir", "SETUP\\APP1"}, {"m_strSetupCommand", "SETUP.EXE"}}, {});
    EXPECT_EQ(ComposeSetupCommand(*pRelative, m_catalog).m_strFolder, "Q:\\SETUP\\APP1");

    auto pBare = MakeEntry({{"m_strSetupCommand", "X.EXE"}}, {});
    setup = ComposeSetupCommand(*pBare, m_catalog);
    EXPECT_EQ(setup.m_strFolder, "");
    EXPECT_EQ(setup.m_strCommand, "X.EXE");
    EXPECT_EQ(setup.m_strProgram, m_sys.m_strSystemDirectory + "\\X.EXE");  // not on Q:

    EXPECT_EQ(RunInFolder("", "X.EXE"), 0);
    ASSERT_EQ(m_sys.m_started.size(), 1u);
    EXPECT_FALSE(m_sys.m_started[0].m_bHasFolder);
    EXPECT_FALSE(m_sys.m_started[0].m_bDetached);
    EXPECT_EQ(RunInFolder("Q:\\SETUP\\APP1", "Q:\\SETUP\\APP1\\SETUP.EXE"), 0);
    EXPECT_EQ(m_sys.m_started[1].m_strFolder, "Q:\\SETUP\\APP1");
    m_sys.m_startResult = CSystem::EStartResult::Failed;
    EXPECT_EQ(RunInFolder("", "X.EXE"), MSG_SETUP_FAILED);
}

TEST_F(Launch, MediumInAFolder_SetsUpAndRemovesFromThatFolder)
{
    // A disc image extracted into a folder: its own set-up and "%DIRECT_FROM_CD%=" removal, not
    // those at the root of C:.
    m_sys.m_strCurrentFolder = "C:\\Users\\bob\\Downloads\\disc";
    // Paths written without their first backslash still lie inside it, not beside it ("discapps").
    for (const char* pszFrom : {"\\", ""})
    {
        auto pEntry = MakeEntry({{"m_strSetupDir", pszFrom + std::string("apps\\memo")},
                                 {"m_strSetupCommand", "setup.exe"},
                                 {"m_strUninstallCommand", "%DIRECT_FROM_CD%=" + (pszFrom + std::string("apps\\memo\\uninst.exe"))}},
                                {{"m_nUninstallType", 1}});
        const CSetupCommand setup = ComposeSetupCommand(*pEntry, m_catalog);
        EXPECT_EQ(setup.m_strFolder, "C:\\Users\\bob\\Downloads\\disc\\apps\\memo");
        EXPECT_EQ(setup.m_strCommand, "C:\\Users\\bob\\Downloads\\disc\\apps\\memo\\setup.exe");
        EXPECT_EQ(ComposeUninstallCommand(*pEntry, m_catalog), "C:\\Users\\bob\\Downloads\\disc\\apps\\memo\\uninst.exe");
    }
}

// Where a set-up comes from: M stands for the medium (the folder whose catalogue was read), S for
// the system folder. The medium holds X.EXE, Y.exe, memo.msi, apps/ and "My Apps/"; the system
// folder holds X.EXE too.
TEST_F(Launch, SetupProgram_ComesFromTheMediumElseTheSystem)
{
    CTempDir medium;
    fs::create_directories(medium.Path() / "apps");
    fs::create_directories(medium.Path() / "My Apps");
    for (const char* pszFile : {"X.EXE", "Y.exe", "memo.msi", "apps/setup.exe", "apps/fix.msp", "My Apps/setup.exe"})
        medium.Write(pszFile, "MZ");
    const std::string strMedium = medium.Path().string();
    const struct
    {
        const char* pszMedium;  // "M": the temporary medium; "": one that code page 932 cannot name
        const char* pszDir;
        const char* pszCommand;
        const char* pszFolder;
        const char* pszLine;
        const char* pszProgram;
    } cases[] = {
        {"M", "\\apps", "setup.exe", "M\\apps", "M\\apps\\setup.exe", "M\\apps\\setup.exe"},
        {"M", "apps", "SETUP.EXE /copy APP.EXE", "M\\apps", "M\\apps\\SETUP.EXE /copy APP.EXE", "M\\apps\\SETUP.EXE"},
        {"M", "\\My Apps", "setup.exe /q", "M\\My Apps", "\"M\\My Apps\\setup.exe\" /q", "M\\My Apps\\setup.exe"},
        {"M", "\\apps", "  setup.exe", "M\\apps", "M\\apps\\setup.exe", "M\\apps\\setup.exe"},
        // A bare name: the medium's own first, else the system's.
        {"M", "", "X.EXE /q", "", "X.EXE /q", "M\\X.EXE"},
        {"M", "", "Y /q", "", "Y /q", "M\\Y.exe"},
        {"M", "", "uninst.exe", "", "uninst.exe", "S\\uninst.exe"},
        {"", "", "X.EXE", "", "X.EXE", "S\\X.EXE"},
        // A path from the root or relative: on the medium, never at the root of the current drive.
        {"M", "", "\\apps\\setup.exe /s", "", "\\apps\\setup.exe /s", "M\\apps\\setup.exe"},
        {"M", "", "apps\\setup.exe", "", "apps\\setup.exe", "M\\apps\\setup.exe"},
        // Named without ".exe": the program given to the process creation has it; a switch
        // starts the arguments, even before an argument that ends in ".exe".
        {"M", "", "\\apps\\setup /s", "", "\\apps\\setup /s", "M\\apps\\setup.exe"},
        {"M", "", "apps\\setup", "", "apps\\setup", "M\\apps\\setup.exe"},
        {"M", "", "\\My Apps\\setup /q", "", "\"\\My Apps\\setup\" /q", "M\\My Apps\\setup.exe"},
        {"M", "", "\\My Apps\\setup", "", "\"\\My Apps\\setup\"", "M\\My Apps\\setup.exe"},
        {"M", "", "My Apps\\setup q", "", "\"My Apps\\setup\" q", "M\\My Apps\\setup.exe"},
        {"M", "\\apps", "setup /s", "M\\apps", "M\\apps\\setup.exe /s", "M\\apps\\setup.exe"},
        {"M", "\\apps", "setup /copy APP.EXE", "M\\apps", "M\\apps\\setup.exe /copy APP.EXE", "M\\apps\\setup.exe"},
        // Packages and patches open as a double-click opens them.
        {"M", "", "memo.msi /qb", "", "msiexec.exe /i \"M\\memo.msi\" /qb", ""},
        {"M", "\\apps", "fix.msp", "M\\apps", "msiexec.exe /p \"M\\apps\\fix.msp\"", ""},
        // Nothing starts: a folder or path that climbs out of the medium, a medium not named.
        {"M", "\\..\\..\\Users\\bob", "setup.exe", "", "", ""},
        {"M", "apps\\...\\.. \\x", "setup.exe", "", "", ""},
        {"M", "", "\\..\\x.exe", "", "", ""},
        {"", "\\apps", "setup.exe", "", "", ""},
        {"", "", "\\apps\\setup.exe", "", "", ""},
        // A package found nowhere is not opened from the current folder.
        {"", "", "memo.msi", "", "", ""},
        {"M", "", "gone.msi", "", "", ""},
    };
    const auto expand = [&](std::string strText) {
        for (std::size_t nPos; (nPos = strText.find("M\\")) != std::string::npos;)
            strText.replace(nPos, 1, strMedium);
        if (strText.rfind("S\\", 0) == 0)
            strText.replace(0, 1, m_sys.m_strSystemDirectory);
        return strText;
    };
    for (const auto& c : cases)
    {
        m_sys.m_strCurrentFolder = *c.pszMedium ? strMedium : "";
        CAppCatalog catalog;
        auto pEntry = MakeEntry({{"m_strSetupDir", c.pszDir}, {"m_strSetupCommand", c.pszCommand}}, {});
        const CSetupCommand setup = ComposeSetupCommand(*pEntry, catalog);
        EXPECT_EQ(setup.m_strFolder, expand(c.pszFolder)) << c.pszDir << "|" << c.pszCommand;
        EXPECT_EQ(setup.m_strCommand, expand(c.pszLine)) << c.pszDir << "|" << c.pszCommand;
        EXPECT_EQ(setup.m_strProgram, expand(c.pszProgram)) << c.pszDir << "|" << c.pszCommand;

        // What starts: that program with that line, or nothing at all.
        m_sys.m_started.clear();
        const int nResult = RunInFolder(setup.m_strFolder, setup.m_strCommand, setup.m_strProgram);
        if (*c.pszLine == '\0')
        {
            EXPECT_EQ(nResult, MSG_SETUP_FAILED) << c.pszDir << "|" << c.pszCommand;
            EXPECT_TRUE(m_sys.m_started.empty());
            continue;
        }
        ASSERT_EQ(nResult, 0) << c.pszDir << "|" << c.pszCommand;
        ASSERT_EQ(m_sys.m_started.size(), 1u);
        EXPECT_EQ(m_sys.m_started[0].m_strCommandLine, setup.m_strCommand);
        const std::string strExpected = *c.pszProgram ? expand(c.pszProgram) : m_sys.m_strSystemDirectory + "\\msiexec.exe";
        // An empty program: the line names it with its folder.
        const std::string& strStarted = m_sys.m_started[0].m_strProgram;
        const std::string strNamed = setup.m_strCommand.substr(setup.m_strCommand.rfind('"', 0) == 0 ? 1 : 0);
        EXPECT_TRUE(strStarted == strExpected || (strStarted.empty() && strNamed.rfind(strExpected, 0) == 0))
            << strStarted << " for " << c.pszDir << "|" << c.pszCommand;
    }
}

TEST_F(Launch, UninstallCommandForms)
{
    const struct { const char* command; uint32_t version; const char* expected; } cases[] = {
        {"%DIRECT_FROM_CD%=\\TOOLS\\REMOVE.EXE /Q  ", 0x0A280105, "Q:\\TOOLS\\REMOVE.EXE /Q"},
        {"ABC%DIRECT_FROM_CD%=\\X.EXE", 0x0A280105, "Q:\\X.EXE"},
        {"Vendor\\Remove.lnk", 0x0A280105,
         "cmd /c \"C:\\WINNT\\Profiles\\All Users\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\Vendor\\Remove.lnk\""},
        {"Vendor\\Remove.lnk", 0xC0000A04,
         "start \"C:\\WINNT\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\Vendor\\Remove.lnk\""},
        {"%direct_from_cd%=\\X.EXE", 0xC0000A04,
         "start \"C:\\WINNT\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\%direct_from_cd%=\\X.EXE\""},
        // The medium's own removal never climbs out of it.
        {"%DIRECT_FROM_CD%=\\..\\..\\Windows\\x.exe /q", 0x0A280105, ""},
    };
    for (const auto& c : cases)
    {
        m_sys.m_nVersion = c.version;
        auto pEntry = MakeEntry({{"m_strUninstallCommand", c.command}}, {{"m_nUninstallType", 1}});
        EXPECT_EQ(ComposeUninstallCommand(*pEntry, m_catalog), c.expected) << c.command;
    }

    m_sys.SetRegString(CSystem::ERoot::LocalMachine, "Software\\U", "UninstallString", "C:\\UNINST.EXE /x");
    auto pRegistry = MakeEntry({{"m_strUninstallKey", "Software\\U"}}, {{"m_nUninstallType", 0}});
    EXPECT_EQ(ComposeUninstallCommand(*pRegistry, m_catalog), "C:\\UNINST.EXE /x");
    // An expandable string is expanded, as the system's Programs list starts it; a plain one is not.
    m_sys.m_environment["PROGRAMFILES"] = "C:\\Program Files";
    m_sys.SetRegExpandString(CSystem::ERoot::LocalMachine, "Software\\E", "UninstallString",
                             "\"%ProgramFiles%\\App\\uninst.exe\" /x %NotSet%");
    auto pExpand = MakeEntry({{"m_strUninstallKey", "Software\\E"}}, {{"m_nUninstallType", 0}});
    EXPECT_EQ(ComposeUninstallCommand(*pExpand, m_catalog), "\"C:\\Program Files\\App\\uninst.exe\" /x %NotSet%");
    m_sys.SetRegString(CSystem::ERoot::LocalMachine, "Software\\P", "UninstallString", "%ProgramFiles%\\u.exe");
    auto pPlain = MakeEntry({{"m_strUninstallKey", "Software\\P"}}, {{"m_nUninstallType", 0}});
    EXPECT_EQ(ComposeUninstallCommand(*pPlain, m_catalog), "%ProgramFiles%\\u.exe");
    auto pOther = MakeEntry({{"m_strUninstallCommand", "x.exe"}}, {{"m_nUninstallType", 7}});
    EXPECT_EQ(ComposeUninstallCommand(*pOther, m_catalog), "");
}

TEST_F(Launch, UninstallOfAFoundPreviousReleaseUsesItsOwnCommand)
{
    m_sys.AddRegKey(CSystem::ERoot::LocalMachine, "Software\\Old");
    CTempDir dir;
    const std::string strFile = dir.Write("old.dll", "x");
    fs::last_write_time(strFile, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 20));
    auto pEntry = MakeEntry({{"m_strPrevCheckKey", "Software\\Old"}, {"m_strPrevReleaseDate", "2020/1/1"},
                             {"m_strPrevReleaseFile", strFile}, {"m_strPrevUninstallCommand", "C:\\OLD\\REMOVE.EXE"},
                             {"m_strUninstallCommand", "New\\Remove.lnk"}},
                            {{"m_bHasPrevRelease", 1}, {"m_nPrevUninstallType", 1}, {"m_nUninstallType", 0}});
    ASSERT_EQ(pEntry->RefreshState(m_catalog.GetCheckContext()), 1);
    ASSERT_TRUE(pEntry->IsPrevReleaseFound());
    EXPECT_EQ(ComposeUninstallCommand(*pEntry, m_catalog), "cmd /c \"C:\\OLD\\REMOVE.EXE\"");
}

TEST_F(Launch, RunDetachedOnTheCommandsDrive)
{
    EXPECT_EQ(RunDetached("Q:\\TOOLS\\REMOVE.EXE /Q"), 0);
    EXPECT_EQ(RunDetached("uninst.exe"), 0);
    ASSERT_EQ(m_sys.m_started.size(), 2u);
    EXPECT_TRUE(m_sys.m_started[0].m_bDetached);
    EXPECT_EQ(m_sys.m_started[0].m_strFolder, "Q:\\");
    EXPECT_FALSE(m_sys.m_started[1].m_bHasFolder);
    m_sys.m_startResult = CSystem::EStartResult::Failed;
    EXPECT_EQ(RunDetached(""), MSG_UNINSTALL_FAILED);
}

// "cmd" and the other programs named without a folder: never one beside the launcher or in the
// current folder, where the process creation would look first; the command line stays as written.
TEST_F(Launch, BareProgram_ComesFromTheSystemWindowsOrPathFolders)
{
    CTempDir onPath;
    onPath.Write("MsiExec.exe", "MZ");
    onPath.Write("tool.exe", "MZ");
    m_sys.m_strSearchPath = ".;bin;\"" + onPath.Path().string() + "\";";
    const std::string strSystem = m_sys.m_strSystemDirectory;
    const struct { const char* pszLine; std::string strProgram; } cases[] = {
        {"cmd /c \"C:\\WINNT\\Start Menu\\x.lnk\"", strSystem + "\\cmd.exe"},
        {"MsiExec.exe /X{1}", strSystem + "\\MsiExec.exe"},  // the system's before PATH's
        {"tool /q", onPath.Path().string() + "\\tool.exe"},
        {"Q:\\TOOLS\\REMOVE.EXE /Q", ""},  // named with its folder: the process creation reads it
    };
    for (const auto& c : cases)
    {
        ASSERT_EQ(RunDetached(c.pszLine), 0) << c.pszLine;
        EXPECT_EQ(m_sys.m_started.back().m_strProgram, c.strProgram) << c.pszLine;
        EXPECT_EQ(m_sys.m_started.back().m_strCommandLine, c.pszLine);
    }
    // Found nowhere but, perhaps, beside the launcher: not started.
    const std::size_t nStarted = m_sys.m_started.size();
    EXPECT_EQ(RunDetached("nowhere.exe /x"), MSG_UNINSTALL_FAILED);
    EXPECT_EQ(RunInFolder("", "nowhere"), MSG_SETUP_FAILED);
    EXPECT_EQ(m_sys.m_started.size(), nStarted);
}

// Lines that copy nothing, with the file that each would write (below the test's folder) and what
// that file holds before and after, or null when it is not there and must not appear. The sources
// are there: each would be copied without its rule.
struct CSkippedCopy
{
    const char* pszLine;  // followed by ">" and the app folder
    const char* pszTarget;
    const char* pszKept;
};

const CSkippedCopy kSkippedCopies[] = {
    // The system's own copy leaves a read-only or hidden target (on the host: a name with a dot
    // first); so does the launcher's.
    {"\\DATA\\RO.TXT", "app/RO.TXT", "the user's, read-only"},
    {"\\DATA\\.HIDDEN", "app/.HIDDEN", "the user's, hidden"},
    // Out of the medium ("cd") to the file beside it.
    {"\\..\\SECRET.TXT", "app/SECRET.TXT", nullptr},
    {"..\\SECRET.TXT", "app/SECRET.TXT", nullptr},
    {"\\DATA\\..\\..\\SECRET.TXT", "app/SECRET.TXT", nullptr},
    {"/DATA/../../SECRET.TXT", "app/SECRET.TXT", nullptr},
    // Windows opens a device for these, in any letter case, with any extension, in any folder.
    {"\\DATA\\nul.txt", "app/nul.txt", nullptr},
    {"\\DATA\\Con", "app/Con", nullptr},
    {"\\COM1\\F.TXT", "app/F.TXT", nullptr},
    {"\\DATA\\lpt9 .log", "app/lpt9 .log", nullptr},
    // Windows drops the dots that a name ends in: "..." names the folder itself.
    {"\\DATA\\...", "app/...", nullptr},
};

// What each line of a copy list is read as, where no file has to be there to tell.
TEST(CopyList, EachLineCopiesOrIsSkippedForItsReason)
{
    const struct
    {
        std::string strLine;
        ECopySkip skip;
    } kLines[] = {
        {"\\DATA\\A.TXT>C:\\App", ECopySkip::None},
        {"\\DATA\\A.TXT>c:/App", ECopySkip::None},
        {"\\DATA\\A.TXT>C:", ECopySkip::None},  // the drive's root
        {"\\DATA\\A.TXT>\\App", ECopySkip::None},
        {"\\DATA\\A.TXT>\\\\server\\share\\App", ECopySkip::None},
        // Disks and devices by their own names, and names kept with their final dots.
        {"\\DATA\\A.TXT>\\\\.\\C:\\App", ECopySkip::DevicePath},
        {"\\DATA\\A.TXT>\\\\?\\C:\\App", ECopySkip::DevicePath},
        {"\\DATA\\A.TXT>//./C:/App", ECopySkip::DevicePath},
        {"\\DATA\\A.TXT>\\\\.", ECopySkip::DevicePath},
        {"\\DATA\\A.TXT>\\??\\C:\\App", ECopySkip::DevicePath},
        // Relative to the current folder of the launcher or of a drive.
        {"\\DATA\\A.TXT>C:App", ECopySkip::TargetRelative},
        {"\\DATA\\A.TXT>C:..\\App", ECopySkip::TargetRelative},
        {"\\DATA\\A.TXT>App:x", ECopySkip::TargetRelative},
        // The system would end the path at the NUL, at a port.
        {std::string("\\DATA\\COM1\0.TXT>C:\\App", 22), ECopySkip::HoldsNul},
        // A device among the target's folders.
        {"\\DATA\\A.TXT>C:\\App\\LPT1", ECopySkip::DeviceName},
    };
    for (const auto& line : kLines)
    {
        SCOPED_TRACE(line.strLine);
        const std::vector<CCopyLine> lines = ParseCopyList(line.strLine);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].m_skip, line.skip);
        EXPECT_EQ(lines[0].m_strLine, line.strLine);
    }
}

TEST_F(Launch, CopyFileListCopiesEachLine)
{
    CTempDir dir;
    fs::create_directories(dir.Path() / "cd/DATA");
    fs::create_directories(dir.Path() / "app/BIN");
    const std::string strDrive = dir.Path().string() + "/cd";
    std::ofstream(dir.Path() / "cd/DATA/A.DLL") << "a";
    std::ofstream(dir.Path() / "cd/DATA/B.TXT") << "b";
    std::ofstream(dir.Path() / "cd/DATA/\x95\x5C.TXT") << "kanji";  // 表: its second byte is 0x5C
    std::ofstream(dir.Path() / "cd/DATA/C.TXT") << "c";
    std::ofstream(dir.Path() / "cd/DATA/D:EVIL") << "evil";
    std::ofstream(dir.Path() / "cd/DATA/E.TXT") << "e";
    std::ofstream(dir.Path() / "app/B.TXT") << "old";
    fs::permissions(dir.Path() / "cd/DATA/A.DLL", fs::perms::owner_write, fs::perm_options::remove);
    std::ofstream(dir.Path() / "cd/DATA/G.TXT") << "g";
    std::ofstream(dir.Path() / "cd/DATA/CONSOLE.TXT") << "not a device";
    fs::create_directories(dir.Path() / "cd/COM1");
    for (const char* pszSource : {"SECRET.TXT", "cd/DATA/RO.TXT", "cd/DATA/.HIDDEN", "cd/DATA/nul.txt", "cd/DATA/Con",
                                  "cd/COM1/F.TXT", "cd/DATA/lpt9 .log", "cd/DATA/..."})
        std::ofstream(dir.Path() / pszSource) << "from the source";
    for (const CSkippedCopy& c : kSkippedCopies)
        if (c.pszKept)
            std::ofstream(dir.Path() / c.pszTarget) << c.pszKept;
    fs::permissions(dir.Path() / "app/RO.TXT", fs::perms::owner_write, fs::perm_options::remove);

    const std::string strApp = dir.Path().string() + "/app";
    const std::string strList = "\\DATA\\A.DLL>" + strApp + "\\BIN\r\n\\DATA\\B.TXT>" + strApp +
                                "\r\nno arrow here\r\n\\DATA\\MISSING>" + strApp + "\r\n\\DATA\\\x95\x5C.TXT>" + strApp +
                                "\r\n/DATA/C.TXT>" + strApp + "\\BIN\r\n\\DATA\\D:EVIL>" + strApp + "\r\n\\DATA\\..>" + strApp +
                                "\r\nDATA\\E.TXT>" + strApp + "\r\n\\DATA\\C.TXT>" + strApp + "\\\x95" +
                                // A LF alone ends a line too; a ".." that stays on the medium is kept.
                                "\r\n\\DATA\\G.TXT>" + strApp + "\n\\DATA\\..\\DATA\\CONSOLE.TXT>" + strApp;
    std::string strSkipped;
    for (const CSkippedCopy& c : kSkippedCopies)
        strSkipped += std::string("\r\n") + c.pszLine + ">" + strApp;
    EXPECT_EQ(CopyFileList(strList + strSkipped, strDrive, CSystem::EReplace::Any), 1);

    auto read = [](const fs::path& p) { std::ifstream in(p); return std::string(std::istreambuf_iterator<char>(in), {}); };
    EXPECT_EQ(read(dir.Path() / "app/BIN/A.DLL"), "a");
    EXPECT_EQ(read(dir.Path() / "app/B.TXT"), "b");
    EXPECT_EQ(read(dir.Path() / "app/\x95\x5C.TXT"), "kanji");
    EXPECT_NE(fs::status(dir.Path() / "app/BIN/A.DLL").permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_FALSE(fs::exists(dir.Path() / "app/MISSING"));
    // "/" separates; a name that names a drive is not copied.
    EXPECT_EQ(read(dir.Path() / "app/BIN/C.TXT"), "c");
    EXPECT_FALSE(fs::exists(dir.Path() / "app/D:EVIL"));
    // A source without its first backslash is on the medium all the same; a target folder ending
    // in half a double-byte character would take the file's backslash for its second byte.
    EXPECT_EQ(read(dir.Path() / "app/E.TXT"), "e");
    EXPECT_FALSE(fs::exists(dir.Path() / "app/\x95\\C.TXT"));
    EXPECT_FALSE(fs::exists(dir.Path() / "app/C.TXT"));
    EXPECT_EQ(read(dir.Path() / "app/G.TXT"), "g");
    EXPECT_EQ(read(dir.Path() / "app/CONSOLE.TXT"), "not a device");
    for (const CSkippedCopy& c : kSkippedCopies)
    {
        SCOPED_TRACE(c.pszLine);
        EXPECT_EQ(fs::exists(dir.Path() / c.pszTarget), c.pszKept != nullptr);
        if (c.pszKept)
        {
            EXPECT_EQ(read(dir.Path() / c.pszTarget), c.pszKept);
        }
    }
    EXPECT_EQ(fs::status(dir.Path() / "app/RO.TXT").permissions() & fs::perms::owner_write, fs::perms::none);

    // Without the medium's folder nothing is copied, not even from a full path.
    const std::string strFullPath = (dir.Path() / "cd/DATA/G.TXT").string();
    EXPECT_EQ(CopyFileList(strFullPath + ">" + strApp + "\\BIN", "", CSystem::EReplace::Any), 1);
    EXPECT_FALSE(fs::exists(dir.Path() / "app/BIN/G.TXT"));

    // A target folder that is no full path would be the current drive's root or the current
    // folder: nothing is copied there.
    std::ofstream(dir.Path() / "cd/DATA/KORVELT-REL.TXT") << "relative";
    EXPECT_EQ(CopyFileList("\\DATA\\KORVELT-REL.TXT>\r\n\\DATA\\KORVELT-REL.TXT>.", strDrive, CSystem::EReplace::Any), 1);
    EXPECT_FALSE(fs::exists("/KORVELT-REL.TXT"));
    EXPECT_FALSE(fs::exists("KORVELT-REL.TXT"));
}

// Entries 1, 3 and 4 carry copy lists into their own folders; entry 2 has none. The medium's
// files are two hours old.
TEST_F(Launch, PendingCopiesFollowTheSetupsThatRan)
{
    CTempDir dir;
    fs::create_directories(dir.Path() / "cd/DATA");
    std::ofstream(dir.Path() / "cd/DATA/ONE.INI") << "one";
    std::ofstream(dir.Path() / "cd/DATA/THREE.INI") << "three";
    std::ofstream(dir.Path() / "cd/DATA/KEPT.INI") << "kept from the medium";
    std::ofstream(dir.Path() / "cd/DATA/OLD.INI") << "old from the medium";
    for (const char* pszName : {"ONE.INI", "THREE.INI", "KEPT.INI", "OLD.INI"})
        fs::last_write_time(dir.Path() / "cd/DATA" / pszName, fs::file_time_type::clock::now() - std::chrono::hours(2));
    for (const char* pszFolder : {"app1", "app3", "app4"})
        fs::create_directories(dir.Path() / pszFolder);
    // Entry 3's file as the user changed it after an earlier set-up; entry 4's as the user changed
    // one, and as the application left the other before the medium's was made.
    std::ofstream(dir.Path() / "app3/THREE.INI") << "the user's";
    std::ofstream(dir.Path() / "app4/KEPT.INI") << "the user's";
    std::ofstream(dir.Path() / "app4/OLD.INI") << "outdated";
    fs::last_write_time(dir.Path() / "app4/OLD.INI", fs::file_time_type::clock::now() - std::chrono::hours(3));
    const std::string strDrive = dir.Path().string() + "/cd";
    auto copying = [&](const std::string& strName, const std::string& strFolder) {
        return MakeEntry({{"m_strCheckKey", "Software\\" + strFolder},
                          {"m_strPostInstallCopyList", "\\DATA\\" + strName + ">" + (dir.Path() / strFolder).string()}},
                         {{"m_bPostInstallCopy", 1}});
    };
    m_catalog.Add(copying("ONE.INI", "app1"));
    m_catalog.Add(MakeEntry({{"m_strCheckKey", "Software\\app2"}}, {}));
    m_catalog.Add(copying("THREE.INI", "app3"));
    const std::string strApp4 = (dir.Path() / "app4").string();
    const std::string strList4 = "\\DATA\\KEPT.INI>" + strApp4 + "\r\n\\DATA\\OLD.INI>" + strApp4;
    m_catalog.Add(MakeEntry({{"m_strCheckKey", "Software\\app4"}, {"m_strPostInstallCopyList", strList4}},
                            {{"m_bPostInstallCopy", 1}}));
    auto read = [](const fs::path& p) { std::ifstream in(p); return std::string(std::istreambuf_iterator<char>(in), {}); };
    CPendingCopies pending;
    int nSettingUp = 0;  // the entry whose followed set-up still runs
    auto pass = [&] {
        std::string strInstalled;
        for (int n = 1; n <= m_catalog.GetCount(); ++n)
            strInstalled +=
                pending.Refresh(m_catalog.GetCheckContext(), n, *m_catalog.GetAt(n), strDrive, n == nSettingUp) ? '1'
                                                                                                               : '0';
        return strInstalled;
    };

    // Loaded with entries 1 and 4 already installed: their files come with the first pass, as
    // far as they are missing or older than the medium's; entry 3 keeps its mark while it is not
    // installed.
    pending.MarkAll(m_catalog.GetCount());
    m_sys.AddRegKey(CSystem::ERoot::LocalMachine, "Software\\app1");
    m_sys.AddRegKey(CSystem::ERoot::LocalMachine, "Software\\app4");
    EXPECT_EQ(pass(), "1001");
    EXPECT_EQ(read(dir.Path() / "app1/ONE.INI"), "one");
    EXPECT_EQ(read(dir.Path() / "app4/KEPT.INI"), "the user's");
    EXPECT_EQ(read(dir.Path() / "app4/OLD.INI"), "old from the medium");
    EXPECT_FALSE(pending.IsMarked(1));
    EXPECT_TRUE(pending.IsMarked(3));

    // The user changes entry 1's file; a set-up of entry 3 is started and still runs at the next
    // pass, which copies nothing.
    std::ofstream(dir.Path() / "app1/ONE.INI") << "changed by the user";
    pending.Mark(3);
    EXPECT_EQ(pass(), "1001");
    EXPECT_EQ(read(dir.Path() / "app3/THREE.INI"), "the user's");
    EXPECT_TRUE(pending.IsMarked(3));

    // Once entry 3 is installed only its own files are written, once; the set-up that the user
    // started replaces its file however new.
    m_sys.AddRegKey(CSystem::ERoot::LocalMachine, "Software\\app3");
    EXPECT_EQ(pass(), "1011");
    EXPECT_EQ(read(dir.Path() / "app3/THREE.INI"), "three");
    EXPECT_EQ(read(dir.Path() / "app1/ONE.INI"), "changed by the user");
    EXPECT_FALSE(pending.IsMarked(3));
    fs::remove(dir.Path() / "app3/THREE.INI");
    EXPECT_EQ(pass(), "1011");
    EXPECT_FALSE(fs::exists(dir.Path() / "app3/THREE.INI"));

    // The next start: what is missing comes again; what the user changed stays.
    pending.MarkAll(m_catalog.GetCount());
    EXPECT_EQ(pass(), "1011");
    EXPECT_EQ(read(dir.Path() / "app3/THREE.INI"), "three");
    EXPECT_EQ(read(dir.Path() / "app1/ONE.INI"), "changed by the user");
    EXPECT_EQ(read(dir.Path() / "app4/KEPT.INI"), "the user's");

    // A set-up of the installed entry 1 (a repair) runs: a pass meanwhile copies nothing, the
    // first one after its end replaces the user's file.
    pending.Mark(1);
    nSettingUp = 1;
    EXPECT_EQ(pass(), "1011");
    EXPECT_EQ(read(dir.Path() / "app1/ONE.INI"), "changed by the user");
    EXPECT_TRUE(pending.IsMarked(1));
    nSettingUp = 0;
    EXPECT_EQ(pass(), "1011");
    EXPECT_EQ(read(dir.Path() / "app1/ONE.INI"), "one");
    EXPECT_FALSE(pending.IsMarked(1));

    // Without the medium's folder a pass copies nothing.
    fs::remove(dir.Path() / "app3/THREE.INI");
    pending.Mark(3);
    EXPECT_TRUE(pending.Refresh(m_catalog.GetCheckContext(), 3, *m_catalog.GetAt(3), ""));
    EXPECT_FALSE(fs::exists(dir.Path() / "app3/THREE.INI"));

    // Marks outside the catalogue are ignored.
    pending.Mark(0);
    pending.Mark(5);
    EXPECT_FALSE(pending.IsMarked(5));
}

TEST_F(Launch, EntryActionsPerKindOfEntry)
{
    m_sys.AddRegKey(CSystem::ERoot::LocalMachine, "Software\\Here");
    const struct
    {
        const char* pszCheckKey;
        int nAlways;
        int nCanUninstall;
        bool bForce;
        const char* pszTextFile;
        const char* pszButtons;  // set-up, uninstall, text file
    } cases[] = {
        {"Software\\Absent", 0, 1, false, "", "100"},
        {"Software\\Here", 0, 1, false, "a.txt", "011"},
        {"Software\\Here", 0, 0, false, "", "000"},
        {"Software\\Here", 1, 1, false, "", "100"},
        {"Software\\Here", 0, 1, true, "", "100"},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CAppEntry> pEntry = MakeEntry({{"m_strCheckKey", c.pszCheckKey}, {"m_strTextFile", c.pszTextFile}},
                                                      {{"m_bAlwaysInstall", c.nAlways}, {"m_bCanUninstall", c.nCanUninstall}});
        pEntry->RefreshState(m_catalog.GetCheckContext());
        const CEntryActions actions = CEntryActions::For(pEntry.get(), c.bForce);
        const std::string strButtons = {actions.m_bSetup ? '1' : '0', actions.m_bUninstall ? '1' : '0',
                                        actions.m_bTextFile ? '1' : '0'};
        EXPECT_EQ(strButtons, c.pszButtons) << c.pszCheckKey << c.nAlways << c.nCanUninstall << c.bForce;
    }
    const CEntryActions none = CEntryActions::For(nullptr, false);
    EXPECT_FALSE(none.m_bSetup || none.m_bUninstall || none.m_bTextFile);
    EXPECT_EQ(StatusMessageFor(true, true), 15);
    EXPECT_EQ(StatusMessageFor(true, false), 14);
    EXPECT_EQ(StatusMessageFor(false, false), 0);
}

// "Program.exe" is planted beside the "Program Files" folder that the real programs are in,
// "Tools/My.exe" beside a "My App" folder whose program is gone, "uninst.exe -remove" beside
// "uninst.exe".
TEST_F(Launch, QuoteProgramPath_TakesTheShortestExePieceElseTheLongestThatNamesAFile)
{
    CTempDir dir;
    fs::create_directories(dir.Path() / "Program Files/Some App");
    fs::create_directories(dir.Path() / "Plain");
    fs::create_directories(dir.Path() / "Tools");
    for (const char* pszFile : {"Program.exe", "Program Files/Some App/uninstall.exe", "Plain/app.exe", "Tools/My.exe",
                                "Plain/uninst.exe", "Plain/uninst.exe -remove"})
        std::ofstream(dir.Path() / pszFile) << "MZ";
    m_system.Write("rundll32.exe", "MZ");
    const std::string d = dir.Path().string();
    const struct
    {
        std::string strLine;
        std::string strExpected;
    } cases[] = {
        {d + "\\Program Files\\Some App\\uninstall.exe /x", '"' + d + "\\Program Files\\Some App\\uninstall.exe\" /x"},
        {d + "\\Program Files\\Some App\\uninstall /x /y", '"' + d + "\\Program Files\\Some App\\uninstall\" /x /y"},
        {d + "\\Program Files\\Some App\\uninstall.exe", '"' + d + "\\Program Files\\Some App\\uninstall.exe\""},
        {d + "\\Program Files\\Some App\\uninstall.exe\t/x", '"' + d + "\\Program Files\\Some App\\uninstall.exe\"\t/x"},
        // The ".exe" piece even when it is missing, never the shorter planted one.
        {d + "\\Tools\\My App\\uninst.exe /S", '"' + d + "\\Tools\\My App\\uninst.exe\" /S"},
        {d + "\\Nowhere\\At All.exe /x", '"' + d + "\\Nowhere\\At All.exe\" /x"},
        {d + "\\Plain\\uninst.exe -remove", ""},
        // A later ".exe" is an argument; leading blanks are no part of the program.
        {d + "\\Program Files\\Some App\\uninstall.exe /remove " + d + "\\Program Files\\Some App\\app.exe",
         '"' + d + "\\Program Files\\Some App\\uninstall.exe\" /remove " + d + "\\Program Files\\Some App\\app.exe"},
        {"SETUP.EXE /copy APP.EXE", ""},
        {"  " + d + "\\Program Files\\Some App\\uninstall.exe /x", '"' + d + "\\Program Files\\Some App\\uninstall.exe\" /x"},
        {" \t" + d + "\\Plain\\app.exe /x", d + "\\Plain\\app.exe /x"},
        // Already quoted, no space in the program, nothing found, a folder only: as they are.
        {'"' + d + "\\Program Files\\Some App\\uninstall.exe\" /x", ""},
        {d + "\\Plain\\app.exe /x y", ""},
        // A switch starts the arguments: the program is all before it, never the planted piece
        // beside a folder of the same name with a blank.
        {d + "\\Program Files /x", '"' + d + "\\Program Files\" /x"},
        {d + "\\Program Files\\Some App\\gone /x", '"' + d + "\\Program Files\\Some App\\gone\" /x"},
        {d + "\\Program Files\\Some App\\gone", '"' + d + "\\Program Files\\Some App\\gone\""},
        {d + "\\Program Files\\Some App\\gone now", '"' + d + "\\Program Files\\Some App\\gone now\""},
        {d + "\\Plain\\uninst /x C:\\App\\app.exe", ""},
        {d + "\\Plain\\uninst arg /x", d + "\\Plain\\uninst arg /x"},
        // A bare program of the system's folders, whatever its arguments end in.
        {"cmd /c C:\\App\\uninst.exe", ""},
        {"rundll32 C:\\App\\helper.dll,Remove C:\\App\\app.exe", ""},
        {"cmd /c \"" + d + "\\Program Files\\Some App\\uninstall.exe /x\"", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuoteProgramPath(c.strLine), c.strExpected.empty() ? c.strLine : c.strExpected) << c.strLine;

    // The process is created with the quoted line.
    EXPECT_EQ(RunDetached(cases[0].strLine), 0);
    ASSERT_EQ(m_sys.m_started.size(), 1u);
    EXPECT_EQ(m_sys.m_started[0].m_strCommandLine, cases[0].strExpected);
}

// The system refuses each of these as needing administrator rights; the shell gets the program
// as the process creation would have read it, and the same folder.
TEST_F(Launch, ElevationRequired_SameProgramStartedElevatedInTheSameFolder)
{
    CTempDir dir;
    fs::create_directories(dir.Path() / "Some App");
    std::ofstream(dir.Path() / "Some App/setup.exe") << "MZ";
    const std::string d = dir.Path().string();
    const struct { std::string strLine, strProgram, strParameters; } cases[] = {
        {"Q:\\SETUP\\SETUP.EXE", "Q:\\SETUP\\SETUP.EXE", ""},
        {"\"C:\\Program Files\\App\\setup.exe\"  /s /v\"a b\"", "C:\\Program Files\\App\\setup.exe", "/s /v\"a b\""},
        {"X.EXE\t/q", m_sys.m_strSystemDirectory + "\\X.EXE", "/q"},
        {"\"C:\\no end quote", "C:\\no end quote", ""},
        {d + "\\Some App\\setup.exe /x", d + "\\Some App\\setup.exe", "/x"},  // quoted before the start
    };
    m_sys.m_startResult = CSystem::EStartResult::ElevationRequired;
    for (const auto& c : cases)
    {
        EXPECT_EQ(RunInFolder("Q:\\SETUP", c.strLine), 0);
        ASSERT_FALSE(m_sys.m_startedElevated.empty());
        const CHostSystem::CStartedElevated& started = m_sys.m_startedElevated.back();
        EXPECT_EQ(started.m_strProgram + "|" + started.m_strParameters + "|" + started.m_strFolder,
                  c.strProgram + "|" + c.strParameters + "|Q:\\SETUP");
    }
    EXPECT_EQ(RunDetached("C:\\APP\\UNINST.EXE /x"), 0);
    EXPECT_EQ(m_sys.m_startedElevated.back().m_strFolder, "C:\\");

    m_sys.m_bElevatedStartSucceeds = false;  // declined, or no shell to ask
    EXPECT_EQ(RunInFolder("", "X.EXE"), MSG_SETUP_FAILED);
    EXPECT_EQ(RunDetached("X.EXE"), MSG_UNINSTALL_FAILED);
    m_sys.m_startResult = CSystem::EStartResult::Failed;  // any other failure is reported as it is
    m_sys.m_bElevatedStartSucceeds = true;
    EXPECT_EQ(RunInFolder("", "X.EXE"), MSG_SETUP_FAILED);
    EXPECT_EQ(m_sys.m_startedElevated.size(), std::size(cases) + 3);
}
