// File operations of the platform's own system (host files natively, Win32 under Wine).
#include "DosTime.h"
#include "System.h"
#include "TempDir.h"

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

TEST(SystemFiles, CopyOverwritesAndDropsReadOnly)
{
    CTempDir dir;
    CSystem& sys = TheSystem();
    const std::string strFrom = dir.Write("from.txt", "new");
    const std::string strTo = dir.Write("to.txt", "old contents");
    dir.SetReadOnly("from.txt", true);
    dir.SetReadOnly("to.txt", true);

    ASSERT_TRUE(sys.CopyFileOver(strFrom, strTo));
    std::string strRead;
    ASSERT_TRUE(sys.ReadFile(strTo, strRead));
    EXPECT_EQ(strRead, "new");
    EXPECT_FALSE(dir.IsReadOnly("to.txt"));
    dir.SetReadOnly("from.txt", false);

    // A copy that fails leaves the target, its read-only flag and the folder as they were.
    dir.SetReadOnly("to.txt", true);
    EXPECT_FALSE(sys.CopyFileOver(Join(dir, "missing"), strTo));
    EXPECT_TRUE(dir.IsReadOnly("to.txt"));
    ASSERT_TRUE(sys.ReadFile(strTo, strRead));
    EXPECT_EQ(strRead, "new");
    const std::vector<CFoundFile> found = sys.FindFiles(Join(dir, "*"));
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](const CFoundFile& f) { return !f.m_bDirectory; }), 2);
    dir.SetReadOnly("to.txt", false);
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
