// The recent-file list: newest first, bounded, without duplicates.
#include "fw/RecentFileList.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

TEST(RecentFileList, Add_PutsNewestFirstAndDropsTheOldestBeyondTheSize)
{
    CRecentFileList list(4);
    for (const char* pszPath : {"C:\\a.dat", "C:\\b.dat", "C:\\c.dat", "C:\\d.dat", "C:\\e.dat"})
        list.Add(pszPath);
    EXPECT_EQ(list.GetNames(), (Names{"C:\\e.dat", "C:\\d.dat", "C:\\c.dat", "C:\\b.dat"}));
}

TEST(RecentFileList, Add_ExistingPathInOtherCase_MovesToFrontOnce)
{
    CRecentFileList list(4);
    list.Add("C:\\One.dat");
    list.Add("C:\\two.dat");
    list.Add("c:\\ONE.DAT");
    EXPECT_EQ(list.GetNames(), (Names{"c:\\ONE.DAT", "C:\\two.dat"}));
}

TEST(RecentFileList, Add_EmptyPathOrZeroSize_ChangesNothing)
{
    CRecentFileList list(4);
    list.Add("");
    EXPECT_TRUE(list.GetNames().empty());
    CRecentFileList none(0);
    none.Add("C:\\a.dat");
    EXPECT_TRUE(none.GetNames().empty());
}

TEST(RecentFileList, SetNames_SkipsEmptyEntriesAndKeepsTheSize)
{
    CRecentFileList list(4);
    list.SetNames({"", "C:\\a", "", "C:\\b", "C:\\c", "C:\\d", "C:\\e"});
    EXPECT_EQ(list.GetNames(), (Names{"C:\\a", "C:\\b", "C:\\c", "C:\\d"}));
}

TEST(RecentFileList, SamePath_FoldsAsciiCaseButNotSecondBytes)
{
    struct CCase
    {
        const char* a;
        const char* b;
        bool bSame;
    };
    const CCase cases[] = {
        {"C:\\Dir\\File.DAT", "c:\\dir\\file.dat", true},
        {"C:\\a", "C:\\b", false},
        {"C:\\a", "C:\\ab", false},
        // "ア" (83 41) and "ャ" (83 61) differ only in what would be an ASCII letter's case.
        {"C:\\\x83\x41", "C:\\\x83\x61", false},
        {"C:\\\x83\x41", "C:\\\x83\x41", true},
        // "表" ends in a backslash byte; the following ASCII letter still folds.
        {"\x95\x5c" "a", "\x95\x5c" "A", true},
        // A lead byte at the very end compares as it is.
        {"a\x83", "A\x83", true},
    };
    for (const CCase& c : cases)
        EXPECT_EQ(CRecentFileList::SamePath(c.a, c.b), c.bSame) << c.a << " / " << c.b;
}
