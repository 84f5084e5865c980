// Reading entries, the index and the folder scan, with the messages and exceptions each outcome
// gives. Files are written byte by byte into a fresh folder per test.
#include "catalog/AppCatalog.h"
#include "catalog/ArchiveException.h"
#include "catalog/ArchiveReader.h"
#include "catalog/FileException.h"
#include "res/MessageNumbers.h"
#include "sys/HostSystem.h"
#include "tests/catalog/CatalogBytes.h"
#include "tests/support/TempDir.h"
#include "utils/DeviceNames.h"

#if defined(_WIN32)
#include "tests/support/WideNames.h"
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// The host system, keeping a copy of every file written through it, and finding some more
// entries than the folder holds.
class CRecordingSystem : public CHostSystem
{
public:
    bool WriteFile(const std::string& strPath, const std::string& strBytes) override
    {
        m_writes.push_back({strPath, strBytes});
        return CHostSystem::WriteFile(strPath, strBytes);
    }
    std::vector<CFoundFile> FindFiles(const std::string& strPattern) override
    {
        std::vector<CFoundFile> found = CHostSystem::FindFiles(strPattern);
        found.insert(found.begin(), m_alsoFound.begin(), m_alsoFound.end());
        return found;
    }
    std::vector<std::pair<std::string, std::string>> m_writes;
    std::vector<CFoundFile> m_alsoFound;
};

class AppCatalogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directory(m_dir.Path() / "korvelt");
        fs::create_directory(m_dir.Path() / "tmp");
        m_host.m_strTempPath = m_dir.File("tmp") + "\\";
        SetTheSystem(&m_host);
        m_catalog.SetDirectory(Folder());
        m_catalog.SetDatabasePath((Folder() + "\\appdb.dat").c_str());
        m_catalog.SetReporter(&m_reporter);
    }
    void TearDown() override { SetTheSystem(nullptr); }

    std::string Folder() const { return m_dir.File("korvelt"); }
    void WriteCatalogFile(const std::string& strName, const std::string& strBytes)
    {
        m_dir.Write("korvelt/" + strName, strBytes);
    }
    void WriteIndex(const std::string& strBytes) { WriteCatalogFile("appdb.dat", strBytes); }
    std::vector<std::string> LoadedTitles() const
    {
        std::vector<std::string> titles;
        for (int n = 1; n <= m_catalog.GetCount(); ++n)
            titles.push_back(m_catalog.GetAt(n)->GetTitle());
        return titles;
    }
    bool TempIndexExists() const { return fs::exists(m_dir.Path() / "tmp" / CAppCatalog::kTempIndexName); }

    CTempDir m_dir;
    CRecordingSystem m_host;
    CRecordingReporter m_reporter;
    CAppCatalog m_catalog;
};

using Messages = std::vector<int>;
// The one message that catalogue reading reports.
constexpr int kUnreadable = MSG_CATALOG_UNREADABLE;
using Titles = std::vector<std::string>;

TEST_F(AppCatalogTest, Entry_ReadsTheFieldsInFileOrder)
{
    // Field i of the file holds "f<i>" or the integer 1000 + i.
    std::string bytes;
    for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
        bytes += CAppEntry::StoredField(i).m_bString ? Str("f" + std::to_string(i + 1)) : Le32(1001 + i);
    CArchiveReader reader(bytes);
    CAppEntry entry;
    entry.SetFileName("given.dat");
    entry.Serialize(reader);

    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(entry.GetFileName(), "given.dat");
    EXPECT_EQ(entry.GetTitle(), "f1");
    EXPECT_EQ(entry.GetStoredString(1), "f2");  // the reserved string
    EXPECT_EQ(entry.GetSubItemText(), "f3");
    EXPECT_EQ(entry.GetTextFile(), "f4");
    EXPECT_EQ(entry.GetSetupDir(), "f5");
    EXPECT_EQ(entry.GetSetupCommand(), "f6");
    EXPECT_EQ(entry.GetStoredInt(6), 1007);  // check type
    EXPECT_EQ(entry.GetCheckKey(), "f8");
    EXPECT_EQ(entry.GetCheckFile(), "f9");
    EXPECT_EQ(entry.IsAlwaysInstall(), 1010);
    EXPECT_EQ(entry.GetStoredInt(10), 1011);  // the reserved integer
    EXPECT_EQ(entry.CanUninstall(), 1012);
    EXPECT_EQ(entry.GetUninstallType(), 1013);
    EXPECT_EQ(entry.GetUninstallKey(), "f14");
    EXPECT_EQ(entry.GetStoredInt(14), 1015);  // search flag
    EXPECT_EQ(entry.GetStoredString(15), "f16");  // display name
    EXPECT_EQ(entry.GetUninstallCommand(), "f17");
    EXPECT_EQ(entry.GetStoredInt(17), 1018);  // previous-release block
    EXPECT_EQ(entry.GetStoredInt(18), 1019);  // previous check type
    EXPECT_EQ(entry.GetPrevCheckKey(), "f20");
    EXPECT_EQ(entry.GetPrevCheckFile(), "f21");
    EXPECT_EQ(entry.GetPrevUninstallType(), 1022);
    EXPECT_EQ(entry.GetPrevUninstallKey(), "f23");
    EXPECT_EQ(entry.GetStoredInt(23), 1024);
    EXPECT_EQ(entry.GetStoredString(24), "f25");
    EXPECT_EQ(entry.GetPrevUninstallCommand(), "f26");
    EXPECT_EQ(entry.GetInstallNotice(), "f27");
    EXPECT_EQ(entry.GetUninstallNotice(), "f28");
    EXPECT_EQ(entry.IsPostInstallCopy(), 1029);
    EXPECT_EQ(entry.GetPostInstallCopyList(), "f30");
    EXPECT_EQ(entry.GetPrevReleaseDate(), "f31");
    EXPECT_EQ(entry.GetPrevReleaseFile(), "f32");
    EXPECT_EQ(entry.IsInstalled(), 0);
    EXPECT_EQ(entry.IsPrevReleaseFound(), 0);
}

TEST_F(AppCatalogTest, StoredFieldNames_FollowFileOrder)
{
    EXPECT_STREQ(CAppEntry::StoredField(0).m_pszName, "m_strTitle");
    EXPECT_STREQ(CAppEntry::StoredField(1).m_pszName, "m_strReserved");
    EXPECT_STREQ(CAppEntry::StoredField(6).m_pszName, "m_nCheckType");
    EXPECT_STREQ(CAppEntry::StoredField(31).m_pszName, "m_strPrevReleaseFile");
    int nStrings = 0;
    for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
        nStrings += CAppEntry::StoredField(i).m_bString ? 1 : 0;
    EXPECT_EQ(nStrings, 21);
}

TEST_F(AppCatalogTest, List_RemoveAllThenAdd_NumbersFromOne)
{
    CAppList list;
    EXPECT_EQ(list.GetCount(), 0);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    for (const char* pszName : {"a", "b"})
    {
        auto pEntry = std::make_unique<CAppEntry>();
        pEntry->SetFileName(pszName);
        list.Add(std::move(pEntry));
    }
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(2)->GetFileName(), "b");
    list.RemoveAll();
    auto pEntry = std::make_unique<CAppEntry>();
    pEntry->SetFileName("c");
    list.Add(std::move(pEntry));
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(1)->GetFileName(), "c");
}

// Index outcomes. Entry files one, two and three exist unless a case removes one.
struct CIndexCase
{
    const char* pszName;
    std::string strIndex;
    const char* pszMissing;  // entry file not written, or null
    Titles expectedTitles;
    Messages expectedMessages;
    const char* pszAlso = nullptr;  // one more entry file written, titled by its name, or null
};

#ifdef _WIN32
constexpr bool kDevicesAreNoFiles = true;
#else
constexpr bool kDevicesAreNoFiles = false;
#endif

const CIndexCase kIndexCases[] = {
    {"FourZeroBytes_Empty", Le32(0), nullptr, {}, {}},
    {"ThreeNames", IndexBytes(3, {"one", "two", "three"}), nullptr, {"One", "Two", "Three"}, {}},
    {"AnnouncesTwoListsThree_TrailingData", IndexBytes(2, {"one", "two", "three"}), nullptr, {"One", "Two"}, {kUnreadable}},
    {"AnnouncesThreeListsTwo", IndexBytes(3, {"one", "two"}), nullptr, {}, {kUnreadable}},
    {"SecondFileMissing_TwoMessages", IndexBytes(3, {"one", "two", "three"}), "two", {}, {kUnreadable, kUnreadable}},
    {"LastFileMissing_OneMessage", IndexBytes(3, {"one", "two", "three"}), "three", {}, {kUnreadable}},
    {"NameCutShort", Le32(2) + Str("one") + "\x05" "tw", nullptr, {}, {kUnreadable}},
    {"NameWithHostileLength", Le32(1) + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F" "one", nullptr, {}, {kUnreadable}},
    {"HugeCount", Le32(0xFFFFFFFF) + Str("one"), nullptr, {}, {kUnreadable}},
    {"OneStrayByteAfterNames", IndexBytes(1, {"one"}) + "\n", nullptr, {"One"}, {kUnreadable}},
    {"EmptyName_NoSuchFile", IndexBytes(1, {""}), nullptr, {}, {kUnreadable}},
    // Entry files that are there, but by a way out of the catalogue folder.
    {"NameLeavesTheFolder", IndexBytes(1, {"..\\korvelt\\one"}), nullptr, {}, {kUnreadable}},
    {"NameLeavesTheFolderBySlash", IndexBytes(1, {"../korvelt/one"}), nullptr, {}, {kUnreadable}},
    // Files of these names are there on the host; Windows would open a device for each.
    {"DeviceName", IndexBytes(1, {"Nul.app"}), nullptr, {}, {kUnreadable}, "Nul.app"},
    {"DeviceNameAfterAnEntry", IndexBytes(2, {"one", "com1"}), nullptr, {}, {kUnreadable}, "com1"},
    {"DeviceNameWithBlanksAndExtension", IndexBytes(1, {"CON .dat"}), nullptr, {}, {kUnreadable}, "CON .dat"},
    {"DeviceNameAsAFolder", IndexBytes(1, {"aux\\one"}), nullptr, {}, {kUnreadable}, "aux/one"},
    {"NameThatBeginsLikeADevice", IndexBytes(1, {"console.app"}), nullptr, {"console.app"}, {}, "console.app"},
    {"NameInUtf16Form", Le32(1) + std::string("\xFF\xFE\xFF\x03o\0n\0e\0", 10), nullptr, {"One"}, {}},
};

TEST_F(AppCatalogTest, Load_IndexOutcomes)
{
    for (const CIndexCase& c : kIndexCases)
    {
        SCOPED_TRACE(c.pszName);
        for (const char* pszName : {"one", "two", "three"})
        {
            fs::remove(m_dir.Path() / "korvelt" / pszName);
            if (!c.pszMissing || std::string(c.pszMissing) != pszName)
            {
                std::string strTitle = pszName;
                strTitle[0] = static_cast<char>(strTitle[0] - 'a' + 'A');
                WriteCatalogFile(pszName, EntryBytes(strTitle));
            }
        }
        // Windows has no file of a device's name: a write would go to the device. There the name
        // is refused all the same.
        const bool bWriteAlso = c.pszAlso && !(kDevicesAreNoFiles && HasDeviceComponent(c.pszAlso));
        if (bWriteAlso)
        {
            fs::create_directories((m_dir.Path() / "korvelt" / c.pszAlso).parent_path());
            WriteCatalogFile(c.pszAlso, EntryBytes(c.pszAlso));
        }
        WriteIndex(c.strIndex);
        m_reporter.m_messages.clear();
        EXPECT_EQ(m_catalog.Load(), 0);
        EXPECT_EQ(LoadedTitles(), c.expectedTitles);
        EXPECT_EQ(m_reporter.m_messages, c.expectedMessages);
        if (bWriteAlso)
            fs::remove(m_dir.Path() / "korvelt" / c.pszAlso);
    }
}

TEST_F(AppCatalogTest, Load_EntryNamesComeFromTheIndex)
{
    WriteIndex(IndexBytes(1, {"word.dat"}));
    WriteCatalogFile("word.dat", EntryBytes("Word"));
    ASSERT_EQ(m_catalog.Load(), 0);
    ASSERT_EQ(m_catalog.GetCount(), 1);
    EXPECT_EQ(m_catalog.GetAt(1)->GetFileName(), "word.dat");
}

TEST_F(AppCatalogTest, Load_BytesAfterTheLastFieldAreIgnored)
{
    WriteIndex(IndexBytes(1, {"a"}));
    WriteCatalogFile("a", EntryBytes("A") + "extra bytes");
    EXPECT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(LoadedTitles(), Titles{"A"});
    EXPECT_TRUE(m_reporter.m_messages.empty());
}

TEST_F(AppCatalogTest, Load_IndexShorterThanFourBytes_Throws)
{
    WriteIndex(std::string("\x01\x00\x00", 3));
    EXPECT_THROW(m_catalog.Load(), CArchiveException);
    EXPECT_TRUE(m_reporter.m_messages.empty());
}

TEST_F(AppCatalogTest, Load_EntryEndingBeforeItsLastField_ThrowsAndKeepsEarlierEntries)
{
    WriteIndex(IndexBytes(3, {"a", "b", "c"}));
    WriteCatalogFile("a", EntryBytes("A"));
    const std::string strFull = EntryBytes("B");
    WriteCatalogFile("b", strFull.substr(0, strFull.size() - 1));
    WriteCatalogFile("c", EntryBytes("C"));
    EXPECT_THROW(m_catalog.Load(), CArchiveException);
    EXPECT_EQ(LoadedTitles(), Titles{"A"});
    EXPECT_TRUE(m_reporter.m_messages.empty());
}

TEST_F(AppCatalogTest, Load_EntryStringWithHostileLength_Throws)
{
    WriteIndex(IndexBytes(1, {"a"}));
    WriteCatalogFile("a", std::string("\xFF\xFF\xFF\xF0\xFF\xFF\xFF", 7) + EntryBytes("A"));
    EXPECT_THROW(m_catalog.Load(), CArchiveException);
    EXPECT_EQ(m_catalog.GetCount(), 0);
}

TEST_F(AppCatalogTest, Load_SecondLoadReplacesTheFirst)
{
    WriteIndex(IndexBytes(2, {"a", "a"}));
    WriteCatalogFile("a", EntryBytes("A"));
    ASSERT_EQ(m_catalog.Load(), 0);
    ASSERT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(LoadedTitles(), (Titles{"A", "A"}));
}

TEST_F(AppCatalogTest, Load_DatabaseWins_UnlistedAppFilesAreNotLoaded)
{
    WriteIndex(IndexBytes(1, {"listed.app"}));
    WriteCatalogFile("listed.app", EntryBytes("Listed"));
    WriteCatalogFile("other.app", EntryBytes("Other"));
    EXPECT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(LoadedTitles(), Titles{"Listed"});
    EXPECT_TRUE(m_host.m_writes.empty());
}

TEST_F(AppCatalogTest, Load_Scan_ReadsEveryAppFileInFileSystemOrderAndRemovesTheTemporaryIndex)
{
    WriteCatalogFile("a.app", EntryBytes("A"));
    WriteCatalogFile("b.app", EntryBytes("B"));
    WriteCatalogFile("c.app", EntryBytes("C"));
    WriteCatalogFile("readme.txt", "not an entry");
    Titles expected;
    std::string strExpectedIndex = Le32(3);
    for (const CFoundFile& file : m_host.FindFiles(Folder() + "\\*.app"))
    {
        expected.push_back(std::string(1, static_cast<char>(file.m_strName[0] - 'a' + 'A')));
        strExpectedIndex += static_cast<char>(file.m_strName.size()) + file.m_strName;
    }

    EXPECT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(LoadedTitles(), expected);
    EXPECT_EQ(m_catalog.GetAt(1)->GetFileName().substr(1), ".app");
    EXPECT_TRUE(m_reporter.m_messages.empty());
    ASSERT_EQ(m_host.m_writes.size(), 1u);
    EXPECT_EQ(m_host.m_writes[0].first, m_host.m_strTempPath + "$KORVELT$.DB");
    EXPECT_EQ(m_host.m_writes[0].second, strExpectedIndex);
    EXPECT_FALSE(TempIndexExists());
}

TEST_F(AppCatalogTest, Load_Scan_FolderNamedLikeAnEntry_ReportsAndEndsEmpty)
{
    fs::create_directory(m_dir.Path() / "korvelt" / "folder.app");
    EXPECT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(m_catalog.GetCount(), 0);
    EXPECT_EQ(m_reporter.m_messages, Messages{kUnreadable});
    EXPECT_FALSE(TempIndexExists());
}

TEST_F(AppCatalogTest, Load_NothingToRead_ReturnsOneAndWritesNothing)
{
    WriteCatalogFile("notes.txt", "x");
    EXPECT_EQ(m_catalog.Load(), 1);
    EXPECT_TRUE(m_host.m_writes.empty());
    EXPECT_EQ(m_catalog.GetCount(), 0);
}

TEST_F(AppCatalogTest, Load_Scan_ReadFailure_ThrowsAndLeavesNoTemporaryIndex)
{
    WriteCatalogFile("a.app", "\x05" "ab");
    EXPECT_THROW(m_catalog.Load(), CArchiveException);
    EXPECT_FALSE(TempIndexExists());
}

TEST_F(AppCatalogTest, Load_Scan_TemporaryIndexCannotBeWritten_ThrowsFileException)
{
    WriteCatalogFile("a.app", EntryBytes("A"));
    m_host.m_strTempPath = m_dir.File("no-such-folder") + "\\";
    EXPECT_THROW(m_catalog.Load(), CFileException);
    EXPECT_EQ(m_catalog.GetCount(), 0);
}

TEST_F(AppCatalogTest, Load_Scan_TemporaryPathTooLong_ReadsTheIndexFromMemory)
{
    WriteCatalogFile("a.app", EntryBytes("A"));
    m_host.m_strTempPath = std::string(250, 'd') + "\\";  // with the index name past 260
    EXPECT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(LoadedTitles(), Titles{"A"});
    EXPECT_TRUE(m_host.m_writes.empty());
}

TEST_F(AppCatalogTest, Load_Scan_NoTemporaryFolder_ReadsTheIndexFromMemory)
{
    WriteCatalogFile("a.app", EntryBytes("A"));
    m_host.m_strTempPath.clear();
    EXPECT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(LoadedTitles(), Titles{"A"});
}

TEST_F(AppCatalogTest, Load_Scan_NamesThatCp932CannotCarry_AreNoEntries)
{
    CFoundFile lacking;
    lacking.m_bNameCarried = false;
    m_host.m_alsoFound = {lacking};
    EXPECT_EQ(m_catalog.Load(), 1);
    EXPECT_TRUE(m_host.m_writes.empty());

    WriteCatalogFile("a.app", EntryBytes("A"));
    EXPECT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(LoadedTitles(), Titles{"A"});
    EXPECT_TRUE(m_reporter.m_messages.empty());
}

#if !defined(_WIN32)
// Windows paths stop near 260 characters; host file names reach 255 bytes.
TEST_F(AppCatalogTest, Load_Scan_NameOf255Bytes_IsListedWithTheLongerPrefix)
{
    const std::string strName = std::string(251, 'n') + ".app";
    WriteCatalogFile(strName, EntryBytes("Long"));
    EXPECT_EQ(m_catalog.Load(), 0);
    EXPECT_EQ(LoadedTitles(), Titles{"Long"});
    EXPECT_EQ(m_catalog.GetAt(1)->GetFileName(), strName);
    ASSERT_EQ(m_host.m_writes.size(), 1u);
    EXPECT_EQ(m_host.m_writes[0].second, Le32(1) + std::string("\xFF\xFF\x00", 3) + strName);
}
#endif

#if defined(_WIN32)
// The real system, with the medium in a folder of a Japanese name and the temporary folder named
// through TMP; under code page 1252 as under 932.
class Win32CatalogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strMedium = m_dir.Path().wstring() + L"\\" + Wide(kSetupFolder932);
        ASSERT_TRUE(fs::create_directories(m_strMedium + L"\\korvelt"));
        const std::string strFolder = Cp932(m_strMedium) + "\\korvelt";
        m_catalog.SetDirectory(strFolder);
        m_catalog.SetDatabasePath((strFolder + "\\appdb.dat").c_str());
        m_catalog.SetReporter(&m_reporter);
        const DWORD nTmp = ::GetEnvironmentVariableW(L"TMP", m_szTmp, MAX_PATH);
        m_bHadTmp = nTmp > 0 && nTmp < MAX_PATH;
    }
    void TearDown() override { ::SetEnvironmentVariableW(L"TMP", m_bHadTmp ? m_szTmp : nullptr); }

    void WriteCatalogFile(const std::wstring& strName, const std::string& strBytes) const
    {
        std::ofstream(fs::path(m_strMedium + L"\\korvelt\\" + strName), std::ios::binary) << strBytes;
    }
    // An empty temporary folder of that name.
    std::wstring UseTempFolder(const std::wstring& strName) const
    {
        const std::wstring strFolder = m_dir.Path().wstring() + L"\\" + strName;
        fs::create_directory(strFolder);
        ::SetEnvironmentVariableW(L"TMP", strFolder.c_str());
        return strFolder;
    }

    CTempDir m_dir;
    std::wstring m_strMedium;
    wchar_t m_szTmp[MAX_PATH] = {};
    bool m_bHadTmp = false;
    CRecordingReporter m_reporter;
    CAppCatalog m_catalog;
};

TEST_F(Win32CatalogTest, Load_Scan_JapaneseNamesAreEntries_NamesThatCp932LacksAreNot)
{
    WriteCatalogFile(Wide(kProductKey932) + L".app", EntryBytes("Japanese"));
    WriteCatalogFile(std::wstring(kNotCp932) + L".app", EntryBytes("Lacking"));
    const std::wstring strTemp = UseTempFolder(Wide(kProductKey932));
    EXPECT_EQ(m_catalog.Load(), 0);
    ASSERT_EQ(m_catalog.GetCount(), 1);
    EXPECT_EQ(m_catalog.GetAt(1)->GetTitle(), "Japanese");
    EXPECT_TRUE(m_reporter.m_messages.empty());
    EXPECT_TRUE(fs::is_empty(strTemp));
}

TEST_F(Win32CatalogTest, Load_Scan_TemporaryFolderThatCp932CannotCarry_ReadsTheIndexFromMemory)
{
    WriteCatalogFile(L"a.app", EntryBytes("A"));
    const std::wstring strTemp = UseTempFolder(kNotCp932);
    EXPECT_EQ(m_catalog.Load(), 0);
    ASSERT_EQ(m_catalog.GetCount(), 1);
    EXPECT_EQ(m_catalog.GetAt(1)->GetTitle(), "A");
    EXPECT_TRUE(fs::is_empty(strTemp));
}
#endif

} // namespace
