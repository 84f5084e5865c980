// Fields of the document string and the file dialogs' pattern.
#include "fw/DocString.h"

#include <gtest/gtest.h>

TEST(DocString, ProgramString_SplitsIntoItsFiveFields)
{
    const CDocString doc("Dravemont\nKorvelt\nKorvel Document\nKorvelt Files(*.dat)\n.dat");
    EXPECT_EQ(doc.GetField(CDocString::windowTitle), "Dravemont");
    EXPECT_EQ(doc.GetField(CDocString::docName), "Korvelt");
    EXPECT_EQ(doc.GetField(CDocString::fileNewName), "Korvel Document");
    EXPECT_EQ(doc.GetField(CDocString::filterName), "Korvelt Files(*.dat)");
    EXPECT_EQ(doc.GetField(CDocString::filterExt), ".dat");
    EXPECT_EQ(doc.GetFilterPattern(), "*.dat");
}

TEST(DocString, MissingAndEmptyFields_AreEmpty)
{
    struct CCase
    {
        const char* pszText;
        CDocString::EField field;
        const char* pszExpected;
    };
    const CCase cases[] = {
        {"", CDocString::windowTitle, ""},
        {"", CDocString::filterExt, ""},
        {"Title", CDocString::windowTitle, "Title"},
        {"Title", CDocString::docName, ""},
        {"Title\n", CDocString::docName, ""},
        {"\nName", CDocString::windowTitle, ""},
        {"\nName", CDocString::docName, "Name"},
        {"a\n\nc", CDocString::fileNewName, "c"},
        {"a\n\nc", CDocString::docName, ""},
        {"a\nb\nc\nd", CDocString::filterExt, ""},
    };
    for (const CCase& c : cases)
        EXPECT_EQ(CDocString(c.pszText).GetField(c.field), c.pszExpected) << c.pszText << " field " << c.field;
}

TEST(DocString, NoExtension_NoFilterPattern)
{
    EXPECT_EQ(CDocString("Title\nName\nType\nFiles").GetFilterPattern(), "");
}
