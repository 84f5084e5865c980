// Measuring packed bitmaps in memory: colour counts, table sizes, pixel offsets and the check
// that a block holds what its header claims.
#include "dib/DibHeader.h"
#include "tests/dib/TestBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// The block as the launcher holds it: the packed bitmap followed by 14 zero bytes.
std::string Block(const CTestBitmap& bitmap)
{
    return bitmap.DibBytes() + std::string(14, '\0');
}

bool Fits(const std::string& strBlock)
{
    return DibFitsInBlock(strBlock.data(), strBlock.size());
}

struct CLayoutCase
{
    const char* m_pszName;
    bool m_bCore;
    uint16_t m_nBits;
    uint32_t m_nColorsUsed;
    uint16_t m_nTableEntriesWritten;
    uint16_t m_nExpectedCount;
    uint16_t m_nExpectedTableSize;
    std::ptrdiff_t m_nExpectedPixelOffset;
};

const CLayoutCase kLayoutCases[] = {
    {"Info1Bit", false, 1, 0, 2, 2, 8, 48},
    {"Info4Bit", false, 4, 0, 16, 16, 64, 104},
    {"Info8BitColorsUsed0", false, 8, 0, 256, 256, 1024, 1064},
    {"Info8BitColorsUsed20", false, 8, 20, 20, 20, 80, 120},
    {"Info24Bit", false, 24, 0, 0, 0, 0, 40},
    {"Info32Bit", false, 32, 0, 0, 0, 0, 40},
    // A colours-used value counts at any depth, also where pixels carry their own colour.
    {"Info24BitColorsUsed20", false, 24, 20, 20, 20, 80, 120},
    {"Core1Bit", true, 1, 0, 2, 2, 6, 18},
    {"Core4Bit", true, 4, 0, 16, 16, 48, 60},
    {"Core8Bit", true, 8, 0, 256, 256, 768, 780},
    {"Core24Bit", true, 24, 0, 0, 0, 0, 12},
};

class DibLayoutTest : public testing::TestWithParam<CLayoutCase>
{
};

TEST_P(DibLayoutTest, CountTableAndPixelOffsetFollowHeaderKindAndDepth)
{
    const CLayoutCase& c = GetParam();
    CTestBitmap bitmap(5, 3, c.m_nBits, c.m_bCore);
    bitmap.m_nColorsUsed = c.m_nColorsUsed;
    bitmap.m_colors.resize(c.m_nTableEntriesWritten, CDibRgb{1, 2, 3});
    const std::string strBlock = Block(bitmap);
    const void* pHeader = strBlock.data();

    EXPECT_EQ(DibColorCount(pHeader), c.m_nExpectedCount);
    EXPECT_EQ(DibColorTableSize(pHeader), c.m_nExpectedTableSize);
    EXPECT_EQ(DibPixelBits(pHeader) - reinterpret_cast<const uint8_t*>(pHeader), c.m_nExpectedPixelOffset);
    EXPECT_EQ(DibPaletteColors(pHeader).size(), c.m_nExpectedCount);
    EXPECT_EQ(DibWidth(pHeader), 5u);
    EXPECT_EQ(DibHeight(pHeader), 3u);
    EXPECT_EQ(DibScanLineCount(pHeader), 3u);
    EXPECT_TRUE(Fits(strBlock));
}

INSTANTIATE_TEST_SUITE_P(Kinds, DibLayoutTest, testing::ValuesIn(kLayoutCases),
                         [](const testing::TestParamInfo<CLayoutCase>& info) { return info.param.m_pszName; });

TEST(DibHeaderTest, PaletteColors_TakeRedGreenBlueFromThreeAndFourByteEntries)
{
    for (bool bCore : {false, true})
    {
        CTestBitmap bitmap(2, 2, 4, bCore);
        bitmap.m_colors[0] = CDibRgb{0x10, 0x20, 0x30};
        bitmap.m_colors[15] = CDibRgb{0xFE, 0x01, 0x80};
        const std::string strBlock = Block(bitmap);
        const std::vector<CDibRgb> colors = DibPaletteColors(strBlock.data());
        ASSERT_EQ(colors.size(), 16u) << bCore;
        EXPECT_EQ(colors[0], (CDibRgb{0x10, 0x20, 0x30})) << bCore;
        EXPECT_EQ(colors[7], (CDibRgb{7, 248, 3})) << bCore;
        EXPECT_EQ(colors[15], (CDibRgb{0xFE, 0x01, 0x80})) << bCore;
    }
}

TEST(DibHeaderTest, SizeFields_InfoSignedPatternCoreUnsigned16Bits)
{
    CTestBitmap topDown(7, -64, 24);
    std::string strBlock = Block(topDown);
    EXPECT_EQ(DibWidth(strBlock.data()), 7u);
    EXPECT_EQ(DibHeight(strBlock.data()), 0xFFFFFFC0u);
    // The unscaled copy never asks for more lines than the pixel array holds.
    EXPECT_EQ(DibScanLineCount(strBlock.data()), 64u);

    CTestBitmap core(0xFFFF, 2, 1, true);
    strBlock = Block(core);
    EXPECT_EQ(DibWidth(strBlock.data()), 0xFFFFu);
    EXPECT_EQ(DibHeight(strBlock.data()), 2u);
}

TEST(DibHeaderTest, UnknownHeaderSize_IsReadAsCoreHeader)
{
    // Size field 108 (a later info header): the fields are read at the core header's places.
    CTestBitmap bitmap(0x00030002, 1, 24);
    bitmap.m_nHeaderSize = 108;
    const std::string strBlock = Block(bitmap);
    EXPECT_EQ(DibWidth(strBlock.data()), 2u);
    EXPECT_EQ(DibHeight(strBlock.data()), 3u);
    EXPECT_EQ(DibPixelBits(strBlock.data()) - reinterpret_cast<const uint8_t*>(strBlock.data()), 108);
}

TEST(DibFitsInBlockTest, PixelArrayShortByMoreThanTheZeroTail_IsRefused)
{
    CTestBitmap bitmap(16, 16, 8);
    const std::string strDib = bitmap.DibBytes();
    // The 14 zero bytes at the block's end make up for a file that ends up to 14 bytes early.
    EXPECT_TRUE(Fits(strDib.substr(0, strDib.size() - 14) + std::string(14, '\0')));
    EXPECT_FALSE(Fits(strDib.substr(0, strDib.size() - 15) + std::string(14, '\0')));
}

TEST(DibFitsInBlockTest, ColorTableLongerThanBlock_IsRefused)
{
    // 256 entries claimed, 2 written, no pixels: the table runs past the block.
    CTestBitmap bitmap(0, 0, 8);
    bitmap.m_colors.resize(2);
    EXPECT_FALSE(Fits(Block(bitmap)));
    bitmap.m_colors.resize(256);
    EXPECT_TRUE(Fits(Block(bitmap)));
}

TEST(DibFitsInBlockTest, HostileValues_AreRefusedWithoutOverflow)
{
    struct CCase
    {
        const char* m_pszName;
        int32_t m_nWidth;
        int32_t m_nHeight;
        uint16_t m_nBits;
        uint32_t m_nColorsUsed;
    };
    const CCase cases[] = {
        {"ColorsUsedAll", 1, 1, 8, 0xFFFFFFFFu},
        {"ColorsUsedBeyond16Bits", 1, 1, 8, 0x10000},
        {"ColorsUsedTableBeyond16Bits", 1, 1, 8, 16384},
        {"HugeBoth", INT_MAX, INT_MAX, 32, 0},
        {"HugeDepth", INT_MAX, INT_MAX, 0xFFFF, 0},
        {"MinimalHeight", 1, INT_MIN, 32, 0},
        {"MinimalWidth", INT_MIN, 1, 32, 0},
    };
    for (const CCase& c : cases)
    {
        CTestBitmap bitmap(1, 1, c.m_nBits <= 32 ? c.m_nBits : 32);
        bitmap.m_nWidth = c.m_nWidth;
        bitmap.m_nHeight = c.m_nHeight;
        bitmap.m_nBits = c.m_nBits;
        bitmap.m_nColorsUsed = c.m_nColorsUsed;
        bitmap.m_pixels.assign(64, 0);
        EXPECT_FALSE(Fits(Block(bitmap))) << c.m_pszName;
    }
}

TEST(DibFitsInBlockTest, ColorsUsedWithinTable_IsKept)
{
    // 16383 entries are the most whose table size still fits 16 bits.
    CTestBitmap bitmap(1, 1, 8);
    bitmap.m_nColorsUsed = 16383;
    bitmap.m_colors.resize(16383);
    EXPECT_TRUE(Fits(Block(bitmap)));
}

TEST(DibFitsInBlockTest, CompressedPixels_NeedAnImageSizeWithinBlock)
{
    CTestBitmap bitmap(4, 4, 8);
    bitmap.m_nCompression = 1;  // run-length 8 bits
    bitmap.m_pixels.assign(10, 0);
    EXPECT_FALSE(Fits(Block(bitmap)));
    bitmap.m_nSizeImage = 10;
    EXPECT_TRUE(Fits(Block(bitmap)));
    bitmap.m_nSizeImage = 10 + 14 + 1;
    EXPECT_FALSE(Fits(Block(bitmap)));
}

TEST(DibFitsInBlockTest, LaterHeaderVersions_AreMeasuredAsTheSystemReadsThem)
{
    // A 108-byte header with a 256-entry table: this code sees no table, the drawing calls
    // read 1024 bytes of it; both must lie in the block.
    CTestBitmap bitmap(2, 2, 8);
    bitmap.m_nHeaderSize = 108;
    bitmap.m_pixels.clear();
    bitmap.m_colors.resize(200);
    EXPECT_FALSE(Fits(Block(bitmap)));
    bitmap.m_colors.resize(256);
    bitmap.m_pixels.assign(8, 0);
    EXPECT_TRUE(Fits(Block(bitmap)));
}

TEST(DibFitsInBlockTest, BlocksTooShortForTheHeader_AreRefused)
{
    const std::string strInfo = CTestBitmap(1, 1, 24).DibBytes();
    const std::string strCore = CTestBitmap(1, 1, 24, true).DibBytes();
    for (std::size_t n : {0, 3, 11})
        EXPECT_FALSE(Fits(strCore.substr(0, n))) << n;
    EXPECT_FALSE(Fits(strInfo.substr(0, 39)));
    EXPECT_TRUE(Fits(strCore.substr(0, 12) + std::string(14, '\0')));
}

} // namespace
