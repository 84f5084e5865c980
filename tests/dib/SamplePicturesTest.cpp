// The sample medium's pictures are in the form the launcher prepares without a message: 8-bit
// bottom-up bitmaps with a colour table, a 64 x 64 tile and a 507 x 64 title that is drawn
// unscaled into the title rectangle.
#include "dib/DibFile.h"
#include "dib/DibHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SamplePicturesTest, TileAndTitle_AreWholeEightBitPalettePictures)
{
    const struct
    {
        const char* m_pszFile;
        uint32_t m_nWidth;
        uint32_t m_nHeight;
    } cases[] = {
        {"instapp.bmp", 64, 64},
        {"instttl.bmp", 507, 64},
    };
    for (const auto& c : cases)
    {
        const auto block = CDibFile::ReadToVector(std::string(KORVELT_SOURCE_DIR) + "/examples/medium/korvelt/" + c.m_pszFile);
        ASSERT_TRUE(block) << c.m_pszFile;
        const void* pHeader = block->data();
        EXPECT_EQ(DibWidth(pHeader), c.m_nWidth) << c.m_pszFile;
        EXPECT_EQ(DibHeight(pHeader), c.m_nHeight) << c.m_pszFile;
        EXPECT_EQ(DibColorCount(pHeader), 256) << c.m_pszFile;
        // The pixel array ends where the 14 zero bytes begin: nothing missing, nothing extra.
        const std::size_t nStride = (c.m_nWidth + 3) / 4 * 4;
        EXPECT_EQ(DibPixelBits(pHeader) + nStride * c.m_nHeight + 14, block->data() + block->size()) << c.m_pszFile;
    }
}

} // namespace
