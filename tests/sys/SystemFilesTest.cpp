// File operations of the platform's own system (host files natively, Win32 under Wine).
#include "sys/DosTime.h"
#include "sys/System.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string Join(const CTempDir& dir, const std::string& strName)
{
    return dir.Path().string() + "\\" + strName;
}

} // namespace

TEST(SystemFiles, WriteReadRemove)
{
    CTempDir dir;
    CSystem& sys = TheSystem();
    const std::string strFile = Join(dir, "a.bin");
    const std::string strBytes("x\0y\r\n\x1A\xFF", 7);
    ASSERT_TRUE(sys.WriteFile(strFile, strBytes));
    std::string strRead = "untouched";
    ASSERT_TRUE(sys.ReadFile(strFile, strRead));
    EXPECT_EQ(strRead, strBytes);
    EXPECT_TRUE(sys.RemoveFile(strFile));

    strRead = "untouched";
    EXPECT_FALSE(sys.ReadFile(strFile, strRead));
    EXPECT_EQ(strRead, "untouched");
    EXPECT_FALSE(sys.RemoveFile(strFile));
}

TEST(SystemFiles, FolderIsNotReadAsAFile)
{
    CTempDir dir;
    dir.MakeFolder("sub.app");
    std::string strRead;
    EXPECT_FALSE(TheSystem().ReadFile(Join(dir, "sub.app"), strRead));
}

// A copy from a read-only source (as from a CD) onto targets of every kind. The source is two
// hours old; a target's age is relative to it.
struct CCopyCase
{
    const char* pszName;
    const char* pszTarget;  // the target's name, or null for no target yet
    bool bReadOnly;         // the target's attributes
    bool bHidden;
    int nOlderBy;           // seconds the target is older than the source (negative: newer)
    CSystem::EReplace replace;
    bool bCopied;
};

const CCopyCase kCopyCases[] = {
    {"NoTarget_Made", nullptr, false, false, 0, CSystem::EReplace::Any, true},
    {"PlainTarget_Replaced", "to.txt", false, false, -3600, CSystem::EReplace::Any, true},
    // The system's own copy refuses these; the user or the application marked them to stay.
    {"ReadOnlyTarget_Left", "to.txt", true, false, 3600, CSystem::EReplace::Any, false},
    {"HiddenTarget_Left", ".to.txt", false, true, 3600, CSystem::EReplace::Any, false},
    {"ReadOnlyTarget_LeftByAnOlderOnlyCopy", "to.txt", true, false, 3600, CSystem::EReplace::Older, false},
    // An older-only copy: a file that the user changed since is newer than its source.
    {"Older_NoTarget_Made", nullptr, false, false, 0, CSystem::EReplace::Older, true},
    {"Older_OlderTarget_Replaced", "to.txt", false, false, 3600, CSystem::EReplace::Older, true},
    {"Older_NewerTarget_Kept", "to.txt", false, false, -3600, CSystem::EReplace::Older, false},
    // FAT keeps times to two seconds: a copy there may read as a second older than its source.
    {"Older_TargetOfTheSourcesTime_Kept", "to.txt", false, false, 1, CSystem::EReplace::Older, false},
};

TEST(SystemFiles, CopyTakesTheTargetsPlaceUnlessItIsToStay)
{
    for (const CCopyCase& c : kCopyCases)
    {
        SCOPED_TRACE(c.pszName);
        CTempDir dir;
        CSystem& sys = TheSystem();
        const std::string strFrom = dir.Write("from.txt", "new");
        dir.SetAge("from.txt", 7200);
        dir.SetReadOnly("from.txt", true);
        const std::string strName = c.pszTarget ? c.pszTarget : "to.txt";
        const std::string strTo = Join(dir, strName);
        if (c.pszTarget)
        {
            dir.Write(strName, "old contents");
            dir.SetAge(strName, 7200 + c.nOlderBy);
            if (c.bHidden)
                dir.SetHidden(strName);
            dir.SetReadOnly(strName, c.bReadOnly);
        }

        EXPECT_EQ(sys.CopyFileOver(strFrom, strTo, c.replace), c.bCopied);
        std::string strRead;
        ASSERT_TRUE(sys.ReadFile(strTo, strRead));
        EXPECT_EQ(strRead, c.bCopied ? "new" : "old contents");
        EXPECT_EQ(dir.IsReadOnly(strName), !c.bCopied && c.bReadOnly);
        // No temporary is left beside them.
        const std::vector<CFoundFile> found = sys.FindFiles(Join(dir, "*"));
        EXPECT_EQ(std::count_if(found.begin(), found.end(), [](const CFoundFile& f) { return !f.m_bDirectory; }), 2);
        // The copy has its source's time, so the next start's older-only copy leaves it.
        if (c.bCopied)
        {
            EXPECT_FALSE(sys.CopyFileOver(strFrom, strTo, CSystem::EReplace::Older));
        }
        dir.SetReadOnly("from.txt", false);
    }
}

TEST(SystemFiles, FailedCopyLeavesTheTargetAndTheFolder)
{
    CTempDir dir;
    CSystem& sys = TheSystem();
    const std::string strTo = dir.Write("to.txt", "old contents");
    EXPECT_FALSE(sys.CopyFileOver(Join(dir, "missing"), strTo, CSystem::EReplace::Any));
    std::string strRead;
    ASSERT_TRUE(sys.ReadFile(strTo, strRead));
    EXPECT_EQ(strRead, "old contents");
    const std::vector<CFoundFile> found = sys.FindFiles(Join(dir, "*"));
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](const CFoundFile& f) { return !f.m_bDirectory; }), 1);
}

TEST(SystemFiles, FindFilesHonoursWildcards)
{
    CTempDir dir;
    dir.Write("a.app", "1");
    dir.Write("b.APP", "2");
    dir.Write("c.txt", "3");
    dir.MakeFolder("d.app");
    std::vector<std::string> names;
    bool bSawFolder = false;
    for (const CFoundFile& file : TheSystem().FindFiles(Join(dir, "*.app")))
    {
        names.push_back(file.m_strName);
        if (file.m_strName == "d.app")
            bSawFolder = file.m_bDirectory;
        else
            EXPECT_GT(file.m_nLastWriteTime, 116444736000000000ull);  // after 1970
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.app", "b.APP", "d.app"}));
    EXPECT_TRUE(bSawFolder);
    EXPECT_TRUE(TheSystem().FindFiles(Join(dir, "*.none")).empty());
    EXPECT_TRUE(TheSystem().FindFiles(Join(dir, "nofolder\\*.app")).empty());
}

TEST(SystemTimes, DosDateTimeConversionAgreesWithTheRules)
{
    struct { int y, m, d; uint16_t time; bool valid; } cases[] = {
        {1999, 7, 15, 0xBF7B, true}, {1980, 1, 1, 0, true}, {2107, 12, 31, 0xBF7D, true},
        {2000, 2, 29, 0, true}, {1999, 0, 15, 0, false}, {1999, 13, 15, 0, false}, {1999, 7, 0, 0, false},
    };
    for (const auto& c : cases)
    {
        uint64_t nPortable = 0, nSystem = 0;
        const uint16_t nDate = PackDosDate(c.y, c.m, c.d);
        EXPECT_EQ(DosToFileTime(nDate, c.time, nPortable), c.valid) << c.y << "/" << c.m << "/" << c.d;
        EXPECT_EQ(TheSystem().DosDateTimeToFileTime(nDate, c.time, nSystem), c.valid) << c.y << "/" << c.m << "/" << c.d;
        if (c.valid)
        {
            EXPECT_EQ(nPortable, nSystem);
        }
    }
    // 1999-07-15 23:59:54 UTC.
    uint64_t n = 0;
    ASSERT_TRUE(DosToFileTime(PackDosDate(1999, 7, 15), 0xBF7B, n));
    EXPECT_EQ(n, (932083194ull + 11644473600ull) * 10000000ull);
}
