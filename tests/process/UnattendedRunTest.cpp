// korvelt.exe started by an administrator's command line on real media: the sample medium's NSIS
// set-ups, a Windows Installer package, an NSIS set-up with pages and a stand-in that asks for a
// restart. Each case starts the launcher and reads its exit code, its log, its output and the
// registry afterwards.
#include "tests/support/EntryBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr const char* kMemoKey = "Software\\Korvelt\\Samples\\Memo";
constexpr const char* kKakeiboKey = "Software\\Korvelt\\Samples\\Kakeibo\\2.0";
constexpr const char* kPackageKey = "Software\\KorveltPackageTest";
constexpr const char* kPagesKey = "Software\\KorveltPagesTest";
constexpr const char* kRestartKey = "Software\\KorveltRestartTest";

// In either registry view: the sample set-ups write to both.
bool KeyExists(HKEY hRoot, const char* pszKey)
{
    for (REGSAM view : {REGSAM{KEY_WOW64_32KEY}, REGSAM{KEY_WOW64_64KEY}})
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ | view, &hKey) == ERROR_SUCCESS)
        {
            RegCloseKey(hKey);
            return true;
        }
    }
    return false;
}

// A path of the build tree, with Windows's separators.
std::string BuildPath(const char* pszPath)
{
    std::string strPath = pszPath;
    for (char& ch : strPath)
        if (ch == '/')
            ch = '\\';
    return strPath;
}

struct CLaunch
{
    DWORD dwExitCode = 0xFFFFFFFF;
    std::string strOutput;
};

// A launcher started in strMedium with its output into a pipe.
struct CRunning
{
    HANDLE hProcess = nullptr;
    HANDLE hRead = nullptr;
};

CRunning StartLauncher(const std::string& strMedium, const std::string& strArguments)
{
    CRunning running;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE hWrite = nullptr;
    if (!CreatePipe(&running.hRead, &hWrite, &sa, 0))
        return running;
    SetHandleInformation(running.hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::string strLine = "\"" + strMedium + "\\korvelt.exe\" " + strArguments;
    if (CreateProcessA(nullptr, &strLine[0], nullptr, nullptr, TRUE, 0, nullptr, strMedium.c_str(), &si, &pi))
    {
        CloseHandle(pi.hThread);
        running.hProcess = pi.hProcess;
    }
    CloseHandle(hWrite);
    return running;
}

// Reads what it prints until it ends, and its exit code.
CLaunch FinishLauncher(CRunning running)
{
    CLaunch launch;
    if (running.hProcess != nullptr)
    {
        char buffer[4096];
        DWORD dwRead = 0;
        while (ReadFile(running.hRead, buffer, sizeof buffer, &dwRead, nullptr) && dwRead > 0)
            launch.strOutput.append(buffer, dwRead);
        // A set-up that waits on its pages would keep the launcher: a generous limit, then a failure.
        if (WaitForSingleObject(running.hProcess, 180000) == WAIT_OBJECT_0)
            GetExitCodeProcess(running.hProcess, &launch.dwExitCode);
        else
            TerminateProcess(running.hProcess, 1);
        CloseHandle(running.hProcess);
    }
    if (running.hRead != nullptr)
        CloseHandle(running.hRead);
    return launch;
}

CLaunch RunLauncher(const std::string& strMedium, const std::string& strArguments)
{
    return FinishLauncher(StartLauncher(strMedium, strArguments));
}

// Whether an unattended run works now: it holds its mutex.
bool UnattendedRunWorks()
{
    HANDLE hMutex = OpenMutexA(SYNCHRONIZE, FALSE, "Korvelt.UnattendedRun");
    if (hMutex == nullptr)
        return false;
    CloseHandle(hMutex);
    return true;
}

std::string ReadText(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int CountLines(const std::string& strText)
{
    int nLines = 0;
    for (char ch : strText)
        nLines += ch == '\n' ? 1 : 0;
    return nLines;
}

// The log's line for an entry that ends the log; its fields after the time.
std::string LastLineOf(const std::string& strLog, const std::string& strEntry)
{
    const std::size_t nAt = strLog.rfind("\t" + strEntry + "\t");
    if (nAt == std::string::npos)
        return std::string();
    return strLog.substr(nAt + 1, strLog.find('\r', nAt) - nAt - 1);
}

class UnattendedRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (HKEY hRoot : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            for (const char* pszKey : {kMemoKey, kKakeiboKey, kPackageKey, kPagesKey, kRestartKey})
                ASSERT_FALSE(KeyExists(hRoot, pszKey)) << pszKey << " is left from an earlier run";
    }
    void TearDown() override
    {
        // Whatever a failed case left installed goes, so that no later case finds it.
        RunLauncher(m_medium.Path().string(), "/uninstall:memo,kakeibo /quiet");
        RunLauncher(m_built.Path().string(), "/uninstall:pkg /quiet");
        RegDeleteKeyA(HKEY_CURRENT_USER, kPagesKey);  // a key of the current user has one view
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kRestartKey);
    }

    // The staged sample medium, copied whole.
    std::string SampleMedium()
    {
        const std::string strFrom = BuildPath(KORVELT_SAMPLE_MEDIUM);
        std::string strCommand = "xcopy /e /i /q /y \"" + strFrom + "\" \"" + m_medium.Path().string() + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        {
            WaitForSingleObject(pi.hProcess, 120000);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        return m_medium.Path().string();
    }

    // A medium of three entries: a package, an NSIS set-up with pages, a stand-in that asks for a
    // restart (whose kind only the medium's unattend.ini knows).
    std::string BuiltMedium()
    {
        const std::string strDir = m_built.Path().string();
        for (const char* pszFile : {"korvelt.exe", "tarven.dll", "KORVELT.MSG"})
            CopyFileA((BuildPath(KORVELT_SAMPLE_MEDIUM) + "\\" + pszFile).c_str(), (strDir + "\\" + pszFile).c_str(), FALSE);
        for (const char* pszFolder : {"korvelt", "apps", "apps\\pkg", "apps\\pages", "apps\\restart"})
            m_built.MakeFolder(pszFolder);
        CopyFileA(BuildPath(KORVELT_TEST_PACKAGE).c_str(), (strDir + "\\apps\\pkg\\package.msi").c_str(), FALSE);
        CopyFileA(BuildPath(KORVELT_PAGES_SETUP).c_str(), (strDir + "\\apps\\pages\\setup.exe").c_str(), FALSE);
        CopyFileA(BuildPath(KORVELT_STANDIN_SETUP).c_str(), (strDir + "\\apps\\restart\\setup.exe").c_str(), FALSE);
        const auto entry = [](const char* pszName, const char* pszDir, const char* pszSetup, const char* pszKey) {
            return CEntryFields{{{"m_strFileName", pszName}, {"m_strTitle", pszName}, {"m_strSetupDir", pszDir},
                                 {"m_strSetupCommand", pszSetup}, {"m_strCheckKey", pszKey},
                                 {"m_strUninstallKey", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
                                 {"m_strDisplayName", "Korvelt Package Test"}},
                                {{"m_nCheckType", 0}, {"m_bCanUninstall", 1}, {"m_nUninstallType", 0},
                                 {"m_bSearchUninstallKey", 1}}};
        };
        WriteCatalogFolder(m_built, "korvelt",
                           {entry("pkg.app", "\\apps\\pkg", "package.msi", kPackageKey),
                            entry("pages.app", "\\apps\\pages", "setup.exe", kPagesKey),
                            entry("restart.app", "\\apps\\restart", "setup.exe", kRestartKey)});
        m_built.Write("korvelt/unattend.ini",
                      "; the stand-in's kind is its own\r\n[restart]\r\nsetup=setup.exe /key Software\\KorveltRestartTest "
                      "/delay 3000 /exit 3010\r\n");
        return strDir;
    }

    CTempDir m_medium;
    CTempDir m_built;
};

} // namespace

TEST_F(UnattendedRun, SampleMedium_InstallsSkipsPlansAndRemoves)
{
    const std::string strMedium = SampleMedium();
    const std::string strLog = m_medium.File("run.log");
    const struct
    {
        const char* pszArguments;
        DWORD dwExitCode;
        bool bMemoAfter;
        bool bKakeiboAfter;
        int nLogLines;          // lines the log has gained
        const char* pszInLog;   // in the log's new lines
        const char* pszOutput;  // in what the launcher printed; "" for nothing
    } cases[] = {
        // The window shows, works through the row and closes by itself.
        {"/install:memo /passive /log:LOG", 0, true, false, 1, "\tmemo\tinstall\tNSIS\t", ""},
        {"/install:memo,kakeibo /quiet /log:LOG", 0, true, true, 2, "\tkakeibo\tinstall\tNSIS\t", ""},
        {"/install:MEMO,kakeibo /quiet /log:LOG", 0, true, true, 2, "\tskipped\tinstalled\t", ""},
        {"/plan /quiet /install:memo /uninstall:kakeibo", 0, true, true, 0, "",
         "uninstall (NSIS): \"C:\\Program Files\\Korvelt Samples\\Kakeibo 2.0\\uninstall.exe\" /S"},
        {"/install:memo,nosuch /quiet /log:LOG", 87, true, true, 1, "no such entry: nosuch", ""},
        {"/install:memo /quiet /bogus", 87, true, true, 0, "", "unknown option: /bogus"},
        {"/uninstall:memo,kakeibo /quiet /log:LOG", 0, false, false, 2, "\tuninstall\tNSIS\t", ""},
    };
    for (const auto& c : cases)
    {
        std::string strArguments = c.pszArguments;
        const std::size_t nLog = strArguments.find("LOG");
        if (nLog != std::string::npos)
            strArguments.replace(nLog, 3, "\"" + strLog + "\"");
        SCOPED_TRACE(strArguments);
        const std::string strBefore = ReadText(strLog);
        const CLaunch launch = RunLauncher(strMedium, strArguments);
        EXPECT_EQ(launch.dwExitCode, c.dwExitCode) << launch.strOutput;
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kMemoKey), c.bMemoAfter);
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kKakeiboKey), c.bKakeiboAfter);
        const std::string strLogNow = ReadText(strLog);
        ASSERT_EQ(strLogNow.compare(0, strBefore.size(), strBefore), 0) << "the log was not added to";
        const std::string strAdded = strLogNow.substr(strBefore.size());
        EXPECT_EQ(CountLines(strAdded), c.nLogLines) << strAdded;
        EXPECT_NE(strAdded.find(c.pszInLog), std::string::npos) << strAdded;
        if (*c.pszOutput == '\0')
            EXPECT_EQ(launch.strOutput, "");
        else
            EXPECT_NE(launch.strOutput.find(c.pszOutput), std::string::npos) << launch.strOutput;
    }
}

TEST_F(UnattendedRun, KindsFoundInTheFiles_APackageASetUpWithPagesARestart)
{
    const std::string strMedium = BuiltMedium();
    const std::string strLog = m_built.File("run.log");
    CLaunch launch = RunLauncher(strMedium, "/install:pkg,pages /quiet /norestart /log:\"" + strLog + "\"");
    std::string strText = ReadText(strLog);
    EXPECT_EQ(launch.dwExitCode, 0u) << strText;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kPackageKey));
    // Without its /S the set-up with pages would still wait for a user.
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPagesKey));
    EXPECT_NE(LastLineOf(strText, "pkg").find("/qn /norestart /l*v \"" + strLog + ".pkg.log\"\texit 0\tinstalled"),
              std::string::npos)
        << strText;
    EXPECT_NE(LastLineOf(strText, "pages").find("setup.exe /S\texit 0\tinstalled"), std::string::npos) << strText;
    // The package's own log lies beside the run's.
    EXPECT_NE(GetFileAttributesA((strLog + ".pkg.log").c_str()), INVALID_FILE_ATTRIBUTES);

    // The stand-in says a restart is needed: the run says so too. While it works, a second run
    // ends at once, and says why.
    const CRunning first = StartLauncher(strMedium, "/install:restart /quiet /log:\"" + strLog + "\"");
    for (DWORD dwWaited = 0; !UnattendedRunWorks() && dwWaited < 60000; dwWaited += 50)
        Sleep(50);
    launch = RunLauncher(strMedium, "/uninstall:pkg /quiet");
    EXPECT_EQ(launch.dwExitCode, 1618u);
    EXPECT_NE(launch.strOutput.find("another unattended run is working"), std::string::npos) << launch.strOutput;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kPackageKey));
    launch = FinishLauncher(first);
    strText = ReadText(strLog);
    EXPECT_EQ(launch.dwExitCode, 3010u) << strText;
    EXPECT_NE(LastLineOf(strText, "restart").find("unattend.ini"), std::string::npos) << strText;

    // The package goes through msiexec's removal, silent.
    launch = RunLauncher(strMedium, "/uninstall:pkg /quiet /log:\"" + strLog + "\"");
    strText = ReadText(strLog);
    EXPECT_EQ(launch.dwExitCode, 0u) << strText;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kPackageKey));
    EXPECT_NE(LastLineOf(strText, "pkg").find("/qn"), std::string::npos) << strText;
}
