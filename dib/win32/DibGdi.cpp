#include "dib/win32/DibGdi.h"

#include "dib/DibFile.h"
#include "dib/DibHeader.h"
#include "win/GdiSelection.h"
#include "win/GlobalLock.h"

#include <optional>

namespace {

// use(header) with the block's bitmap locked; 0 without a block, or when it cannot be locked or
// does not hold what it claims (a block that did not come from LoadDibFile is not trusted either).
template <class Use>
int WithSoundDib(HGLOBAL hDib, Use use)
{
    if (!hDib)
        return 0;
    const CGlobalLock lock(hDib);
    const void* pHeader = lock.Get();
    if (!pHeader || !DibFitsInBlock(pHeader, ::GlobalSize(hDib)))
        return 0;
    return use(pHeader);
}

int MakePaletteOf(const void* pHeader, CScopedPalette& palette)
{
    const std::vector<CDibRgb> colors = DibPaletteColors(pHeader);
    if (colors.empty())
        return 0;

    // LOGPALETTE: version and entry count, then the entries; its declared one-entry array
    // makes the block one entry longer than needed.
    CScopedGlobal hLogPalette(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8 + 4 * colors.size()));
    if (!hLogPalette.IsValid())
        return 0;
    CGlobalLock logPalette(hLogPalette.Get());
    auto* pLogPalette = static_cast<LOGPALETTE*>(logPalette.Get());
    if (!pLogPalette)
        return 0;
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = static_cast<WORD>(colors.size());
    for (std::size_t i = 0; i < colors.size(); ++i)
    {
        pLogPalette->palPalEntry[i].peRed = colors[i].m_nRed;
        pLogPalette->palPalEntry[i].peGreen = colors[i].m_nGreen;
        pLogPalette->palPalEntry[i].peBlue = colors[i].m_nBlue;
        pLogPalette->palPalEntry[i].peFlags = 0;
    }
    HPALETTE hPalette = ::CreatePalette(pLogPalette);
    if (!hPalette)
        return 0;
    palette.Reset(hPalette);
    return 1;
}

int DrawLocked(HDC hDC, const RECT& rcDest, const void* pHeader, const RECT& rcSource, const CScopedPalette* pPalette)
{
    const auto* pInfo = static_cast<const BITMAPINFO*>(pHeader);
    const uint8_t* pBits = DibPixelBits(pHeader);

    std::optional<CGdiSelection> palette;
    if (pPalette && pPalette->IsValid())
        palette.emplace(hDC, pPalette->Get(), true);

    ::SetStretchBltMode(hDC, COLORONCOLOR);
    const int nDestWidth = rcDest.right - rcDest.left;
    const int nDestHeight = rcDest.bottom - rcDest.top;
    const int nSourceWidth = rcSource.right - rcSource.left;
    const int nSourceHeight = rcSource.bottom - rcSource.top;
    if (nDestWidth == nSourceWidth && nDestHeight == nSourceHeight)
    {
        // The copy's source origin counts rows from the bottom of a bottom-up bitmap.
        const int nSourceY = static_cast<int>(DibHeight(pHeader)) - rcSource.bottom;
        return ::SetDIBitsToDevice(hDC, rcDest.left, rcDest.top, nDestWidth, nDestHeight, rcSource.left,
                                   nSourceY, 0, DibScanLineCount(pHeader), pBits, pInfo, DIB_RGB_COLORS);
    }
    return ::StretchDIBits(hDC, rcDest.left, rcDest.top, nDestWidth, nDestHeight, rcSource.left, rcSource.top,
                           nSourceWidth, nSourceHeight, pBits, pInfo, DIB_RGB_COLORS, SRCCOPY);
}

} // namespace

CScopedGlobal LoadDibFile(const std::string& strPath)
{
    CScopedGlobal hDib;
    std::optional<CGlobalLock> lock;
    const bool bRead = CDibFile::Read(strPath, [&](std::size_t nLength) -> void* {
        hDib = CScopedGlobal(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nLength));
        if (!hDib.IsValid())
            return nullptr;
        lock.emplace(hDib.Get());
        return lock->Get();
    });
    lock.reset();
    if (!bRead)
        hDib.Reset();
    return hDib;
}

int MakeDibPalette(HGLOBAL hDib, CScopedPalette& palette)
{
    return WithSoundDib(hDib, [&](const void* pHeader) { return MakePaletteOf(pHeader, palette); });
}

int DrawDib(HDC hDC, const RECT& rcDest, HGLOBAL hDib, const RECT& rcSource, const CScopedPalette* pPalette)
{
    return WithSoundDib(hDib, [&](const void* pHeader) { return DrawLocked(hDC, rcDest, pHeader, rcSource, pPalette); });
}
