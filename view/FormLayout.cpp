#include "view/FormLayout.h"

#include "utils/AsciiText.h"

CFormLayout::CFactors CFormLayout::Factors(int nClientWidth, int nClientHeight, const CLayoutRect& rcForm,
                                           bool bZoomOut)
{
    CFactors factors;
    const int nFormWidth = rcForm.m_nRight - rcForm.m_nLeft;
    const int nFormHeight = rcForm.m_nBottom - rcForm.m_nTop;
    // A form without size cannot be scaled against; its controls keep their design size.
    factors.m_fX = nFormWidth > 0 ? static_cast<float>(nClientWidth) / static_cast<float>(nFormWidth) : 1.0f;
    factors.m_fY = nFormHeight > 0 ? static_cast<float>(nClientHeight) / static_cast<float>(nFormHeight) : 1.0f;
    if (!bZoomOut)
    {
        if (factors.m_fX < 1.0f)
        {
            factors.m_fX = 1.0f;
            factors.m_bResetHorizontal = true;
        }
        if (factors.m_fY < 1.0f)
        {
            factors.m_fY = 1.0f;
            factors.m_bResetVertical = true;
        }
    }
    return factors;
}

CPlacement CFormLayout::Scale(const CLayoutRect& rcDesign, const CFactors& factors)
{
    auto scale = [](float f, int n) { return static_cast<int>(f * static_cast<float>(n)); };
    CPlacement placement;
    placement.m_nX = scale(factors.m_fX, rcDesign.m_nLeft);
    placement.m_nY = scale(factors.m_fY, rcDesign.m_nTop);
    placement.m_nWidth = scale(factors.m_fX, rcDesign.m_nRight - rcDesign.m_nLeft);
    placement.m_nHeight = scale(factors.m_fY, rcDesign.m_nBottom - rcDesign.m_nTop);
    return placement;
}

void CFormLayout::TileCount(int nClientWidth, int nClientHeight, int nTileWidth, int nTileHeight, int& nColumns,
                            int& nRows)
{
    if (nTileWidth <= 0 || nTileHeight <= 0 || nClientWidth < 0 || nClientHeight < 0)
    {
        nColumns = nRows = 0;
        return;
    }
    nColumns = nClientWidth / nTileWidth + 1;
    nRows = nClientHeight / nTileHeight + 1;
}

bool CFormLayout::IsNoZoomOut(const std::string& strCommandLine)
{
    return EqualsNoCaseAscii(strCommandLine, "/NOZOOMOUT");
}
