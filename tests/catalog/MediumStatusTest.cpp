// `status` over the host system: each kind of evidence comes from the checks' own calls, and the
// commands are the ones a click would start.
#include "sys/HostSystem.h"
#include "tests/support/EntryBuilder.h"
#include "tests/support/TempDir.h"
#include "tools/korvelt-catalog/EvidenceRecorder.h"
#include "utils/FileTimeText.h"
#include "tools/korvelt-catalog/MediumStatus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using ERoot = CSystem::ERoot;
using ERegView = CSystem::ERegView;
using json = nlohmann::ordered_json;

class MediumStatusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sys.m_strWindowsDirectory = m_dir.File("WINDOWS");
        m_sys.m_strCommonPrograms = m_dir.File("common");
        m_sys.m_strPrograms = m_dir.File("user");
        m_sys.m_bWow64 = true;
        fs::create_directories(m_dir.Path() / "common" / "Vendor");
        fs::create_directories(m_dir.Path() / "korvelt");
        fs::create_directories(m_dir.Path() / "Program Files" / "B");
        SetTheSystem(&m_sys);
    }
    void TearDown() override { SetTheSystem(nullptr); }

    CTempDir m_dir;
    CHostSystem m_sys;
};

TEST_F(MediumStatusTest, EachAnswer_NamesWhatDecidedIt)
{
    const std::string strUninstaller = m_dir.Write("Program Files/B/uninst.exe", "x");
    const std::string strReleaseFile = m_dir.Write("release.dat", "x");
    m_dir.Write("common/Vendor/C.lnk", "x");
    m_sys.AddRegKey(ERoot::CurrentUser, "Software\\B", ERegView::Other);
    m_sys.SetRegString(ERoot::CurrentUser, "Software\\B", "UninstallString", strUninstaller + " /S", ERegView::Other);
    m_sys.AddRegKey(ERoot::LocalMachine, "Software\\Old");
    m_sys.SetRegString(ERoot::CurrentUser, "Software\\Uninstall\\{X}", "DisplayName", "Old");
    m_sys.SetRegString(ERoot::CurrentUser, "Software\\Uninstall\\{X}", "UninstallString", "old.exe");
    WriteCatalogFolder(m_dir, "korvelt", {
        {{{"m_strCheckKey", "Software\\B %OS%=95"}}, {{"m_bCanUninstall", 1}}},
        {{{"m_strCheckKey", "Software\\B"}, {"m_strUninstallKey", "Software\\B"}}, {{"m_bCanUninstall", 1}}},
        {{{"m_strCheckFile", "Vendor\\C.lnk"}, {"m_strUninstallCommand", "Vendor\\C.lnk"}},
         {{"m_nCheckType", 1}, {"m_bCanUninstall", 1}, {"m_nUninstallType", 1}}},
        {{{"m_strPrevCheckKey", "Software\\Old"}, {"m_strPrevReleaseDate", "2107/12/31"},
          {"m_strPrevReleaseFile", strReleaseFile}, {"m_strPrevUninstallKey", "Software\\Uninstall"},
          {"m_strPrevDisplayName", "Old"}},
         {{"m_bHasPrevRelease", 1}, {"m_bPrevSearchUninstallKey", 1}, {"m_bCanUninstall", 1}}},
        {{{"m_strPrevReleaseDate", "2108/1/1"}, {"m_strSetupDir", "\\apps\\e"}, {"m_strSetupCommand", "setup.exe"}},
         {{"m_bHasPrevRelease", 1}, {"m_nCheckType", 2}}},
    });
    const std::string strMedium = m_dir.Path().string();
    const json status = CMediumStatus(strMedium).Evaluate();
    const json& entries = status["entries"];
    ASSERT_EQ(entries.size(), 5u);

    const struct
    {
        const char* pszPointer;
        json expected;
    } kAnswers[] = {
        {"/0/status", nullptr},
        {"/0/checks/installed/1/qualifier", "95/98"},
        {"/0/checks/installed/1/excluded", true},
        {"/0/buttons/setup", true},
        {"/1/status/message", 14},
        {"/1/checks/installed/4", {{"key", "Software\\B"}, {"root", "HKEY_CURRENT_USER"}, {"view", "64-bit"}, {"exists", true}}},
        {"/1/buttons", {{"setup", false}, {"uninstall", true}, {"textFile", false}}},
        {"/1/removal/commandLine", "\"" + strUninstaller + "\" /S"},
        {"/1/removal/from/uninstallString/4/uninstallString", strUninstaller + " /S"},
        {"/2/checks/installed/2/startMenu", "common Programs"},
        {"/2/checks/installed/2/exists", true},
        {"/2/removal/commandLine", "cmd /c \"" + m_sys.m_strCommonPrograms + "\\Vendor\\C.lnk\""},
        {"/2/removal/from/uninstallPath/1/exists", true},
        {"/3/status/message", 15},
        {"/3/checks/previousRelease/0/older", true},
        {"/3/removal/release", "previous"},
        {"/3/removal/from/uninstallString/0/found", "Software\\Uninstall\\{X}"},
        {"/3/removal/from/uninstallString/0/root", "HKEY_CURRENT_USER"},
        {"/3/removal/commandLine", "old.exe"},
        {"/4/checks/previousRelease/0/validDate", false},
        {"/4/checks/installed/0/check", "none"},
        // The medium's folder stands for its root.
        {"/4/setup", {{"commandLine", strMedium + "\\apps\\e\\setup.exe"}, {"folder", strMedium + "\\apps\\e"}}},
        {"/4/removal", nullptr},
    };
    for (const auto& answer : kAnswers)
        EXPECT_EQ(entries[json::json_pointer(answer.pszPointer)], answer.expected) << answer.pszPointer;

    std::ostringstream text;
    CMediumStatus::WriteText(status, text);
    for (const char* pszLine : {"  installed check, registry key (type 0):\n    Software\\B: %OS%=95/98 excludes it here\n",
                                "    Software\\B (HKEY_CURRENT_USER, 64-bit view): found\n",
                                "  installed check, type 2 is no check; the installed flag stays as stored\n"})
        EXPECT_NE(text.str().find(pszLine), std::string::npos) << pszLine << text.str();
}

TEST(FileTimeText, IsTheCivilDate)
{
    const struct
    {
        uint64_t nFileTime;
        const char* pszText;
    } kTimes[] = {
        {0, "1601/01/01 00:00:00"},
        {125911584000000000ull, "2000/01/01 00:00:00"},
        {125962560000000000ull + 45296ull * 10000000ull, "2000/02/29 12:34:56"},
        {159992927940000000ull, "2107/12/31 23:59:54"},
    };
    for (const auto& time : kTimes)
        EXPECT_EQ(FileTimeText(time.nFileTime), time.pszText) << time.nFileTime;
}

} // namespace
