// Reading bitmap files written by the test into blocks, as the launcher holds them.
#include "dib/DibFile.h"
#include "dib/DibHeader.h"
#include "tests/dib/TestBitmap.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::optional<std::vector<uint8_t>> ReadFile(const CTempDir& dir, const std::string& strBytes)
{
    return CDibFile::ReadToVector(dir.Write("picture.bmp", strBytes));
}

std::string AsString(const std::vector<uint8_t>& block)
{
    return std::string(block.begin(), block.end());
}

TEST(DibFileTest, EveryDepthAndHeaderKind_IsReadWholeWithZeroTail)
{
    struct CCase
    {
        uint16_t m_nBits;
        bool m_bCore;
        uint32_t m_nColorsUsed;
    };
    const CCase cases[] = {
        {1, false, 0}, {4, false, 0}, {8, false, 0}, {8, false, 20}, {24, false, 0}, {32, false, 0},
        {1, true, 0},  {4, true, 0},  {8, true, 0},  {24, true, 0},
    };
    CTempDir dir;
    for (const CCase& c : cases)
    {
        CTestBitmap bitmap(13, 5, c.m_nBits, c.m_bCore);
        if (c.m_nColorsUsed)
        {
            bitmap.m_nColorsUsed = c.m_nColorsUsed;
            bitmap.m_colors.resize(c.m_nColorsUsed);
        }
        bitmap.SetPixel(12, 4, 1);
        const std::string strFile = bitmap.FileBytes();
        const auto block = ReadFile(dir, strFile);
        ASSERT_TRUE(block) << c.m_nBits << " " << c.m_bCore;
        EXPECT_EQ(block->size(), strFile.size());
        EXPECT_EQ(AsString(*block), bitmap.DibBytes() + std::string(14, '\0'));
        EXPECT_EQ(DibWidth(block->data()), 13u);
        EXPECT_EQ(DibHeight(block->data()), 5u);
    }
}

TEST(DibFileTest, FilesThatAreNotWholeBitmaps_GiveNothing)
{
    CTestBitmap bitmap(16, 16, 8);
    const std::string strGood = bitmap.FileBytes();

    CTestBitmap swapped = bitmap;
    swapped.m_strMagic = "MB";

    CTestBitmap hostile = bitmap;
    hostile.m_nColorsUsed = 0xFFFFFFFFu;

    CTestBitmap claimsMoreColors = bitmap;
    claimsMoreColors.m_colors.resize(20);  // 256 entries claimed
    claimsMoreColors.m_pixels.clear();

    const struct
    {
        const char* m_pszName;
        std::string m_strBytes;
    } cases[] = {
        {"Empty", ""},
        {"ThirteenBytes", strGood.substr(0, 13)},
        {"SwappedMagic", swapped.FileBytes()},
        {"PixelArrayTruncated", strGood.substr(0, strGood.size() - 100)},
        {"HostileColorsUsed", hostile.FileBytes()},
        {"MoreColorsClaimedThanHeld", claimsMoreColors.FileBytes()},
    };
    CTempDir dir;
    for (const auto& c : cases)
        EXPECT_FALSE(ReadFile(dir, c.m_strBytes)) << c.m_pszName;
    EXPECT_TRUE(ReadFile(dir, strGood));
}

TEST(DibFileTest, MissingFile_GivesNothingQuietly)
{
    CTempDir dir;
    EXPECT_FALSE(CDibFile::ReadToVector(dir.File("absent.bmp")));
}

TEST(DibFileTest, FileHeaderFields_BeyondTheMagicAreIgnored)
{
    // A wrong length and pixel offset in the file header change nothing.
    CTestBitmap bitmap(3, 3, 24);
    std::string strFile = bitmap.FileBytes();
    for (std::size_t i = 2; i < 14; ++i)
        strFile[i] = '\x7F';
    CTempDir dir;
    const auto block = ReadFile(dir, strFile);
    ASSERT_TRUE(block);
    EXPECT_EQ(AsString(*block), bitmap.DibBytes() + std::string(14, '\0'));
}

} // namespace
