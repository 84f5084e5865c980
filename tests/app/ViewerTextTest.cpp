// The viewer's text: lines ended by CR LF, at least 14 of them.
#include "view/ViewerText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

namespace
{
std::string Read(const std::string& bytes)
{
    std::istringstream in(bytes);
    return CViewerText::Read(in);
}

std::string Empties(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "\r\n";
    return s;
}
}

TEST(ViewerText, ShortTexts_ArePaddedTo14Lines)
{
    struct CCase
    {
        const char* pszName;
        std::string input;
        std::string expected;
    };
    const CCase cases[] = {
        {"empty file", "", Empties(14)},
        {"three LF lines", "a\nb\nc\n", "a\r\nb\r\nc\r\n" + Empties(11)},
        {"three CR LF lines", "a\r\nb\r\nc\r\n", "a\r\nb\r\nc\r\n" + Empties(11)},
        {"last line without end", "a\nb", "a\r\nb\r\n" + Empties(12)},
        {"empty lines count", "\n\n", Empties(14)},
        {"lone CR stays inside a line", "a\rb\n", "a\rb\r\n" + Empties(13)},
        {"code page 932 bytes unchanged", "\x95\x5c\x8e\xa6\n", "\x95\x5c\x8e\xa6\r\n" + Empties(13)},
    };
    for (const CCase& c : cases)
        EXPECT_EQ(Read(c.input), c.expected) << c.pszName;
}

TEST(ViewerText, LongTexts_KeepTheirLinesAndGetNoPadding)
{
    std::string input;
    std::string expected;
    for (int i = 0; i < 20; ++i)
    {
        input += "line " + std::to_string(i) + (i < 19 ? "\n" : "");
        expected += "line " + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(Read(input), expected);
}

TEST(ViewerText, LineLongerThanTheReadBuffer_StaysOneLine)
{
    const std::string strLong(10000, 'x');
    EXPECT_EQ(Read(strLong + "\r\n"), strLong + "\r\n" + Empties(13));
}

TEST(ViewerText, CarriageReturnAtABufferBoundary_StillPairsWithItsLineFeed)
{
    const std::string strFirst(4095, 'x');
    EXPECT_EQ(Read(strFirst + "\r\nend\r\n"), strFirst + "\r\nend\r\n" + Empties(12));
}

namespace
{
// A stream buffer whose reads fail after some bytes, as a device error would.
class CFailingBuffer : public std::streambuf
{
protected:
    int_type underflow() override
    {
        if (m_bServed)
            throw std::runtime_error("device error");
        m_bServed = true;
        setg(m_data, m_data, m_data + 4);
        return traits_type::to_int_type(m_data[0]);
    }

private:
    char m_data[4] = {'a', '\n', 'b', '\n'};
    bool m_bServed = false;
};
}

TEST(ViewerText, ReadError_Throws)
{
    CFailingBuffer buffer;
    std::istream in(&buffer);
    EXPECT_THROW(CViewerText::Read(in), std::ios_base::failure);
}
