// The document's two pictures read from ".\korvelt" below the current folder, with the
// messages recorded instead of shown.
#include "dib/DibHeader.h"
#include "dib/win32/DibPictures.h"
#include "tests/dib/TestBitmap.h"
#include "tests/support/TempDir.h"
#include "win/GlobalLock.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using EBox = IPictureReporter::EBox;
using CMessage = std::pair<EBox, std::string>;

class CRecordingReporter : public IPictureReporter
{
public:
    void Report(EBox box, const std::string& strText) override { m_messages.emplace_back(box, strText); }
    std::vector<CMessage> m_messages;
};

const CMessage kUnreadable{EBox::Program, "Cannot read DIB File"};
const CMessage kTooLarge{EBox::PlainInformation,
                         "DIB\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x91\xE5\x82\xAB\x82\xB7\x82\xAC\x82\xDC\x82\xB7"};

// An 8-bit picture with a 20-entry colour table; its first pixel's index tells pictures apart.
std::string PaletteFile(int32_t nWidth, int32_t nHeight, uint32_t nMark = 0)
{
    CTestBitmap bitmap(nWidth, nHeight, 8);
    bitmap.m_nColorsUsed = 20;
    bitmap.m_colors.resize(20);
    bitmap.SetPixel(0, 0, nMark);
    return bitmap.FileBytes();
}

uint32_t HeightOf(const CScopedGlobal& hDib)
{
    CGlobalLock lock(hDib.Get());
    return DibHeight(lock.Get());
}

class DibPicturesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(m_dir.Path() / "korvelt");
        char szFolder[MAX_PATH] = {};
        ASSERT_NE(::GetCurrentDirectoryA(MAX_PATH, szFolder), 0u);
        m_strPreviousFolder = szFolder;
        ASSERT_TRUE(::SetCurrentDirectoryA(m_dir.Path().string().c_str()));
    }

    void TearDown() override { ::SetCurrentDirectoryA(m_strPreviousFolder.c_str()); }

    void WriteApp(const std::string& strBytes) { m_dir.Write("korvelt/instapp.bmp", strBytes); }
    void WriteTitle(const std::string& strBytes) { m_dir.Write("korvelt/instttl.bmp", strBytes); }

    CTempDir m_dir;
    std::string m_strPreviousFolder;
    CRecordingReporter m_reporter;
    CDibPictures m_pictures{m_reporter};
};

TEST_F(DibPicturesTest, BothPictures_AreHeldWithPalettesQuietly)
{
    WriteApp(PaletteFile(64, 64));
    WriteTitle(PaletteFile(507, 64));
    EXPECT_TRUE(m_pictures.LoadBitmaps());
    EXPECT_TRUE(m_reporter.m_messages.empty());
    ASSERT_TRUE(m_pictures.m_picApp.m_hDib.IsValid());
    ASSERT_TRUE(m_pictures.m_picTitle.m_hDib.IsValid());
    ASSERT_TRUE(m_pictures.m_picApp.m_palette.IsValid());
    ASSERT_TRUE(m_pictures.m_picTitle.m_palette.IsValid());
    EXPECT_EQ(::GetPaletteEntries(m_pictures.m_picApp.m_palette.Get(), 0, 0, nullptr), 20u);
}

TEST_F(DibPicturesTest, UnreadableAppPicture_IsReportedOnceAndTitleIsNotRead)
{
    const std::string strGood = PaletteFile(64, 64);
    std::string strSwapped = strGood;
    strSwapped[0] = 'M';
    strSwapped[1] = 'B';
    const struct
    {
        const char* m_pszName;
        const char* m_pszBytes;  // null: no file
        std::size_t m_nLength;
        bool m_bHeldOpen;
    } cases[] = {
        {"Missing", nullptr, 0, false},
        {"SwappedMagic", strSwapped.data(), strSwapped.size(), false},
        {"ThirteenBytes", strGood.data(), 13, false},
        {"Truncated", strGood.data(), strGood.size() - 100, false},
        {"HeldOpenElsewhere", strGood.data(), strGood.size(), true},
    };
    WriteTitle(PaletteFile(507, 64));
    for (const auto& c : cases)
    {
        std::filesystem::remove(m_dir.Path() / "korvelt" / "instapp.bmp");
        if (c.m_pszBytes)
            WriteApp(std::string(c.m_pszBytes, c.m_nLength));
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> pHeld(
            c.m_bHeldOpen ? std::fopen(m_dir.File("korvelt/instapp.bmp").c_str(), "rb") : nullptr, &std::fclose);

        CRecordingReporter reporter;
        CDibPictures pictures(reporter);
        EXPECT_FALSE(pictures.LoadBitmaps()) << c.m_pszName;
        EXPECT_EQ(reporter.m_messages, std::vector<CMessage>{kUnreadable}) << c.m_pszName;
        EXPECT_FALSE(pictures.m_picApp.m_hDib.IsValid()) << c.m_pszName;
        EXPECT_FALSE(pictures.m_picTitle.m_hDib.IsValid()) << c.m_pszName;
        EXPECT_FALSE(pictures.m_picApp.m_palette.IsValid()) << c.m_pszName;
        EXPECT_FALSE(pictures.m_picTitle.m_palette.IsValid()) << c.m_pszName;
    }
}

TEST_F(DibPicturesTest, MissingOrHeldTitlePicture_IsQuiet)
{
    WriteApp(PaletteFile(64, 64));
    EXPECT_TRUE(m_pictures.LoadBitmaps());
    EXPECT_TRUE(m_reporter.m_messages.empty());
    EXPECT_TRUE(m_pictures.m_picApp.m_hDib.IsValid());
    EXPECT_TRUE(m_pictures.m_picApp.m_palette.IsValid());
    EXPECT_FALSE(m_pictures.m_picTitle.m_hDib.IsValid());
    EXPECT_FALSE(m_pictures.m_picTitle.m_palette.IsValid());

    WriteTitle(PaletteFile(507, 64));
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pHeld(std::fopen(m_dir.File("korvelt/instttl.bmp").c_str(), "rb"),
                                                          &std::fclose);
    ASSERT_TRUE(pHeld);
    EXPECT_TRUE(m_pictures.LoadBitmaps());
    EXPECT_TRUE(m_reporter.m_messages.empty());
    EXPECT_FALSE(m_pictures.m_picTitle.m_hDib.IsValid());
}

TEST_F(DibPicturesTest, NegativeAppHeight_IsRefusedAndTitleLeftAlone)
{
    WriteApp(PaletteFile(64, -64));
    WriteTitle(PaletteFile(507, 64));
    EXPECT_TRUE(m_pictures.LoadBitmaps());
    EXPECT_EQ(m_reporter.m_messages, std::vector<CMessage>{kTooLarge});
    EXPECT_FALSE(m_pictures.m_picApp.m_hDib.IsValid());
    EXPECT_FALSE(m_pictures.m_picApp.m_palette.IsValid());
    // The title was read but not prepared: no palette.
    EXPECT_TRUE(m_pictures.m_picTitle.m_hDib.IsValid());
    EXPECT_FALSE(m_pictures.m_picTitle.m_palette.IsValid());
}

TEST_F(DibPicturesTest, NegativeTitleWidthOrHeight_IsRefusedAppKept)
{
    for (auto size : {std::pair<int32_t, int32_t>{507, -64}, std::pair<int32_t, int32_t>{-507, 64}})
    {
        WriteApp(PaletteFile(64, 64));
        WriteTitle(PaletteFile(size.first, size.second));
        CRecordingReporter reporter;
        CDibPictures pictures(reporter);
        EXPECT_TRUE(pictures.LoadBitmaps());
        EXPECT_EQ(reporter.m_messages, std::vector<CMessage>{kTooLarge}) << size.first;
        EXPECT_TRUE(pictures.m_picApp.m_hDib.IsValid());
        EXPECT_TRUE(pictures.m_picApp.m_palette.IsValid());
        EXPECT_FALSE(pictures.m_picTitle.m_hDib.IsValid());
        EXPECT_FALSE(pictures.m_picTitle.m_palette.IsValid());
    }
}

TEST_F(DibPicturesTest, AppPictureWithoutColorTable_KeptWithoutPaletteTitleUnprepared)
{
    WriteApp(CTestBitmap(64, 64, 24).FileBytes());
    WriteTitle(PaletteFile(507, -64));  // would be refused if it were looked at
    EXPECT_TRUE(m_pictures.LoadBitmaps());
    EXPECT_TRUE(m_reporter.m_messages.empty());
    EXPECT_TRUE(m_pictures.m_picApp.m_hDib.IsValid());
    EXPECT_FALSE(m_pictures.m_picApp.m_palette.IsValid());
    EXPECT_TRUE(m_pictures.m_picTitle.m_hDib.IsValid());
    EXPECT_FALSE(m_pictures.m_picTitle.m_palette.IsValid());
}

TEST_F(DibPicturesTest, CoreHeaderSizesAreUnsigned_AndPass)
{
    // 40000 pixels wide: above 0x7FFF, which a signed 16-bit reading would take as negative.
    CTestBitmap bitmap(40000, 1, 1, true);
    WriteApp(bitmap.FileBytes());
    EXPECT_TRUE(m_pictures.LoadBitmaps());
    EXPECT_TRUE(m_reporter.m_messages.empty());
    EXPECT_TRUE(m_pictures.m_picApp.m_hDib.IsValid());
    EXPECT_TRUE(m_pictures.m_picApp.m_palette.IsValid());
}

TEST_F(DibPicturesTest, RepeatedLoad_HoldsOneBlockAndOnePalettePerPicture)
{
    WriteApp(PaletteFile(64, 64));
    WriteTitle(PaletteFile(507, 64));
    ASSERT_TRUE(m_pictures.LoadBitmaps());
    const HGLOBAL hOldApp = m_pictures.m_picApp.m_hDib.Get();
    const HGLOBAL hOldTitle = m_pictures.m_picTitle.m_hDib.Get();
    const HPALETTE hOldPalApp = m_pictures.m_picApp.m_palette.Get();
    const HPALETTE hOldPalTitle = m_pictures.m_picTitle.m_palette.Get();

    // The second reading finds other pictures.
    WriteApp(PaletteFile(64, 32));
    WriteTitle(PaletteFile(507, 48));
    ASSERT_TRUE(m_pictures.LoadBitmaps());
    EXPECT_TRUE(m_reporter.m_messages.empty());
    EXPECT_EQ(HeightOf(m_pictures.m_picApp.m_hDib), 32u);
    EXPECT_EQ(HeightOf(m_pictures.m_picTitle.m_hDib), 48u);

    const HGLOBAL hNewBlocks[] = {m_pictures.m_picApp.m_hDib.Get(), m_pictures.m_picTitle.m_hDib.Get()};
    for (HGLOBAL hOld : {hOldApp, hOldTitle})
    {
        // A freed handle may come back for a later block; any other must be gone.
        if (hOld != hNewBlocks[0] && hOld != hNewBlocks[1])
        {
            EXPECT_EQ(::GlobalSize(hOld), 0u);
        }
    }
    for (HPALETTE hOld : {hOldPalApp, hOldPalTitle})
    {
        EXPECT_NE(hOld, m_pictures.m_picApp.m_palette.Get());
        EXPECT_NE(hOld, m_pictures.m_picTitle.m_palette.Get());
        EXPECT_EQ(::GetObjectType(hOld), 0u);
    }
}

TEST_F(DibPicturesTest, AppPictureGoneOnSecondLoad_LeavesNoAppBlock)
{
    WriteApp(PaletteFile(64, 64));
    WriteTitle(PaletteFile(507, 64));
    ASSERT_TRUE(m_pictures.LoadBitmaps());
    const HGLOBAL hOldApp = m_pictures.m_picApp.m_hDib.Get();
    std::filesystem::remove(m_dir.Path() / "korvelt" / "instapp.bmp");
    EXPECT_FALSE(m_pictures.LoadBitmaps());
    EXPECT_EQ(m_reporter.m_messages, std::vector<CMessage>{kUnreadable});
    EXPECT_FALSE(m_pictures.m_picApp.m_hDib.IsValid());
    if (hOldApp != m_pictures.m_picTitle.m_hDib.Get())
    {
        EXPECT_EQ(::GlobalSize(hOldApp), 0u);
    }
}

} // namespace
