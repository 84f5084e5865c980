// The unattended mode over the host system: its command line, the kinds of set-ups and their
// silent forms, unattend.ini, the exit codes, and whole runs whose programs are scripted.
#include "catalog/AppCatalog.h"
#include "catalog/AppEntry.h"
#include "sys/HostSystem.h"
#include "tests/support/EntryBuilder.h"
#include "tests/support/TempDir.h"
#include "unattend/RunLog.h"
#include "unattend/SetupKind.h"
#include "unattend/SilentForm.h"
#include "unattend/UnattendFile.h"
#include "unattend/UnattendedOptions.h"
#include "unattend/UnattendedRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using EShow = CUnattendedOptions::EShow;

// An NSIS program: its data header at the first 512-byte boundary after the program.
std::string NsisBytes()
{
    std::string strBytes = "MZ" + std::string(1022, '\0');
    return strBytes + std::string("\0\0\0\0\xEF\xBE\xAD\xDENullsoftInst", 20) + std::string(100, 'x');
}

std::string InnoBytes()
{
    return "MZ" + std::string(3000, '\1') + std::string("rDlPtS\xCD\xE6\xD7\x7B\x0B\x2A", 12) + std::string(50, '\0');
}

std::string PackageBytes()
{
    return std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(512, '\0');
}

// A program that has ended by the first look, and then does what its run did.
class CEndedProcess : public CFollowedProcess
{
public:
    CEndedProcess(uint32_t nExitCode, std::function<void()> effect) : m_nExitCode(nExitCode), m_effect(std::move(effect)) {}
    bool HasFirstEnded(uint32_t& nExitCode) override
    {
        if (m_effect)
            std::exchange(m_effect, nullptr)();
        nExitCode = m_nExitCode;
        return true;
    }
    bool HaveAllEnded() override { return true; }

private:
    uint32_t m_nExitCode;
    std::function<void()> m_effect;
};

} // namespace

TEST(UnattendedOptions, ReadsTheLine)
{
    const struct
    {
        std::vector<std::string> args;
        bool bUnattended;
        const char* pszError;  // a part of the error; "" for none
        std::vector<std::string> install;
        bool bAll;
        std::vector<std::string> uninstall;
        EShow show;
        bool bNoRestart;
        bool bPlan;
        const char* pszLog;
    } cases[] = {
        {{}, false, "", {}, false, {}, EShow::Full, false, false, ""},
        // The window's own option, and anything else a user's start may bring, is no run.
        {{"/NOZOOMOUT"}, false, "", {}, false, {}, EShow::Full, false, false, ""},
        {{"/install:memo,kakeibo", "/quiet", "/log:C:\\logs\\k.log"}, true, "", {"memo", "kakeibo"}, false, {},
         EShow::Quiet, false, false, "C:\\logs\\k.log"},
        // Options in any case and with "-"; names given twice (in any case) count once.
        {{"-INSTALL:Memo, memo ,MEMO", "/Passive", "/NoRestart"}, true, "", {"Memo"}, false, {}, EShow::Passive, true,
         false, ""},
        {{"/install:*", "/uninstall:kakeibo"}, true, "", {}, true, {"kakeibo"}, EShow::Full, false, false, ""},
        {{"/plan"}, true, "", {}, false, {}, EShow::Full, false, true, ""},
        {{"/install:memo", "/NOZOOMOUT", "/passive"}, true, "", {"memo"}, false, {}, EShow::Passive, false, false, ""},
        // What cannot run.
        {{"/install:memo", "/silent"}, true, "unknown option: /silent", {"memo"}, false, {}, EShow::Full, false, false, ""},
        {{"/install:"}, true, "no entry name", {}, false, {}, EShow::Full, false, false, ""},
        {{"/uninstall:memo,,viewer"}, true, "no entry name", {"memo"}, false, {}, EShow::Full, false, false, ""},
        {{"/quiet"}, true, "nothing to do", {}, false, {}, EShow::Quiet, false, false, ""},
        {{"/install:memo", "/quiet", "/passive"}, true, "exclude each other", {"memo"}, false, {}, EShow::Quiet, false,
         false, ""},
        {{"/install:memo", "/log:"}, true, "no file named", {"memo"}, false, {}, EShow::Full, false, false, ""},
        {{"/install:memo", "setup.dat"}, true, "not an option: setup.dat", {"memo"}, false, {}, EShow::Full, false,
         false, ""},
    };
    for (const auto& c : cases)
    {
        std::string strLine;
        for (const std::string& strArg : c.args)
            strLine += strArg + " ";
        SCOPED_TRACE(strLine);
        const CUnattendedOptions options = CUnattendedOptions::Parse(c.args);
        EXPECT_EQ(options.IsUnattended(), c.bUnattended);
        if (*c.pszError == '\0')
            EXPECT_EQ(options.m_strError, "");
        else
            EXPECT_NE(options.m_strError.find(c.pszError), std::string::npos) << options.m_strError;
        EXPECT_EQ(options.m_bInstallAll, c.bAll);
        if (*c.pszError == '\0')
        {
            EXPECT_EQ(options.m_install, c.install);
            EXPECT_EQ(options.m_uninstall, c.uninstall);
        }
        EXPECT_EQ(options.m_show, c.show);
        EXPECT_EQ(options.m_bNoRestart, c.bNoRestart);
        EXPECT_EQ(options.m_bPlan, c.bPlan);
        EXPECT_EQ(options.m_strLogFile, c.pszLog);
        // A window shows only for a run that can run and is neither quiet nor a plan.
        EXPECT_EQ(options.ShowsWindow(), *c.pszError == '\0' && !c.bPlan && c.show != EShow::Quiet);
    }
}

TEST(SetupKind, FromTheFilesFirstBytes)
{
    std::string strLateNsis = NsisBytes();
    strLateNsis.insert(2, 512, '\0');  // at the next boundary
    std::string strUnaligned = NsisBytes();
    strUnaligned.insert(2, 7, '\0');
    std::string strNotAProgram = NsisBytes();
    strNotAProgram[0] = 'X';
    const struct
    {
        std::string strBytes;
        ESetupKind kind;
    } cases[] = {
        {NsisBytes(), ESetupKind::Nsis},
        {strLateNsis, ESetupKind::Nsis},
        // The header only counts where NSIS's own loader looks for it, and only in a program.
        {strUnaligned, ESetupKind::Unknown},
        {strNotAProgram, ESetupKind::Unknown},
        {InnoBytes(), ESetupKind::Inno},
        {"MZ" + std::string(700, '\0') + "Inno Setup Setup Data (6.2.0)", ESetupKind::Inno},
        {PackageBytes(), ESetupKind::Package},
        {"MZ" + std::string(4096, '\0'), ESetupKind::Unknown},
        // Short and empty files, a header cut off at the end.
        {"", ESetupKind::Unknown},
        {"MZ", ESetupKind::Unknown},
        {NsisBytes().substr(0, 1024 + 10), ESetupKind::Unknown},
        {PackageBytes().substr(0, 7), ESetupKind::Unknown},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(SetupKindOfBytes(cases[i].strBytes), cases[i].kind) << "case " << i;
}

TEST(UnattendFile, SectionsAndKeysWithoutRegardToCase)
{
    // "\x83\x5D" is a double-byte character whose second byte is "]".
    const CUnattendFile file = CUnattendFile::FromText(
        "; the medium's own silent commands\r\n"
        "[Memo]\r\n"
        "Setup = setup.exe /quiet \r\n"
        "uninstall=%DIRECT_FROM_CD%=\\tools\\remove.exe /q\r\n"
        "[\x83\x5D\x83\x5D]\r\n"
        "setup=x.exe /s\r\n"
        "[broken\r\n"
        "setup=never.exe\r\n"
        "[memo]\r\n"
        "setup=later.exe\n"
        "no equals sign\n");
    const struct
    {
        const char* pszEntry;
        const char* pszKey;
        bool bFound;
        const char* pszValue;
    } cases[] = {
        {"memo", "setup", true, "later.exe"},  // the last one holds
        {"MEMO", "UNINSTALL", true, "%DIRECT_FROM_CD%=\\tools\\remove.exe /q"},
        {"\x83\x5D\x83\x5D", "setup", true, "x.exe /s"},
        {"\x83\x7D\x83\x7D", "setup", false, ""},  // the second bytes are not letters to fold
        {"broken", "setup", false, ""},
        {"viewer", "setup", false, ""},
    };
    for (const auto& c : cases)
    {
        std::string strValue;
        EXPECT_EQ(file.Find(c.pszEntry, c.pszKey, strValue), c.bFound) << c.pszEntry << " " << c.pszKey;
        EXPECT_EQ(strValue, c.pszValue) << c.pszEntry << " " << c.pszKey;
    }
}

TEST(UnattendedCode, TheMostSevereWins)
{
    const struct
    {
        int nA;
        int nB;
        int nWins;
    } pairs[] = {
        {0, 3010, 3010}, {3010, 1641, 1641}, {1641, 1602, 1602}, {1602, 1618, 1618}, {1618, 1603, 1603},
        {1603, 0, 1603}, {3010, 0, 3010},    {0, 0, 0},          {1602, 3010, 1602},
    };
    for (const auto& p : pairs)
        EXPECT_EQ(MoreSevereCode(p.nA, p.nB), p.nWins) << p.nA << " and " << p.nB;

    const struct
    {
        uint32_t nExitCode;
        ESetupKind kind;
        bool bReadsAsMeant;
        bool bReadingShows;
        int nCode;
    } codes[] = {
        {0, ESetupKind::Nsis, true, true, 0},
        {0, ESetupKind::Nsis, false, true, 1603},
        {3010, ESetupKind::Package, true, true, 3010},
        {3011, ESetupKind::Package, true, true, 3010},
        {3010, ESetupKind::Package, false, true, 1603},
        {1641, ESetupKind::Package, false, true, 1641},
        {1602, ESetupKind::Package, false, true, 1602},
        {1223, ESetupKind::Unknown, false, true, 1602},
        {1618, ESetupKind::Package, false, true, 1618},
        // The cancel buttons of NSIS and Inno Setup; the same codes of other kinds are failures.
        {1, ESetupKind::Nsis, false, true, 1602},
        {1, ESetupKind::Inno, false, true, 1603},
        {2, ESetupKind::Inno, false, true, 1602},
        {5, ESetupKind::Inno, false, true, 1602},
        // A code of its own after a good run, told by the reading; without a reading, a failure.
        {1, ESetupKind::Unknown, true, true, 0},
        {1, ESetupKind::Unknown, true, false, 1603},
        {1603, ESetupKind::Package, false, true, 1603},
    };
    for (const auto& c : codes)
        EXPECT_EQ(EntryCode(c.nExitCode, c.kind, c.bReadsAsMeant, c.bReadingShows), c.nCode)
            << c.nExitCode << " of " << SetupKindName(c.kind);
}

TEST(RunLog, Utf8LinesAddedToTheFile)
{
    CHostSystem sys;
    SetTheSystem(&sys);
    CTempDir dir;
    CRunLog log(dir.File("run.log"));
    ASSERT_TRUE(log.Open());
    log.Write("memo\tinstall");
    log.Write("\x83\x81\x83\x82");  // メモ
    log.Write("bad \x81");
    CRunLog(dir.File("run.log")).Write("again");
    std::string strBytes;
    ASSERT_TRUE(sys.ReadFile(dir.File("run.log"), strBytes));
    EXPECT_EQ(strBytes, "memo\tinstall\r\n\xE3\x83\xA1\xE3\x83\xA2\r\nbad ?\r\nagain\r\n");
    EXPECT_FALSE(CRunLog(dir.File("no/such/folder/run.log")).Open());
    EXPECT_FALSE(CRunLog("").Open());
    SetTheSystem(nullptr);
}

namespace {

// A medium in a temporary folder with a catalogue of three entries whose set-ups are of known
// kinds, on a system whose registry and started programs the test sees.
class Unattended : public ::testing::Test
{
protected:
    static constexpr const char* kMemoKey = "Software\\Samples\\Memo";
    static constexpr const char* kPkgKey = "Software\\Samples\\Pkg";
    static constexpr const char* kOddKey = "Software\\Samples\\Odd";
    static constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

    void SetUp() override
    {
        m_sys.m_strSystemDirectory = m_system.Path().string();
        m_system.Write("msiexec.exe", "MZ");
        m_sys.m_strCurrentFolder = m_medium.Path().string();
        m_medium.MakeFolder("apps");
        m_medium.MakeFolder("korvelt");
        m_medium.Write("apps/memo.exe", NsisBytes());
        m_medium.Write("apps/pkg.msi", PackageBytes());
        m_medium.Write("apps/odd.exe", "MZ" + std::string(600, '\0'));
        m_medium.Write("apps/memo.txt", "read me");
        m_program.Write("uninstall.exe", NsisBytes());
        m_sys.m_strWindowsDirectory = m_program.Path().string();
        SetTheSystem(&m_sys);
        const auto entry = [&](const char* pszFile, const char* pszSetup, const char* pszKey) {
            return CEntryFields{{{"m_strFileName", pszFile},
                                 {"m_strSetupDir", "\\apps"},
                                 {"m_strSetupCommand", pszSetup},
                                 {"m_strCheckKey", pszKey},
                                 {"m_strUninstallKey", std::string(kUninstall) + pszFile}},
                                {{"m_nCheckType", 0}, {"m_bCanUninstall", 1}, {"m_nUninstallType", 0}}};
        };
        std::vector<CEntryFields> entries = {entry("memo.app", "memo.exe /D=C:\\Memo", kMemoKey),
                                             entry("pkg.app", "pkg.msi", kPkgKey), entry("odd.app", "odd.exe", kOddKey)};
        entries[0].ints["m_bPostInstallCopy"] = 1;
        entries[0].strings["m_strPostInstallCopyList"] = "\\apps\\memo.txt>" + m_program.Path().string();
        WriteCatalogFolder(m_medium, "korvelt", entries);
        m_catalog.SetDirectory(m_medium.File("korvelt"));
        m_catalog.SetDatabasePath((m_medium.File("korvelt") + "\\appdb.dat").c_str());
        ASSERT_EQ(m_catalog.Load(), 0);
        m_catalog.UpdateSourceDrive();
        // Every started program ends at the first look with the test's code, after doing what a
        // set-up or removal of its entry does.
        m_sys.m_makeFollowed = [this](const std::string& strLine) {
            return std::make_unique<CEndedProcess>(m_nExitCode, [this, strLine] { Effect(strLine); });
        };
    }
    void TearDown() override { SetTheSystem(nullptr); }

    void Effect(const std::string& strLine)
    {
        if (!m_bEffects)
            return;
        const bool bRemoval = strLine.find("uninstall.exe") != std::string::npos || strLine.find("/X") != std::string::npos ||
                              strLine.find("remove") != std::string::npos;
        for (const char* pszKey : {kMemoKey, kPkgKey, kOddKey})
        {
            const std::string strName = pszKey == kMemoKey ? "memo" : pszKey == kPkgKey ? "pkg" : "odd";
            const bool bMine = strLine.find(strName) != std::string::npos ||
                               (bRemoval && strLine.find(strName == "memo" ? "Memo" : "{PKG}") != std::string::npos);
            if (!bMine)
                continue;
            if (bRemoval)
                m_sys.RemoveRegKey(CSystem::ERoot::LocalMachine, pszKey);
            else
                m_sys.AddRegKey(CSystem::ERoot::LocalMachine, pszKey);
        }
    }

    // As the set-ups register themselves.
    void Register(const char* pszEntry, const char* pszKey, const std::string& strUninstall, const char* pszQuiet = nullptr)
    {
        m_sys.AddRegKey(CSystem::ERoot::LocalMachine, pszKey);
        const std::string strEntryKey = std::string(kUninstall) + pszEntry;
        m_sys.SetRegString(CSystem::ERoot::LocalMachine, strEntryKey, "UninstallString", strUninstall);
        if (pszQuiet != nullptr)
            m_sys.SetRegString(CSystem::ERoot::LocalMachine, strEntryKey, "QuietUninstallString", pszQuiet);
    }

    int Run(const std::vector<std::string>& args, const std::string& strUnattend = std::string())
    {
        m_log.clear();
        const CUnattendedOptions options = CUnattendedOptions::Parse(args);
        EXPECT_EQ(options.m_strError, "");
        CUnattendedRun run(m_catalog, options, CUnattendFile::FromText(strUnattend),
                           [this](const std::string& strLine) { m_log.push_back(strLine); });
        std::string strWhy;
        if (!run.CheckNames(strWhy))
        {
            m_log.push_back(strWhy);
            return kUnattendedBadCommandLine;
        }
        if (options.m_bPlan)
        {
            m_log = run.Plan();
            return kUnattendedSuccess;
        }
        return RunQuietly(run, 10);
    }

    // A log line's fields after the time: name, action, form, command, outcome, state, copies, code.
    std::vector<std::string> Fields(std::size_t nLine) const
    {
        std::vector<std::string> fields;
        if (nLine >= m_log.size())
            return fields;
        const std::string& strLine = m_log[nLine];
        for (std::size_t nPos = strLine.find('\t'); nPos != std::string::npos;)
        {
            const std::size_t nEnd = strLine.find('\t', nPos + 1);
            fields.push_back(strLine.substr(nPos + 1, nEnd == std::string::npos ? std::string::npos : nEnd - nPos - 1));
            nPos = nEnd;
        }
        return fields;
    }

    std::string Medium(const std::string& strPath) const { return m_medium.Path().string() + strPath; }

    CTempDir m_system;
    CTempDir m_medium;
    CTempDir m_program;
    CHostSystem m_sys;
    CAppCatalog m_catalog;
    uint32_t m_nExitCode = 0;
    bool m_bEffects = true;
    std::vector<std::string> m_log;
};

} // namespace

TEST_F(Unattended, SetUpsInTheirSilentFormsThenSkippedWhenRunAgain)
{
    // A log named relative to the current folder (the medium's, here): the set-ups' logs lie
    // there too, not in the folders they start in.
    EXPECT_EQ(Run({"/install:PKG,memo", "/quiet", "/norestart", "/log:L"}), kUnattendedSuccess);
    // Catalogue order, each with its kind's switches; NSIS's before its /D=, which stays last.
    ASSERT_EQ(m_sys.m_started.size(), 2u);
    EXPECT_EQ(m_sys.m_started[0].m_strCommandLine, Medium("\\apps\\memo.exe /S /D=C:\\Memo"));
    EXPECT_EQ(m_sys.m_started[0].m_strFolder, Medium("\\apps"));
    EXPECT_EQ(m_sys.m_started[1].m_strCommandLine,
              "msiexec.exe /i \"" + Medium("\\apps\\pkg.msi") + "\" /qn /norestart /l*v \"" + Medium("\\L.pkg.log") + '"');
    ASSERT_EQ(m_log.size(), 2u);
    EXPECT_EQ(Fields(0), (std::vector<std::string>{"memo", "install", "NSIS", Medium("\\apps\\memo.exe /S /D=C:\\Memo"),
                                                   "exit 0", "installed", "copied 1 of 1", "0"}));
    EXPECT_EQ(Fields(1)[2], "Windows Installer");
    EXPECT_EQ(Fields(1)[5], "installed");
    EXPECT_EQ(Fields(1)[7], "0");
    // The copy was made after the set-up.
    std::string strCopied;
    EXPECT_TRUE(m_sys.ReadFile(m_program.File("memo.txt"), strCopied));

    m_sys.m_started.clear();
    EXPECT_EQ(Run({"/install:memo,pkg", "/quiet"}), kUnattendedSuccess);
    EXPECT_TRUE(m_sys.m_started.empty());
    ASSERT_EQ(m_log.size(), 2u);
    EXPECT_EQ(Fields(0), (std::vector<std::string>{"memo", "install", "-", "-", "skipped", "installed", "-", "0"}));
}

TEST_F(Unattended, ExitCodesOfTheWholeRun)
{
    const struct
    {
        std::vector<std::string> args;
        uint32_t nExitCode;
        bool bEffects;
        int nRunCode;
        std::size_t nStarted;
    } cases[] = {
        // Each code as the table above maps it; the whole run takes the most severe.
        {{"/install:memo,pkg", "/quiet"}, 1641, false, kUnattendedRestarting, 2},
        {{"/install:memo", "/quiet"}, 1, false, kUnattendedCancelled, 1},  // NSIS's cancel
        // Ended well, but the entry does not read as installed.
        {{"/install:memo", "/quiet"}, 0, false, kUnattendedFailed, 1},
        // No silent form for a set-up of unknown kind: not started, the others still run.
        {{"/install:odd,memo", "/passive"}, 0, true, kUnattendedFailed, 1},
        // As clicks would run them, the kind does not matter.
        {{"/install:odd"}, 0, true, kUnattendedSuccess, 1},
        {{"/install:nosuch,memo", "/quiet"}, 0, true, kUnattendedBadCommandLine, 0},
        // Every entry not installed: "*".
        {{"/install:*", "/quiet"}, 0, true, kUnattendedFailed, 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args[0] + " exit " + std::to_string(c.nExitCode));
        for (const char* pszKey : {kMemoKey, kPkgKey, kOddKey})
            m_sys.RemoveRegKey(CSystem::ERoot::LocalMachine, pszKey);
        m_sys.m_started.clear();
        m_nExitCode = c.nExitCode;
        m_bEffects = c.bEffects;
        EXPECT_EQ(Run(c.args), c.nRunCode);
        EXPECT_EQ(m_sys.m_started.size(), c.nStarted);
    }
    EXPECT_EQ(m_log.back().find("no such entry"), std::string::npos);
    EXPECT_NE(m_log[2].find("no silent form"), std::string::npos) << m_log[2];
}

TEST_F(Unattended, RemovalsInTheirSilentForms)
{
    const std::string strUninstaller = '"' + m_program.File("uninstall.exe") + '"';
    const struct
    {
        const char* pszEntry;
        const char* pszKey;
        std::string strUninstall;
        const char* pszQuiet;
        std::string strStarted;  // "" when nothing may start
        const char* pszHow;
    } cases[] = {
        // The set-up's own quiet form comes first.
        {"memo.app", kMemoKey, strUninstaller, "\"C:\\Memo\\remove.exe\" --silent", "\"C:\\Memo\\remove.exe\" --silent",
         "QuietUninstallString"},
        // NSIS's uninstaller: "_?=" stays last.
        {"memo.app", kMemoKey, strUninstaller + " _?=C:\\Memo", nullptr, strUninstaller + " /S _?=C:\\Memo", "NSIS"},
        // Its log is its own, apart from a set-up's of the same entry.
        {"pkg.app", kPkgKey, "MsiExec.exe /I{PKG}", nullptr,
         "MsiExec.exe /X{PKG} /qn /norestart /l*v \"C:\\Logs\\k.log.pkg.uninstall.log\"", "Windows Installer"},
        {"pkg.app", kPkgKey, "msiexec /x{PKG} /qb", nullptr,
         "MsiExec.exe /X{PKG} /qn /norestart /l*v \"C:\\Logs\\k.log.pkg.uninstall.log\"", "Windows Installer"},
        {"pkg.app", kPkgKey, "MsiExec.exe /qb", nullptr, "", "unknown"},
        {"odd.app", kOddKey, Medium("\\apps\\odd.exe"), nullptr, "", "unknown"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.strUninstall);
        Register(c.pszEntry, c.pszKey, c.strUninstall, c.pszQuiet);
        m_sys.m_started.clear();
        const std::string strName = std::string(c.pszEntry).substr(0, std::string(c.pszEntry).size() - 4);
        Run({"/uninstall:" + strName, "/quiet", "/norestart", "/log:C:\\Logs\\k.log"});
        ASSERT_EQ(m_sys.m_started.size(), c.strStarted.empty() ? 0u : 1u) << (m_log.empty() ? "" : m_log[0]);
        if (!c.strStarted.empty())
        {
            EXPECT_EQ(m_sys.m_started[0].m_strCommandLine, c.strStarted);
            EXPECT_TRUE(m_sys.m_started[0].m_bDetached);
        }
        ASSERT_EQ(m_log.size(), 1u);
        EXPECT_NE(m_log[0].find(c.pszHow), std::string::npos) << m_log[0];
        EXPECT_EQ(Fields(0)[2], c.pszHow);
        EXPECT_EQ(Fields(0)[7], c.strStarted.empty() ? "1603" : "0");
        m_sys.RemoveRegKey(CSystem::ERoot::LocalMachine, c.pszKey);
        m_sys.RemoveRegKey(CSystem::ERoot::LocalMachine, std::string(kUninstall) + c.pszEntry);
    }
}

TEST_F(Unattended, TheMediumsOwnFormsComeFirst)
{
    Register("odd.app", kOddKey, "C:\\Odd\\remove.exe");
    const std::string strUnattend = "[odd]\r\nsetup=odd.exe --quiet\r\nuninstall=%DIRECT_FROM_CD%=\\apps\\odd.exe --remove\r\n";
    Run({"/uninstall:odd", "/install:odd", "/quiet"}, strUnattend);
    // The removal first, then the set-up: a line that sets an entry up afresh.
    ASSERT_EQ(m_sys.m_started.size(), 2u) << m_log.size() << ": " << (m_log.empty() ? "" : m_log.back());
    EXPECT_EQ(m_sys.m_started[0].m_strCommandLine, Medium("\\apps\\odd.exe --remove"));
    EXPECT_EQ(m_sys.m_started[1].m_strCommandLine, Medium("\\apps\\odd.exe --quiet"));
    EXPECT_NE(m_log[0].find("unattend.ini"), std::string::npos);
}

TEST_F(Unattended, APlanChangesNothingAndNamesEachCommand)
{
    Register("memo.app", kMemoKey, '"' + m_program.File("uninstall.exe") + '"');
    EXPECT_EQ(Run({"/plan", "/quiet", "/install:memo,pkg,odd"}), kUnattendedSuccess);
    EXPECT_TRUE(m_sys.m_started.empty());
    std::string strPlan;
    for (const std::string& strLine : m_log)
        strPlan += strLine + "\n";
    // The state with the checks behind it, and the line that would run.
    EXPECT_NE(strPlan.find("memo: installed\n"), std::string::npos) << strPlan;
    EXPECT_NE(strPlan.find(std::string(kMemoKey) + " (HKLM): found"), std::string::npos) << strPlan;
    EXPECT_NE(strPlan.find("install: skipped"), std::string::npos) << strPlan;
    EXPECT_NE(strPlan.find("pkg: not installed\n"), std::string::npos) << strPlan;
    EXPECT_NE(strPlan.find("install (Windows Installer): msiexec.exe /i \"" + Medium("\\apps\\pkg.msi") + "\" /qn\n"),
              std::string::npos)
        << strPlan;
    EXPECT_NE(strPlan.find("install (unknown): would not start"), std::string::npos) << strPlan;

    // Without names: every entry, and what its button would do.
    Run({"/plan"});
    strPlan.clear();
    for (const std::string& strLine : m_log)
        strPlan += strLine + "\n";
    EXPECT_NE(strPlan.find("uninstall (as the button starts it): \"" + m_program.File("uninstall.exe") + "\""),
              std::string::npos)
        << strPlan;
    EXPECT_NE(strPlan.find("install (as the button starts it): " + Medium("\\apps\\odd.exe")), std::string::npos)
        << strPlan;
    EXPECT_TRUE(m_sys.m_started.empty());
}
