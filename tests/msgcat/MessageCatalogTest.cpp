// The library's behaviour over real files: the order of duplicate messages, the name table that
// outlives a file, and what a failed open leaves.
#include "msgcat/MessageCatalog.h"
#include "msgcat/tarven.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

TEST(MessageCatalog, NothingBeforeTheFirstFile)
{
    CMessageCatalog catalog;
    EXPECT_STREQ(catalog.LoadMessage(1), "");
    EXPECT_EQ(catalog.GetCurrentList(), nullptr);
}

TEST(MessageCatalog, LoadMessage_DuplicateArrivingFromBelow_ShadowsEarlier)
{
    CTempDir dir;
    CMessageCatalog catalog;
    catalog.SetMessageFile(dir.Write("ab.msg", "A=5\nB=3\n[MESSAGES]\nA=first\nB=second\nA=third\n").c_str());
    EXPECT_STREQ(catalog.LoadMessage(5), "third");
    EXPECT_STREQ(catalog.LoadMessage(3), "second");

    // The list itself: 3 (second), 5 (third), 5 (first).
    const CMessageList* pList = catalog.GetCurrentList();
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(pList->GetCount(), 3u);
    const CMessageEntry* p = pList->GetFirst();
    EXPECT_EQ(p->m_strText, "second");
    EXPECT_EQ(p->m_pNext->m_strText, "third");
    EXPECT_EQ(p->m_pNext->m_pNext->m_strText, "first");
    EXPECT_EQ(p->m_pNext->m_pNext, pList->GetLast());
    EXPECT_EQ(pList->GetLast()->m_pPrev->m_pPrev, p);
}

TEST(MessageCatalog, LoadMessage_DuplicateFromSameNumber_LandsBehind)
{
    CTempDir dir;
    CMessageCatalog catalog;
    catalog.SetMessageFile(dir.Write("a.msg", "A=5\n[MESSAGES]\nA=first\nA=third\n").c_str());
    EXPECT_STREQ(catalog.LoadMessage(5), "first");
}

TEST(MessageCatalog, LoadMessage_TextEndsWhereItsLineDoes)
{
    // Texts stay in the file's bytes, each ended in place: nothing after a text may show, and
    // ending one must not cut into the next.
    const struct
    {
        const char* pszMessages;
        const char* pszA;
        const char* pszB;
    } cases[] = {
        {"A=text \t\r\nB=next\r\n", "text", "next"},
        {"A=text\nB=next", "text", "next"},
        {"B=next\nA=", "", "next"},
        {"A=\nB=\n", "", ""},
        {"A=half\x1A" "B=rest\n", "half", ""},
        {"A=a\rb\r\nB=x y", "a\rb", "x y"},
        {"A=a\nA=b\nB=b", "a", "b"},
    };
    CTempDir dir;
    for (const auto& c : cases)
    {
        CMessageCatalog catalog;
        catalog.SetMessageFile(dir.Write("e.msg", std::string("A=1\nB=2\n[MESSAGES]\n") + c.pszMessages).c_str());
        EXPECT_STREQ(catalog.LoadMessage(1), c.pszA) << c.pszMessages;
        EXPECT_STREQ(catalog.LoadMessage(2), c.pszB) << c.pszMessages;
    }
}

TEST(MessageCatalog, NegativeNumbersSortAfterPositiveOnes)
{
    CTempDir dir;
    CMessageCatalog catalog;
    catalog.SetMessageFile(dir.Write("n.msg", "N=-1\nP=7\n[MESSAGES]\nN=minus\nP=plus\n").c_str());
    EXPECT_STREQ(catalog.LoadMessage(-1), "minus");
    EXPECT_STREQ(catalog.LoadMessage(7), "plus");
    EXPECT_EQ(catalog.GetCurrentList()->GetFirst()->m_nNumber, 7);
    EXPECT_EQ(catalog.GetCurrentList()->GetLast()->m_nNumber, -1);
}

TEST(MessageCatalog, MissingFile_EmptiesTheList_ButNamesStayForLaterFiles)
{
    CTempDir dir;
    CMessageCatalog catalog;
    catalog.SetMessageFile(dir.Write("1.msg", "A=5\n[MESSAGES]\nA=one\n").c_str());
    ASSERT_STREQ(catalog.LoadMessage(5), "one");

    catalog.SetMessageFile(dir.File("missing.msg").c_str());
    EXPECT_STREQ(catalog.LoadMessage(5), "");
    ASSERT_NE(catalog.GetCurrentList(), nullptr);
    EXPECT_EQ(catalog.GetCurrentList()->GetCount(), 0u);

    // The third file has no definition part of its own and still finds A.
    catalog.SetMessageFile(dir.Write("3.msg", "[MESSAGES]\nA=three\n").c_str());
    EXPECT_STREQ(catalog.LoadMessage(5), "three");
}

TEST(MessageCatalog, TextsStayValidUntilTheNextFile)
{
    CTempDir dir;
    CMessageCatalog catalog;
    std::string strDefinitions, strMessages;
    for (int i = 0; i < 2000; ++i)
    {
        strDefinitions += "M" + std::to_string(i) + "=" + std::to_string(i) + "\n";
        strMessages += "M" + std::to_string(i) + "=text " + std::to_string(i) + "\n";
    }
    catalog.SetMessageFile(dir.Write("many.msg", strDefinitions + "[MESSAGES]\n" + strMessages).c_str());
    const char* pszFirst = catalog.LoadMessage(0);
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(catalog.LoadMessage(i), "text " + std::to_string(i));
    EXPECT_STREQ(pszFirst, "text 0");
    EXPECT_EQ(pszFirst, catalog.LoadMessage(0));
}

TEST(Tarven, ExportedFunctionsServeTheLibraryWideCatalogue)
{
    CTempDir dir;
    const std::string strFile = dir.Write("t.msg", "HELLO=26\n[MESSAGES]\nHELLO=\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd\n");
    SetMessageFile(strFile.c_str());
    EXPECT_STREQ(LoadMessage(26), "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd");
    EXPECT_STREQ(LoadMessage(27), "");
    SetMessageFile(dir.File("none.msg").c_str());
    EXPECT_STREQ(LoadMessage(26), "");
}
