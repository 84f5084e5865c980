// The archive encoding: length prefixes, integers, the UTF-16 form, and short or hostile data.
#include "catalog/ArchiveException.h"
#include "catalog/ArchiveReader.h"
#include "catalog/ArchiveWriter.h"
#include "sys/HostSystem.h"
#include "tests/catalog/CatalogBytes.h"

#include <gtest/gtest.h>

namespace {

class ArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override { SetTheSystem(&m_host); }
    void TearDown() override { SetTheSystem(nullptr); }
    CHostSystem m_host;
};

struct CPrefixCase
{
    std::size_t nLength;
    std::string strPrefix;
};

const CPrefixCase kPrefixCases[] = {
    {0, std::string(1, '\0')},
    {1, "\x01"},
    {254, "\xFE"},
    {255, std::string("\xFF\xFF\x00", 3)},
    {256, std::string("\xFF\x00\x01", 3)},
    {65533, "\xFF\xFD\xFF"},
    {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
    {65535, std::string("\xFF\xFF\xFF\xFF\xFF\x00\x00", 7)},
    {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
};

TEST_F(ArchiveTest, WriteString_UsesShortestPrefixForEachLength)
{
    for (const CPrefixCase& c : kPrefixCases)
    {
        CArchiveWriter writer;
        writer.WriteString(std::string(c.nLength, 'x'));
        EXPECT_EQ(writer.GetBytes(), c.strPrefix + std::string(c.nLength, 'x')) << c.nLength;
    }
}

TEST_F(ArchiveTest, ReadString_ReadsEveryPrefixForm)
{
    for (const CPrefixCase& c : kPrefixCases)
    {
        CArchiveReader reader(c.strPrefix + std::string(c.nLength, 'y') + "Z");
        EXPECT_EQ(reader.ReadString(), std::string(c.nLength, 'y')) << c.nLength;
        EXPECT_EQ(reader.GetRemaining(), 1u) << c.nLength;
    }
}

TEST_F(ArchiveTest, ReadString_SixteenBitPrefixMayBeLongerThanNeeded)
{
    // Readers accept any prefix form, not only the shortest.
    CArchiveReader reader(std::string("\xFF\x03\x00" "abc", 6) + std::string("\xFF\xFF\xFF\x02\x00\x00\x00xy", 9));
    EXPECT_EQ(reader.ReadString(), "abc");
    EXPECT_EQ(reader.ReadString(), "xy");
    EXPECT_TRUE(reader.AtEnd());
}

TEST_F(ArchiveTest, ReadUInt32_IsLittleEndian)
{
    CArchiveReader reader(std::string("\x01\x02\x03\x04\xFF\xFF\xFF\xFF", 8));
    EXPECT_EQ(reader.ReadUInt32(), 0x04030201u);
    EXPECT_EQ(reader.ReadInt32(), -1);
    EXPECT_TRUE(reader.AtEnd());
}

TEST_F(ArchiveTest, ReadString_WideFormIsConvertedToCodePage932)
{
    // U+65E5 U+672C "A" U+FF71 (half-width katakana a): 93 FA 96 7B 41 B1 in code page 932.
    const std::string bytes("\xFF\xFE\xFF\x04\xE5\x65\x2C\x67\x41\x00\x71\xFF", 12);
    CArchiveReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), "\x93\xFA\x96\x7B" "A\xB1");
    EXPECT_TRUE(reader.AtEnd());
}

TEST_F(ArchiveTest, ReadString_WideFormWithLongSecondPrefix)
{
    std::string bytes("\xFF\xFE\xFF\xFF\x2C\x01", 6);  // 300 characters
    for (int i = 0; i < 300; ++i)
        bytes += std::string("a\0", 2);
    CArchiveReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), std::string(300, 'a'));
}

TEST_F(ArchiveTest, ReadString_WideCharacterWithoutCodePage932FormBecomesQuestionMark)
{
    // U+00E9 and U+4E02 have no code page 932 form; no look-alike takes their place.
    const std::string bytes("\xFF\xFE\xFF\x03\xE9\x00" "A\x00" "\x02\x4E", 10);
    CArchiveReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), "?A?");
}

TEST_F(ArchiveTest, WriteWideString_ReadsBack)
{
    CArchiveWriter writer;
    writer.WriteWideString(u"\u30C6\u30B9\u30C8");  // katakana te su to
    EXPECT_EQ(writer.GetBytes().substr(0, 4), std::string("\xFF\xFE\xFF\x03", 4));
    CArchiveReader reader(writer.GetBytes());
    EXPECT_EQ(reader.ReadString(), "\x83\x65\x83\x58\x83\x67");
}

const std::string kShortData[] = {
    "",                                          // no prefix at all
    "\x05" "abcd",                               // one byte short
    "\xFF",                                      // 16-bit length missing
    std::string("\xFF\x00", 2),                  // 16-bit length cut
    std::string("\xFF\x00\x01", 3) + "abc",      // 256 announced
    "\xFF\xFF\xFF\x01",                          // 32-bit length cut
    "\xFF\xFF\xFF\xFF\xFF\xFF\xFF" "abc",        // 4 GiB announced
    "\xFF\xFE\xFF",                              // wide form without its length
    "\xFF\xFE\xFF\x02" "a",                      // wide text cut
    "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF",  // 4 Gi wide characters announced
};

TEST_F(ArchiveTest, ReadString_ShortOrHostileData_ThrowsEndOfFileAndConsumesTheRest)
{
    for (const std::string& bytes : kShortData)
    {
        CArchiveReader reader(bytes);
        try
        {
            reader.ReadString();
            ADD_FAILURE() << "no exception for " << ::testing::PrintToString(bytes);
        }
        catch (const CArchiveException& e)
        {
            EXPECT_EQ(e.GetCause(), CArchiveException::endOfFile);
        }
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST_F(ArchiveTest, ReadUInt32_ShortData_Throws)
{
    CArchiveReader reader(std::string("\x01\x02\x03", 3));
    EXPECT_THROW(reader.ReadUInt32(), CArchiveException);
}

} // namespace
