// Global blocks, palettes and drawing into a real memory device context, read back pixel by
// pixel.
#include "dib/DibFileException.h"
#include "dib/DibHeader.h"
#include "dib/win32/DibGdi.h"
#include "tests/dib/TestBitmap.h"
#include "tests/support/TempDir.h"
#include "win/GdiSelection.h"
#include "win/GlobalLock.h"
#include "win/ScopedHandle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white 32-bit top-down drawing surface in a memory device context, read straight from its
// pixel memory.
class CSurface
{
public:
    CSurface(int nWidth, int nHeight) : m_nWidth(nWidth)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = nWidth;
        info.bmiHeader.biHeight = -nHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        m_bitmap.Reset(::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
        m_pBits = static_cast<uint32_t*>(pBits);
        if (m_pBits)
            std::memset(m_pBits, 0xFF, static_cast<std::size_t>(nWidth) * nHeight * 4);
        m_selector.emplace(m_dc.Get(), m_bitmap.Get());
    }

    bool IsValid() const { return m_dc.IsValid() && m_pBits && m_selector->GetPrevious(); }
    HDC Get() const { return m_dc.Get(); }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const uint32_t n = m_pBits[y * m_nWidth + x];
        return RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
    }

private:
    int m_nWidth;
    CScopedMemoryDC m_dc{::CreateCompatibleDC(nullptr)};
    CScopedBitmap m_bitmap;
    uint32_t* m_pBits = nullptr;
    std::optional<CGdiSelection> m_selector;  // last, so it goes first
};

COLORREF Rgb(const CDibRgb& color)
{
    return RGB(color.m_nRed, color.m_nGreen, color.m_nBlue);
}

COLORREF Rgb(uint32_t nRrggbb)
{
    return RGB((nRrggbb >> 16) & 0xFF, (nRrggbb >> 8) & 0xFF, nRrggbb & 0xFF);
}

// A distinct true colour per pixel of a small picture.
uint32_t TrueColorAt(int x, int y)
{
    return 0x203040u + static_cast<uint32_t>(x) * 0x300000u + static_cast<uint32_t>(y) * 0x000350u;
}

// A global block holding bytes as LoadDibFile would.
CScopedGlobal BlockOf(const std::string& strBytes)
{
    CScopedGlobal hBlock(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, strBytes.size()));
    CGlobalLock lock(hBlock.Get());
    std::memcpy(lock.Get(), strBytes.data(), strBytes.size());
    return hBlock;
}

CScopedGlobal BlockOf(const CTestBitmap& bitmap)
{
    return BlockOf(bitmap.DibBytes() + std::string(14, '\0'));
}

TEST(LoadDibFileTest, BlockIsAsLongAsTheFileWithZeroTail)
{
    CTestBitmap bitmap(5, 4, 8);
    bitmap.m_nColorsUsed = 20;
    bitmap.m_colors.resize(20);
    bitmap.SetPixel(4, 0, 19);
    const std::string strFile = bitmap.FileBytes();
    CTempDir dir;
    CScopedGlobal hDib = LoadDibFile(dir.Write("a.bmp", strFile));
    ASSERT_TRUE(hDib.IsValid());
    ASSERT_EQ(::GlobalSize(hDib.Get()), strFile.size());
    CGlobalLock lock(hDib.Get());
    const std::string strBlock(static_cast<const char*>(lock.Get()), strFile.size());
    EXPECT_EQ(strBlock, bitmap.DibBytes() + std::string(14, '\0'));
}

TEST(LoadDibFileTest, UnreadableFiles_GiveNoBlock)
{
    CTestBitmap bitmap(5, 4, 24);
    CTestBitmap swapped = bitmap;
    swapped.m_strMagic = "MB";
    const std::string strGood = bitmap.FileBytes();
    CTempDir dir;
    EXPECT_FALSE(LoadDibFile(dir.File("absent.bmp")).IsValid());
    EXPECT_FALSE(LoadDibFile(dir.Write("mb.bmp", swapped.FileBytes())).IsValid());
    EXPECT_FALSE(LoadDibFile(dir.Write("short.bmp", strGood.substr(0, 13))).IsValid());
    EXPECT_FALSE(LoadDibFile(dir.Write("cut.bmp", strGood.substr(0, strGood.size() - 30))).IsValid());
}

TEST(LoadDibFileTest, FileOpenElsewhere_Throws)
{
    CTempDir dir;
    const std::string strPath = dir.Write("held.bmp", CTestBitmap(2, 2, 24).FileBytes());
    // An ordinary open that shares reading keeps the exclusive open from succeeding.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pHeld(std::fopen(strPath.c_str(), "rb"), &std::fclose);
    ASSERT_TRUE(pHeld);
    EXPECT_THROW(LoadDibFile(strPath), CDibFileException);
    pHeld.reset();
    EXPECT_TRUE(LoadDibFile(strPath).IsValid());
}

TEST(MakeDibPaletteTest, EntriesComeFromTheColorTable)
{
    struct CCase
    {
        bool m_bCore;
        uint16_t m_nBits;
        uint32_t m_nColorsUsed;
        UINT m_nExpectedEntries;
    };
    for (const CCase& c : {CCase{false, 8, 20, 20}, CCase{false, 8, 0, 256}, CCase{true, 4, 0, 16},
                           CCase{false, 1, 0, 2}})
    {
        CTestBitmap bitmap(3, 3, c.m_nBits, c.m_bCore);
        if (c.m_nColorsUsed)
        {
            bitmap.m_nColorsUsed = c.m_nColorsUsed;
            bitmap.m_colors.resize(c.m_nColorsUsed);
        }
        CScopedGlobal hDib = BlockOf(bitmap);
        CScopedPalette palette;
        ASSERT_NE(MakeDibPalette(hDib.Get(), palette), 0) << c.m_nBits;
        ASSERT_TRUE(palette.IsValid());
        PALETTEENTRY entries[256] = {};
        ASSERT_EQ(::GetPaletteEntries(palette.Get(), 0, 256, entries), c.m_nExpectedEntries);
        for (UINT i = 0; i < c.m_nExpectedEntries; ++i)
        {
            EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue), Rgb(bitmap.m_colors[i])) << i;
            EXPECT_EQ(entries[i].peFlags, 0);
        }
    }
}

TEST(MakeDibPaletteTest, NoBitmapOrNoColorTable_MakesNothing)
{
    CScopedPalette palette;
    EXPECT_EQ(MakeDibPalette(nullptr, palette), 0);
    CScopedGlobal hDib = BlockOf(CTestBitmap(3, 3, 24));
    EXPECT_EQ(MakeDibPalette(hDib.Get(), palette), 0);
    EXPECT_FALSE(palette.IsValid());
}

class DrawDibTest : public testing::Test
{
protected:
    // A 4 x 3 picture drawn at (2, 3) of a 12 x 10 surface.
    static constexpr int kLeft = 2;
    static constexpr int kTop = 3;
    static constexpr RECT kSource = {0, 0, 4, 3};

    void SetUp() override { ASSERT_TRUE(m_surface.IsValid()); }

    // Everything outside the rectangle stays white.
    void ExpectWhiteOutside(const RECT& rc)
    {
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x)
            {
                if (x < rc.left || x >= rc.right || y < rc.top || y >= rc.bottom)
                {
                    ASSERT_EQ(m_surface.At(x, y), kWhite) << x << "," << y;
                }
            }
    }

    CSurface m_surface{12, 10};
};

TEST_F(DrawDibTest, PalettePictureSameSize_IsCopiedWithItsColorsInPlace)
{
    CTestBitmap bitmap(4, 3, 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            bitmap.SetPixel(x, y, static_cast<uint32_t>(1 + x + 4 * y) * 7);
    CScopedGlobal hDib = BlockOf(bitmap);
    CScopedPalette palette;
    ASSERT_NE(MakeDibPalette(hDib.Get(), palette), 0);

    const RECT rcDest = {kLeft, kTop, kLeft + 4, kTop + 3};
    EXPECT_EQ(DrawDib(m_surface.Get(), rcDest, hDib.Get(), kSource, &palette), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(m_surface.At(kLeft + x, kTop + y), Rgb(bitmap.m_colors[(1 + x + 4 * y) * 7])) << x << "," << y;
    ExpectWhiteOutside(rcDest);
    // The palette is selected back out again.
    EXPECT_NE(::GetCurrentObject(m_surface.Get(), OBJ_PAL), palette.Get());
}

TEST_F(DrawDibTest, TrueColorPictureSameSize_IsCopiedBottomUpRowsInPlace)
{
    for (bool bCore : {false, true})
    {
        CSurface surface(12, 10);
        CTestBitmap bitmap(4, 3, 24, bCore);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                bitmap.SetPixel(x, y, TrueColorAt(x, y));
        CScopedGlobal hDib = BlockOf(bitmap);
        const RECT rcDest = {kLeft, kTop, kLeft + 4, kTop + 3};
        EXPECT_EQ(DrawDib(surface.Get(), rcDest, hDib.Get(), kSource, nullptr), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(surface.At(kLeft + x, kTop + y), Rgb(TrueColorAt(x, y))) << bCore << " " << x << "," << y;
        EXPECT_EQ(surface.At(kLeft + 4, kTop), kWhite);
        EXPECT_EQ(surface.At(kLeft, kTop + 3), kWhite);
    }
}

TEST_F(DrawDibTest, DestinationOnePixelLarger_IsStretchedOverIt)
{
    CTestBitmap bitmap(4, 3, 24);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            bitmap.SetPixel(x, y, TrueColorAt(x, y));
    CScopedGlobal hDib = BlockOf(bitmap);

    const RECT rcWider = {kLeft, kTop, kLeft + 5, kTop + 3};
    EXPECT_NE(DrawDib(m_surface.Get(), rcWider, hDib.Get(), kSource, nullptr), 0);
    for (int y = 0; y < 3; ++y)
    {
        EXPECT_EQ(m_surface.At(kLeft, kTop + y), Rgb(TrueColorAt(0, y))) << y;
        EXPECT_EQ(m_surface.At(kLeft + 4, kTop + y), Rgb(TrueColorAt(3, y))) << y;
    }
    ExpectWhiteOutside(rcWider);

    CSurface taller(12, 10);
    const RECT rcTaller = {kLeft, kTop, kLeft + 4, kTop + 4};
    EXPECT_NE(DrawDib(taller.Get(), rcTaller, hDib.Get(), kSource, nullptr), 0);
    for (int x = 0; x < 4; ++x)
    {
        EXPECT_EQ(taller.At(kLeft + x, kTop), Rgb(TrueColorAt(x, 0))) << x;
        EXPECT_EQ(taller.At(kLeft + x, kTop + 3), Rgb(TrueColorAt(x, 2))) << x;
    }
    EXPECT_EQ(taller.At(kLeft, kTop + 4), kWhite);
}

TEST_F(DrawDibTest, NoBitmapOrBlockShorterThanItsHeaderClaims_DrawsNothing)
{
    const RECT rcDest = {kLeft, kTop, kLeft + 4, kTop + 3};
    EXPECT_EQ(DrawDib(m_surface.Get(), rcDest, nullptr, kSource, nullptr), 0);

    // Rows of a 4 x 3 picture but a header that claims 300 rows.
    CTestBitmap bitmap(4, 3, 24);
    bitmap.m_nHeight = 300;
    CScopedGlobal hDib = BlockOf(bitmap);
    EXPECT_EQ(DrawDib(m_surface.Get(), rcDest, hDib.Get(), kSource, nullptr), 0);
    ExpectWhiteOutside(RECT{0, 0, 0, 0});
}

} // namespace
