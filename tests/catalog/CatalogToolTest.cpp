// The authoring tool as a medium maker runs it: build and dump round trips, message and exit
// status of dump, the medium check on the sample medium, the source's schema against what build
// accepts, and a new medium.
#include "tests/catalog/CatalogBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kSource = KORVELT_SOURCE_DIR;
const std::string kSampleMedium = kSource + "/examples/medium";

struct CRun
{
    int nStatus;
    std::string strOut;
    std::string strErr;
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What a case puts in the tool's way: a folder for a name with a final "/", else a file of these
// bytes, its folders made first. Its path.
fs::path PutInTheWay(const CTempDir& dir, const std::string& strName, const std::string& strBytes)
{
    const fs::path path = dir.Path() / strName;
    const bool bFolder = strName.back() == '/';
    fs::create_directories(bFolder ? path : path.parent_path());
    if (!bFolder)
        dir.Write(strName, strBytes);
    return path;
}

class CatalogToolTest : public ::testing::Test
{
protected:
    CRun Tool(const std::string& strArguments)
    {
        const std::string strOut = m_dir.File("tool.out");
        const std::string strErr = m_dir.File("tool.err");
        const std::string strCommand =
            "'" KORVELT_CATALOG_TOOL "' " + strArguments + " >'" + strOut + "' 2>'" + strErr + "'";
        const int nRaw = std::system(strCommand.c_str());
        const int nStatus = WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1;
        return {nStatus, ReadAll(strOut), ReadAll(strErr)};
    }
    std::string Folder(const std::string& strName)
    {
        fs::create_directories(m_dir.Path() / strName);
        return m_dir.File(strName);
    }
    static std::string Quote(const std::string& s) { return "'" + s + "'"; }

    CTempDir m_dir;
};

// A source entry against its dump: given keys come back as given, the rest empty or 0.
void ExpectSameEntry(const nlohmann::json& source, const nlohmann::json& dumped)
{
    for (const auto& item : dumped.items())
    {
        if (source.contains(item.key()))
        {
            EXPECT_EQ(item.value(), source[item.key()]) << item.key();
        }
        else if (item.key() != "m_strFileName")
        {
            EXPECT_TRUE(item.value() == "" || item.value() == 0) << item.key();
        }
    }
    for (const auto& item : source.items())
        EXPECT_TRUE(dumped.contains(item.key())) << item.key();
}

TEST_F(CatalogToolTest, BuildThenDump_GivesTheSampleSourceBack)
{
    const std::string strDir = Folder("built");
    ASSERT_EQ(Tool("build " + Quote(kSampleMedium + "/catalog.json") + " " + Quote(strDir)).nStatus, 0);
    const CRun dump = Tool("dump " + Quote(strDir));
    ASSERT_EQ(dump.nStatus, 0) << dump.strErr;
    EXPECT_EQ(dump.strErr, "");

    const nlohmann::json source = nlohmann::json::parse(ReadAll(kSampleMedium + "/catalog.json"));
    const nlohmann::json dumped = nlohmann::json::parse(dump.strOut);
    ASSERT_EQ(dumped["entries"].size(), source["entries"].size());
    ASSERT_GE(source["entries"].size(), 4u);
    for (std::size_t i = 0; i < source["entries"].size(); ++i)
    {
        SCOPED_TRACE(i);
        ExpectSameEntry(source["entries"][i], dumped["entries"][i]);
        EXPECT_EQ(dumped["entries"][i].size(), 33u);
    }

    // The committed sample catalogue is what the script would build from the same source.
    for (const auto& file : fs::directory_iterator(strDir))
        EXPECT_EQ(ReadAll(file.path()), ReadAll(kSampleMedium + "/korvelt/" + file.path().filename().string()))
            << file.path().filename() << " differs; run tools/build-sample-catalog.sh";
}

TEST_F(CatalogToolTest, Build_MissingKeysMeanEmptyOrZeroAndNamesAreMadeUp)
{
    const std::string strDir = Folder("built");
    m_dir.Write("src.json", R"({"entries": [{"m_strTitle": "一つ目", "m_nCheckType": -3}, {}]})");
    ASSERT_EQ(Tool("build " + Quote(m_dir.File("src.json")) + " " + Quote(strDir)).nStatus, 0);
    EXPECT_EQ(ReadAll(strDir + "/appdb.dat"), IndexBytes(2, {"entry1.app", "entry2.app"}));
    // "一つ目" in code page 932, then -3 as field 7.
    const std::string strFirst = ReadAll(strDir + "/entry1.app");
    EXPECT_EQ(strFirst.substr(0, 7), "\x06\x88\xEA\x82\xC2\x96\xDA");
    EXPECT_EQ(strFirst.substr(12, 4), Le32(0xFFFFFFFD));
    EXPECT_EQ(ReadAll(strDir + "/entry2.app"), EntryBytes(""));
}

struct CBadSource
{
    const char* pszJson;
    const char* pszExpectedInError;
};

const CBadSource kBadSources[] = {
    {R"({"entries": [{}, {"m_strFileName": "b.app", "m_strTitle": "café"}]})", "entry 2 (b.app), m_strTitle"},
    {R"({"entries": [{"m_strUninstallNotice": "😀"}]})", "entry 1, m_strUninstallNotice"},
    {R"({"entries": [{"m_strTitel": "x"}]})", "m_strTitel: unknown key"},
    {R"({"entries": [{"m_nCheckType": "0"}]})", "m_nCheckType: not an integer"},
    {R"({"entries": [{"m_bCanUninstall": 4294967296}]})", "m_bCanUninstall: outside"},
    {R"({"entries": [{"m_strFileName": "..\\x.app"}]})", "not a plain file name"},
    {R"({"entries": [{"m_strFileName": "a.app"}, {"m_strFileName": "a.app"}]})", "entry 2 (a.app), m_strFileName"},
    {R"({"entries": [{"m_nCheckType": 18446744073709551615}]})", "m_nCheckType: outside"},
    {R"({"entries": [{"m_strFileName": "A.APP"}, {"m_strFileName": "a.app"}]})", "entry 2 (a.app), m_strFileName: already"},
    {R"({"entries": [{"m_strFileName": "entry2.app"}, {}]})", "entry 2, m_strFileName: entry2.app, made up"},
    {R"({"entries": [{"m_strFileName": "AppDB.dat"}]})", "m_strFileName: the name of the catalogue's index"},
    {R"({"entries": [{"m_strFileName": "Com1.app"}]})", "m_strFileName: a device name"},
    {R"({"entries": [{"m_strFileName": "x.app."}]})", "m_strFileName: not a plain file name"},
    {R"({"list": []})", "\"entries\" array"},
    {R"({"entries": [)", "parse error"},
};

TEST_F(CatalogToolTest, Build_BadSource_FailsNamingTheProblemAndWritesNoIndex)
{
    for (const CBadSource& c : kBadSources)
    {
        SCOPED_TRACE(c.pszJson);
        const std::string strDir = Folder("bad");
        m_dir.Write("bad.json", c.pszJson);
        const CRun run = Tool("build " + Quote(m_dir.File("bad.json")) + " " + Quote(strDir));
        EXPECT_EQ(run.nStatus, 2);
        EXPECT_NE(run.strErr.find(c.pszExpectedInError), std::string::npos) << run.strErr;
        EXPECT_FALSE(fs::exists(strDir + "/appdb.dat"));
    }
}

// Output folders as a medium maker names them, inside the test's folder. A failure's message
// ends in the path, written with the host's separator.
struct COutputFolder
{
    const char* pszDir;
    const char* pszInTheWay;  // made before the run: a file, or with a final "/" a folder
    const char* pszError;     // in the message, or null when the build succeeds
};

const COutputFolder kOutputFolders[] = {
    {"out", nullptr, nullptr},
    {"new/deeper/out", nullptr, nullptr},
    {"taken/out", "taken", "/taken/out: "},
    {"out", "out/memo.app/", "/out/memo.app\n"},
};

TEST_F(CatalogToolTest, Build_OutputFolder_IsMadeWithItsParents)
{
    for (const COutputFolder& c : kOutputFolders)
    {
        SCOPED_TRACE(c.pszDir);
        CTempDir dir;
        if (c.pszInTheWay)
            PutInTheWay(dir, c.pszInTheWay, "x");
        const std::string strDir = dir.File(c.pszDir);
        const CRun run = Tool("build " + Quote(kSampleMedium + "/catalog.json") + " " + Quote(strDir));
        EXPECT_EQ(run.nStatus, c.pszError ? 2 : 0) << run.strErr;
        EXPECT_EQ(fs::exists(strDir + "/appdb.dat"), c.pszError == nullptr);
        EXPECT_NE(run.strErr.find(c.pszError ? c.pszError : ""), std::string::npos) << run.strErr;
        if (!c.pszError)
        {
            EXPECT_EQ(run.strErr, "");
        }
    }
}

TEST_F(CatalogToolTest, Dump_Outcomes)
{
    const std::string strDir = Folder("cat");
    EXPECT_EQ(Tool("dump " + Quote(strDir)).nStatus, 1);

    // Bytes after the last name: message 94 with its text, and the catalogue still loads.
    m_dir.Write("cat/a", EntryBytes("A"));
    m_dir.Write("cat/appdb.dat", IndexBytes(1, {"a"}) + "x");
    CRun run = Tool("dump --messages " + Quote(kSampleMedium + "/KORVELT.MSG") + " " + Quote(strDir));
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_EQ(run.strErr, "message 94 アプリケーションの一覧を読み込めませんでした。\n");
    EXPECT_EQ(nlohmann::json::parse(run.strOut)["entries"][0]["m_strTitle"], "A");

    run = Tool("dump " + Quote(strDir));
    EXPECT_EQ(run.strErr, "message 94\n");

    // An entry that ends early is a read exception.
    m_dir.Write("cat/appdb.dat", IndexBytes(1, {"a"}));
    m_dir.Write("cat/a", Str("A"));
    run = Tool("dump " + Quote(strDir));
    EXPECT_EQ(run.nStatus, 2);
    EXPECT_EQ(run.strOut, "");

    // The UTF-16 form of a string comes out as UTF-8.
    m_dir.Write("cat/a", std::string("\xFF\xFE\xFF\x02\xE5\x65\x2C\x67", 8) + EntryBytes("").substr(1));
    run = Tool("dump " + Quote(strDir));
    ASSERT_EQ(run.nStatus, 0);
    EXPECT_EQ(nlohmann::json::parse(run.strOut)["entries"][0]["m_strTitle"], "日本");

    EXPECT_EQ(Tool("dump").nStatus, 2);
    EXPECT_EQ(Tool("dump --bogus " + Quote(strDir)).nStatus, 2);
    EXPECT_EQ(Tool("frobnicate").nStatus, 2);
}

// The sample medium as staging lays it out: the launcher at its top (where autorun.inf starts it),
// a set-up program in each apps/<name>/.
void StageMedium(const fs::path& target)
{
    fs::copy(kSampleMedium, target, fs::copy_options::recursive);
    std::ofstream(target / "korvelt.exe") << "MZ";
    for (const char* pszApp : {"memo", "viewer", "kakeibo", "fonts"})
    {
        fs::create_directories(target / "apps" / pszApp);
        std::ofstream(target / "apps" / pszApp / "setup.exe") << "MZ";
    }
}

TEST_F(CatalogToolTest, Check_StagedSampleMedium_HasNoProblems)
{
    StageMedium(m_dir.Path() / "medium");
    const CRun run = Tool("check " + Quote(m_dir.File("medium")));
    EXPECT_EQ(run.strOut, "");
    EXPECT_EQ(run.nStatus, 0);
}

TEST_F(CatalogToolTest, Check_ReportsEveryProblemOnALine)
{
    const fs::path medium = m_dir.Path() / "medium";
    StageMedium(medium);
    fs::remove(medium / "apps" / "viewer" / "setup.exe");
    std::ofstream(medium / "apps" / "kakeibo" / "setup.exe", std::ios::binary) << "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    std::ofstream(medium / "apps" / "fonts" / "setup.exe") << "echo not a program";
    fs::remove(medium / "korvelt" / "fonts.txt");
    fs::remove(medium / "korvelt" / "instttl.bmp");
    std::ofstream(medium / "korvelt" / "instapp.bmp") << "P6 not a bitmap";
    std::ofstream(medium / "autorun.inf", std::ios::binary) << "[Other]\r\nopen=elsewhere.exe\r\n[AutoRun]\r\n"
                                                               "OPEN = setup /s\r\nicon=art\\disc.ico,1\r\nicon=korvelt.exe,0\r\n";
    // Entry 1's copy list: the launcher copies its first and last line and skips the rest.
    nlohmann::json source = nlohmann::json::parse(ReadAll(kSampleMedium + "/catalog.json"));
    source["entries"][0]["m_strPostInstallCopyList"] =
        "\\korvelt\\memo.txt>C:\\Korvelt\\Memo\r\n\\korvelt\\gone.txt>C:\\Korvelt\\Memo\r\n\\..\\x.txt>C:\\App\r\n"
        "no arrow\r\n\\korvelt\\>C:\\App\n\\korvelt\\Nul.txt>C:\\App\r\n\\CON\\memo.txt>C:\\App\r\n"
        "\\korvelt\\a:b>C:\\App\r\n\\apps\\..\\..\\korvelt\\memo.txt>C:\\App\r\n\\korvelt\\memo.txt>App\r\n"
        "\\korvelt\\memo.txt>\\\\.\\C:\\App\r\n\\korvelt\\memo.txt>C:App\r\nkorvelt\\memo.txt>C:\\App";
    m_dir.Write("source.json", source.dump());
    const std::string strCatalogue = (medium / "korvelt").string();
    ASSERT_EQ(Tool("build " + Quote(m_dir.File("source.json")) + " " + Quote(strCatalogue)).nStatus, 0);
    std::ofstream(medium / "korvelt" / "appdb.dat", std::ios::app) << "x";
    std::string strMessages = ReadAll(medium / "KORVELT.MSG");
    const std::size_t nAt = strMessages.find("CATALOG_UNREADABLE=94");
    ASSERT_NE(nAt, std::string::npos);
    strMessages.replace(nAt, 21, "CATALOG_UNREADABLE=95");
    std::ofstream(medium / "KORVELT.MSG", std::ios::binary) << strMessages;

    const CRun run = Tool("check " + Quote(medium.string()));
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_EQ(run.strOut,
              "KORVELT.MSG: message 94 is not defined\n"
              "korvelt: message 94 (catalogue index or entry file unreadable)\n"
              "korvelt: entry 1 (memo.app): copy list line 2 (\"\\korvelt\\gone.txt>C:\\Korvelt\\Memo\"): the source "
              "is not on the medium\n"
              "korvelt: entry 1 (memo.app): copy list line 3 (\"\\..\\x.txt>C:\\App\"): the source leaves the medium\n"
              "korvelt: entry 1 (memo.app): copy list line 4 (\"no arrow\"): no \">\" between the source and the "
              "target folder\n"
              "korvelt: entry 1 (memo.app): copy list line 5 (\"\\korvelt\\>C:\\App\"): the source names no file\n"
              "korvelt: entry 1 (memo.app): copy list line 6 (\"\\korvelt\\Nul.txt>C:\\App\"): a device name on Windows, "
              "not a file\n"
              "korvelt: entry 1 (memo.app): copy list line 7 (\"\\CON\\memo.txt>C:\\App\"): a device name on Windows, "
              "not a file\n"
              "korvelt: entry 1 (memo.app): copy list line 8 (\"\\korvelt\\a:b>C:\\App\"): the file's name holds a \":\"\n"
              "korvelt: entry 1 (memo.app): copy list line 9 (\"\\apps\\..\\..\\korvelt\\memo.txt>C:\\App\"): the source "
              "leaves the medium\n"
              "korvelt: entry 1 (memo.app): copy list line 10 (\"\\korvelt\\memo.txt>App\"): the target folder is "
              "not a full path\n"
              "korvelt: entry 1 (memo.app): copy list line 11 (\"\\korvelt\\memo.txt>\\\\.\\C:\\App\"): the target "
              "folder is a device path (\\\\.\\ or \\\\?\\), not a folder\n"
              "korvelt: entry 1 (memo.app): copy list line 12 (\"\\korvelt\\memo.txt>C:App\"): the target folder is "
              "not a full path\n"
              "korvelt: entry 2 (viewer.app): set-up program /apps/viewer/setup.exe not found\n"
              "korvelt: entry 3 (kakeibo.app): set-up program /apps/kakeibo/setup.exe is a Windows Installer "
              "package without the name of one (.msi, .msp)\n"
              "korvelt: entry 4 (fonts.app): text file korvelt/fonts.txt cannot be read\n"
              "korvelt: entry 4 (fonts.app): set-up program /apps/fonts/setup.exe is neither a program nor a "
              "Windows Installer package\n"
              "korvelt/instapp.bmp: not a bitmap file\n"
              "korvelt/instttl.bmp: cannot be read\n"
              "autorun.inf: OPEN=setup names no file on the medium\n"
              "autorun.inf: icon=art/disc.ico names no file on the medium\n");
}

const nlohmann::json& EntryProperties(const nlohmann::json& schema)
{
    return schema["properties"]["entries"]["items"]["properties"];
}

TEST_F(CatalogToolTest, Schema_ListsEveryKeyOfADumpWithItsType)
{
    const CRun run = Tool("schema");
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    const nlohmann::json schema = nlohmann::json::parse(run.strOut);
    EXPECT_EQ(schema["properties"]["entries"]["items"]["additionalProperties"], false);

    const std::string strDir = Folder("built");
    ASSERT_EQ(Tool("build " + Quote(kSampleMedium + "/catalog.json") + " " + Quote(strDir)).nStatus, 0);
    const nlohmann::json dumped = nlohmann::json::parse(Tool("dump " + Quote(strDir)).strOut)["entries"][0];
    EXPECT_EQ(EntryProperties(schema).size(), dumped.size());
    for (const auto& item : dumped.items())
    {
        SCOPED_TRACE(item.key());
        ASSERT_TRUE(EntryProperties(schema).contains(item.key()));
        const nlohmann::json& property = EntryProperties(schema)[item.key()];
        EXPECT_EQ(property["type"], item.value().is_string() ? "string" : "integer");
        EXPECT_EQ(property.contains("x-korvelt-encoding"), item.value().is_string());
        EXPECT_EQ(property.contains("minimum") && property.contains("maximum"), !item.value().is_string());
    }
}

// Every bound the schema states, one step past it, in one source: build names each entry and key,
// and writes nothing. At the bounds themselves the values come back from a dump unchanged.
TEST_F(CatalogToolTest, Build_EveryValueOutsideTheSchema_IsNamedAndNothingIsWritten)
{
    const nlohmann::json schema = nlohmann::json::parse(Tool("schema").strOut);
    nlohmann::json bad = {{"entries", nlohmann::json::array()}};
    nlohmann::json good = {{"entries", {nlohmann::json::object(), nlohmann::json::object()}}};
    std::vector<std::string> expected;
    const auto AddBad = [&](const std::string& strKey, const nlohmann::json& value) {
        nlohmann::json entry = {{"m_strFileName", "e" + std::to_string(bad["entries"].size() + 1) + ".app"}};
        entry[strKey] = value;
        bad["entries"].push_back(entry);
        expected.push_back("entry " + std::to_string(bad["entries"].size()) + " (" +
                           entry["m_strFileName"].get<std::string>() + "), " + strKey + ": ");
    };
    for (const auto& item : EntryProperties(schema).items())
    {
        const nlohmann::json& property = item.value();
        if (property["type"] == "integer")
        {
            const int64_t nMin = property["minimum"], nMax = property["maximum"];
            AddBad(item.key(), nMin - 1);
            AddBad(item.key(), nMax + 1);
            good["entries"][0][item.key()] = nMin;
            good["entries"][1][item.key()] = nMax;
        }
        else if (property.contains("pattern"))
        {
            EXPECT_FALSE(std::regex_search("a?b.app", std::regex(property["pattern"].get<std::string>())));
            AddBad(item.key(), "a?b.app");
        }
        else
        {
            ASSERT_EQ(property["x-korvelt-encoding"], "cp932") << item.key();
            AddBad(item.key(), "é");
        }
    }
    AddBad("m_strNotAField", "");

    const std::string strDir = m_dir.File("out");
    m_dir.Write("bad.json", bad.dump());
    const CRun run = Tool("build " + Quote(m_dir.File("bad.json")) + " " + Quote(strDir));
    EXPECT_EQ(run.nStatus, 2);
    for (const std::string& strExpected : expected)
        EXPECT_NE(run.strErr.find(strExpected), std::string::npos) << strExpected;
    EXPECT_NE(run.strErr.find(std::to_string(expected.size()) + " problems; nothing written"), std::string::npos);
    EXPECT_FALSE(fs::exists(strDir));

    m_dir.Write("good.json", good.dump());
    ASSERT_EQ(Tool("build " + Quote(m_dir.File("good.json")) + " " + Quote(strDir)).nStatus, 0);
    const nlohmann::json dumped = nlohmann::json::parse(Tool("dump " + Quote(strDir)).strOut);
    for (std::size_t i = 0; i < 2; ++i)
        ExpectSameEntry(good["entries"][i], dumped["entries"][i]);
}

TEST_F(CatalogToolTest, New_ThenCheck_Passes)
{
    const std::string strMedium = m_dir.File("discs/first");
    const CRun made = Tool("new " + Quote(strMedium));
    ASSERT_EQ(made.nStatus, 0) << made.strErr;

    const CRun check = Tool("check " + Quote(strMedium));
    EXPECT_EQ(check.strOut, "");
    EXPECT_EQ(check.nStatus, 0);
    // Each placeholder is named once: the launcher (autorun.inf names it twice), its DLL and every
    // set-up program.
    const nlohmann::json source = nlohmann::json::parse(ReadAll(strMedium + "/catalog.json"));
    EXPECT_NE(check.strErr.find("note: korvelt.exe is a placeholder"), std::string::npos) << check.strErr;
    EXPECT_NE(check.strErr.find("note: tarven.dll is a placeholder"), std::string::npos) << check.strErr;
    // Beside each placeholder set-up, that no unattended run could start it.
    EXPECT_EQ(static_cast<std::size_t>(std::count(check.strErr.begin(), check.strErr.end(), '\n')),
              2 + 2 * source["entries"].size())
        << check.strErr;

    // With the real programs in their places the notes are gone.
    std::vector<std::string> programs = {"korvelt.exe", "tarven.dll"};
    for (const auto& entry : source["entries"])
        programs.push_back(entry["m_strSetupDir"].get<std::string>() + "/" + entry["m_strSetupCommand"].get<std::string>());
    for (std::string& strProgram : programs)
    {
        std::replace(strProgram.begin(), strProgram.end(), '\\', '/');
        std::ofstream(strMedium + "/" + strProgram, std::ios::binary) << "MZ";
    }
    // The first an NSIS set-up, the second's kind given by the medium, the third's unknown.
    std::ofstream(strMedium + "/" + programs[2], std::ios::binary)
        << "MZ" << std::string(510, '\0') << std::string("\0\0\0\0\xEF\xBE\xAD\xDENullsoftInst", 20);
    std::ofstream(strMedium + "/korvelt/unattend.ini", std::ios::binary)
        << "[appb]\r\nsetup=setup.exe --silent\r\nuninstall=C:\\AppB\\remove.exe --silent\r\n";
    const CRun real = Tool("check " + Quote(strMedium));
    EXPECT_EQ(real.nStatus, 0);
    EXPECT_EQ(real.strOut, "");
    const auto dir = [&](int n) { return source["entries"][n]["m_strSetupDir"].get<std::string>(); };
    EXPECT_EQ(real.strErr,
              "note: korvelt: entry 1 (appa.app): unattended set-up (NSIS): " + dir(0) + "\\setup.exe /S\n"
              "note: korvelt: entry 2 (appb.app): unattended set-up (unattend.ini): " + dir(1) +
                  "\\setup.exe --silent\n"
              "note: korvelt: entry 2 (appb.app): unattended removal (unattend.ini): C:\\AppB\\remove.exe --silent\n"
              "note: korvelt: entry 3 (appc.app): no unattended set-up: its kind is unknown; korvelt\\unattend.ini "
              "can give one\n");

    // The editor's schema beside the source, and the catalogue as build makes it from that source.
    EXPECT_EQ(nlohmann::json::parse(ReadAll(strMedium + "/" + source["$schema"].get<std::string>())),
              nlohmann::json::parse(Tool("schema").strOut));
    const std::string strBuilt = m_dir.File("built");
    ASSERT_EQ(Tool("build " + Quote(strMedium + "/catalog.json") + " " + Quote(strBuilt)).nStatus, 0);
    for (const auto& file : fs::directory_iterator(strBuilt))
        EXPECT_EQ(ReadAll(file.path()), ReadAll(strMedium + "/korvelt/" + file.path().filename().string()))
            << file.path().filename();
}

struct CTakenFolder
{
    const char* pszInTheWay;  // a file, or with a final "/" a folder, made before the run
    const char* pszDir;       // given to new
    const char* pszError;
};

const CTakenFolder kTakenFolders[] = {
    {"medium/notes.txt", "medium", "holds files already"},
    {"medium/empty/", "medium", "holds files already"},
    {"medium", "medium", "not a folder"},
};

TEST_F(CatalogToolTest, New_IntoAFolderThatHoldsSomething_RefusesAndLeavesIt)
{
    for (const CTakenFolder& c : kTakenFolders)
    {
        SCOPED_TRACE(c.pszInTheWay);
        CTempDir dir;
        const fs::path inTheWay = PutInTheWay(dir, c.pszInTheWay, "mine");
        const bool bFolder = std::string(c.pszInTheWay).back() == '/';
        const CRun run = Tool("new " + Quote(dir.File(c.pszDir)));
        EXPECT_EQ(run.nStatus, 2);
        EXPECT_NE(run.strErr.find(c.pszError), std::string::npos) << run.strErr;
        EXPECT_TRUE(bFolder ? fs::is_directory(inTheWay) : ReadAll(inTheWay) == "mine");
        EXPECT_FALSE(fs::exists(dir.Path() / c.pszDir / "KORVELT.MSG"));
    }
}

} // namespace
