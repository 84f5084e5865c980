#include "dib/win32/DibPicture.h"

#include "dib/DibHeader.h"
#include "dib/win32/DibGdi.h"
#include "win/GdiSelection.h"
#include "win/GlobalLock.h"

bool CDibPicture::GetSize(int& nWidth, int& nHeight) const
{
    if (!m_hDib.IsValid())
        return false;
    CGlobalLock lock(m_hDib.Get());
    if (lock.Get() == nullptr)
        return false;
    nWidth = static_cast<int>(DibWidth(lock.Get()));
    nHeight = static_cast<int>(DibHeight(lock.Get()));
    return true;
}

void CDibPicture::DrawTiled(HDC hDC, int nColumns, int nRows) const
{
    int nWidth = 0;
    int nHeight = 0;
    if (!GetSize(nWidth, nHeight))
        return;
    const RECT rcSource{0, 0, nWidth, nHeight};
    for (int c = 0; c < nColumns; ++c)
    {
        for (int r = 0; r < nRows; ++r)
        {
            const RECT rcTile{c * nWidth, r * nHeight, c * nWidth + nWidth, r * nHeight + nHeight};
            DrawDib(hDC, rcTile, m_hDib.Get(), rcSource, &m_palette);
        }
    }
}

void CDibPicture::DrawStretched(HDC hDC, const RECT& rcDest) const
{
    int nWidth = 0;
    int nHeight = 0;
    if (GetSize(nWidth, nHeight) && nWidth > 0 && nHeight > 0)
        DrawDib(hDC, rcDest, m_hDib.Get(), RECT{0, 0, nWidth, nHeight}, &m_palette);
}

bool CDibPicture::RealizePalette(HDC hDC, bool bBackground) const
{
    if (!m_palette.IsValid())
        return false;
    CGdiSelection select(hDC, m_palette.Get(), bBackground);
    return select.GetPrevious() != nullptr && ::RealizePalette(hDC) > 0;
}

void CDibPicture::Reset()
{
    m_hDib.Reset();
    m_palette.Reset();
}
