#include "msgcat/MessageFileReader.h"
#include "utils/AsciiText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Messages = std::vector<std::pair<int32_t, std::string>>;

Messages ReadAll(std::string_view content, CNameTable& names)
{
    Messages out;
    CMessageFileReader::Read(content, names, [&out](int32_t n, std::string_view text) {
        out.emplace_back(n, std::string(text));
    });
    return out;
}

Messages ReadAll(std::string_view content)
{
    CNameTable names;
    return ReadAll(content, names);
}

} // namespace

TEST(MessageFileReader, ParseNumber_FollowsDecimalRules)
{
    const struct { const char* text; int32_t expected; } cases[] = {
        {"12", 12}, {"+12", 12}, {"-12", -12}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"-", 0},
        {"+-3", 0}, {"007", 7}, {"2147483647", 2147483647}, {"2147483648", INT32_MIN},
        {"4294967295", -1}, {"4294967296", 0}, {"4294967301", 5}, {"-2147483648", INT32_MIN},
        {"99999999999999999999", 1661992959}, {"-4294967295", 1},
        {"1 2", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CMessageFileReader::ParseNumber(c.text), c.expected) << c.text;
}

TEST(MessageFileReader, Trim_RemovesTheSixBlanksOnly)
{
    EXPECT_EQ(Trim(" \t\n\v\f\rA B\r\f\v\n\t "), "A B");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // no other byte is a blank
    EXPECT_EQ(Trim(" \t "), "");
}

TEST(MessageFileReader, SplitsAtFirstEquals_DroppingBlanksAroundIt)
{
    const Messages got = ReadAll("NAME = 7\n[MESSAGES]\nNAME  =  a = b == c  \n");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], std::make_pair(7, std::string("a = b == c")));
}

TEST(MessageFileReader, HeaderMatchesAnyLetterCase_ButNothingElse)
{
    EXPECT_EQ(ReadAll("A=1\n[messages]\nA=x\n").size(), 1u);
    EXPECT_EQ(ReadAll("A=1\n  [MeSsAgEs]\t\nA=x\n").size(), 1u);
    EXPECT_TRUE(ReadAll("A=1\n[ MESSAGES]\nA=x\n").empty());
    EXPECT_TRUE(ReadAll("A=1\n[MESSAGES];\nA=x\n").empty());
    EXPECT_TRUE(ReadAll("A=1\n[MESSAGES] x\nA=x\n").empty());
    EXPECT_TRUE(ReadAll("A=1\nA=x\n").empty());  // no header: no message at all
}

TEST(MessageFileReader, SecondHeaderInMessagePart_IsAMessageLine)
{
    CNameTable names;
    names[""] = 9;
    const Messages got = ReadAll("[MESSAGES]\n[MESSAGES]\n", names);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], std::make_pair(9, std::string("[MESSAGES]")));
}

TEST(MessageFileReader, CommentsAndEmptyLinesAreSkipped_SemicolonInTextKept)
{
    const Messages got = ReadAll("; a comment\n  ;A=5\nA=1\n\n \t \n[MESSAGES]\n ; A=skipped\nA=;kept\nA=x;y\n");
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].second, ";kept");
    EXPECT_EQ(got[1].second, "x;y");
}

TEST(MessageFileReader, NamesAreCaseSensitive)
{
    const Messages got = ReadAll("Name=1\n[MESSAGES]\nNAME=upper\nname=lower\nName=exact\n");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].second, "exact");
}

TEST(MessageFileReader, LineWithoutEquals_DefinesTheEmptyName)
{
    CNameTable names;
    const Messages got = ReadAll("42abc\n[MESSAGES]\n=the text\n", names);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], std::make_pair(42, std::string("the text")));
    EXPECT_EQ(names.at(""), 42);
}

TEST(MessageFileReader, UndefinedNameIsLeftOut_AndReadingGoesOn)
{
    const Messages got = ReadAll("A=1\n[MESSAGES]\nB=lost\nA=kept\n");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].second, "kept");
}

TEST(MessageFileReader, RedefinitionReplacesTheNumber)
{
    CNameTable names;
    const Messages got = ReadAll("A=1\nA=2\n[MESSAGES]\nA=x\n", names);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].first, 2);
}

TEST(MessageFileReader, TextModeRules)
{
    // CR LF, a last line without line end, no escapes, a lone CR inside a text kept.
    const Messages got = ReadAll("A=1\r\n[MESSAGES]\r\nA=one\\ntwo\r\nA=a\rb\r\nA=last");
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].second, "one\\ntwo");
    EXPECT_EQ(got[1].second, "a\rb");
    EXPECT_EQ(got[2].second, "last");

    // Ctrl-Z ends the file, even in the middle of a line.
    const Messages cut = ReadAll("A=1\n[MESSAGES]\nA=before\nA=half\x1Arest\nA=after\n");
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[1].second, "half");
}

TEST(MessageFileReader, Cp932BytesAreKeptAsTheyAre)
{
    // "メッセージ" in code page 932; the trail byte 0x5C of "ソ" must not disturb anything.
    const std::string text = "\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57 \x83\x5C";
    const Messages got = ReadAll("\x83\x41=3\n[MESSAGES]\n\x83\x41=" + text + "\n");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], std::make_pair(3, text));
}

TEST(MessageFileReader, VeryLongLinesAreRead)
{
    const std::string longText(1 << 20, 'x');
    const Messages got = ReadAll("A=1\n[MESSAGES]\nA=" + longText);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].second, longText);
}
