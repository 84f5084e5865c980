// What the command line asks for: a new document, or opening the first non-flag argument.
#include "fw/CommandLineInfo.h"

#include <gtest/gtest.h>

TEST(CommandLineInfo, Arguments_DecideNewOrOpen)
{
    struct CCase
    {
        std::vector<std::string> args;
        CCommandLineInfo::EShellCommand expected;
        const char* pszFile;
    };
    const CCase cases[] = {
        {{}, CCommandLineInfo::FileNew, ""},
        {{"/NOZOOMOUT"}, CCommandLineInfo::FileNew, ""},
        {{"-nozoomout"}, CCommandLineInfo::FileNew, ""},
        {{"/Embedding"}, CCommandLineInfo::FileNew, ""},
        {{"/dde"}, CCommandLineInfo::FileNew, ""},
        {{"list.dat"}, CCommandLineInfo::FileOpen, "list.dat"},
        {{"/NOZOOMOUT", "list.dat"}, CCommandLineInfo::FileOpen, "list.dat"},
        {{"first.dat", "second.dat"}, CCommandLineInfo::FileOpen, "first.dat"},
        {{"", "/p"}, CCommandLineInfo::FileNew, ""},
    };
    for (const CCase& c : cases)
    {
        CCommandLineInfo info;
        info.Parse(c.args);
        EXPECT_EQ(info.m_nShellCommand, c.expected) << ::testing::PrintToString(c.args);
        EXPECT_EQ(info.m_strFileName, c.pszFile) << ::testing::PrintToString(c.args);
    }
}

TEST(CommandLineInfo, Parse_StartsAfresh)
{
    CCommandLineInfo info;
    info.Parse({"a.dat"});
    info.Parse({});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_EQ(info.m_strFileName, "");
}
