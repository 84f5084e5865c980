// Scaling of the form's controls, tiling of the background and the "/NOZOOMOUT" option.
#include "view/FormLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CLayoutRect kForm{0, 0, 639, 457};

} // namespace

TEST(FormLayout, ZoomOutShrinksBelowDesignSize)
{
    const CFormLayout::CFactors half = CFormLayout::Factors(319, 457, kForm, true);
    EXPECT_FALSE(half.m_bResetHorizontal);
    const CPlacement p = CFormLayout::Scale({20, 130, 630, 390}, half);
    EXPECT_EQ(p.m_nX, 9);       // 20 * 0.4992 = 9.98, truncated
    EXPECT_EQ(p.m_nWidth, 304);  // 610 * 0.4992
    EXPECT_EQ(p.m_nY, 130);
    EXPECT_EQ(p.m_nHeight, 260);
}

TEST(FormLayout, WithoutZoomOutNeverBelowDesignSize)
{
    const CFormLayout::CFactors f = CFormLayout::Factors(319, 914, kForm, false);
    EXPECT_TRUE(f.m_bResetHorizontal);
    EXPECT_FALSE(f.m_bResetVertical);
    EXPECT_EQ(f.m_fX, 1.0f);
    const CPlacement p = CFormLayout::Scale({20, 130, 630, 390}, f);
    EXPECT_EQ(p.m_nX, 20);
    EXPECT_EQ(p.m_nWidth, 610);
    EXPECT_EQ(p.m_nY, 260);
    EXPECT_EQ(p.m_nHeight, 520);
}

TEST(FormLayout, ProductsTruncateTowardZero)
{
    CFormLayout::CFactors f;
    f.m_fX = 1.5f;
    f.m_fY = 1.5f;
    const CPlacement p = CFormLayout::Scale({15, 15, 16, 16}, f);
    EXPECT_EQ(p.m_nX, 22);
    EXPECT_EQ(p.m_nY, 22);
    EXPECT_EQ(p.m_nWidth, 1);
    EXPECT_EQ(CFormLayout::Factors(100, 100, CLayoutRect{}, true).m_fX, 1.0f);  // a form without size
}

TEST(FormLayout, TileCount)
{
    const struct { int cw, ch, w, h, cols, rows; } cases[] = {
        {650, 450, 100, 100, 7, 5}, {600, 450, 100, 100, 7, 5}, {0, 0, 64, 64, 1, 1},
        {650, 450, 0, 100, 0, 0}, {650, 450, 100, 0, 0, 0}, {650, 450, -5, 10, 0, 0},
    };
    for (const auto& c : cases)
    {
        int nColumns = -1, nRows = -1;
        CFormLayout::TileCount(c.cw, c.ch, c.w, c.h, nColumns, nRows);
        EXPECT_EQ(nColumns, c.cols) << c.cw << "x" << c.ch << " / " << c.w << "x" << c.h;
        EXPECT_EQ(nRows, c.rows) << c.cw << "x" << c.ch << " / " << c.w << "x" << c.h;
    }
}

TEST(FormLayout, NoZoomOutOption_OnlyTheWholeOptionInAnyCase)
{
    const struct
    {
        std::string strCmdLine;
        bool bNoZoomOut;
    } cases[] = {
        {"/NOZOOMOUT", true},  {"/nozoomout", true},          {"/NoZoomOut", true},
        {"/NOZOOMOUT ", false}, {" /NOZOOMOUT", false},       {"/NOZOOMOUT x", false},
        {"", false},            {"-NOZOOMOUT", false},        {"/NOZOOM", false},
        {"/NOZOOMOUT" + std::string(130, ' '), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFormLayout::IsNoZoomOut(c.strCmdLine), c.bNoZoomOut) << '"' << c.strCmdLine << '"';
}
