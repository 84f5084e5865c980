#include "dib/DibHeader.h"

#include <algorithm>

namespace {

const uint8_t* Bytes(const void* p)
{
    return static_cast<const uint8_t*>(p);
}

uint16_t ReadU16(const void* p, std::size_t nOffset)
{
    const uint8_t* b = Bytes(p) + nOffset;
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t ReadU32(const void* p, std::size_t nOffset)
{
    const uint8_t* b = Bytes(p) + nOffset;
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

uint32_t HeaderSize(const void* pHeader)
{
    return ReadU32(pHeader, 0);
}

bool IsInfoHeader(const void* pHeader)
{
    return HeaderSize(pHeader) == kDibInfoHeaderSize;
}

uint16_t BitsPerPixel(const void* pHeader)
{
    return ReadU16(pHeader, IsInfoHeader(pHeader) ? 14 : 10);
}

// Absolute value of a signed 32-bit header field, without overflow for INT32_MIN.
uint64_t Magnitude(uint32_t nPattern)
{
    const int64_t n = static_cast<int32_t>(nPattern);
    return static_cast<uint64_t>(n < 0 ? -n : n);
}

// The header as the system's drawing calls read it: by its own size field, 12 for the core
// header and 40 or more for the info header and its later extensions; other sizes are refused
// there after reading the size field alone.
struct CSystemView
{
    bool m_bReadable = false;
    bool m_bCore = false;
    uint64_t m_nWidth = 0;  // magnitudes
    uint64_t m_nHeight = 0;
    uint32_t m_nBits = 0;
    uint32_t m_nCompression = 0;
    uint32_t m_nSizeImage = 0;
    uint64_t m_nColors = 0;  // colour-table entries that may be read
};

// Compression values whose pixel array is plain rows (none, bit-field masks, masks with alpha).
bool IsUncompressed(uint32_t nCompression)
{
    return nCompression == 0 || nCompression == 3 || nCompression == 6;
}

CSystemView ReadSystemView(const void* pHeader)
{
    CSystemView view;
    const uint32_t nSize = HeaderSize(pHeader);
    if (nSize == kDibCoreHeaderSize)
    {
        view.m_bReadable = true;
        view.m_bCore = true;
        view.m_nWidth = ReadU16(pHeader, 4);
        view.m_nHeight = ReadU16(pHeader, 6);
        view.m_nBits = ReadU16(pHeader, 10);
    }
    else if (nSize >= kDibInfoHeaderSize)
    {
        view.m_bReadable = true;
        view.m_nWidth = Magnitude(ReadU32(pHeader, 4));
        view.m_nHeight = Magnitude(ReadU32(pHeader, 8));
        view.m_nBits = ReadU16(pHeader, 14);
        view.m_nCompression = ReadU32(pHeader, 16);
        view.m_nSizeImage = ReadU32(pHeader, 20);
        view.m_nColors = ReadU32(pHeader, 32);
    }
    // Without a colours-used value the depth decides; a colours-used value is taken whole,
    // which is never less than what the system reads.
    if (view.m_bReadable && view.m_nColors == 0 && view.m_nBits <= 8)
        view.m_nColors = uint64_t{1} << view.m_nBits;
    return view;
}

// Bytes of the colour table (and bit-field masks) as the system reads them, from the header's
// start.
uint64_t SystemTableEnd(const void* pHeader, const CSystemView& view)
{
    uint64_t nEnd = HeaderSize(pHeader);
    if (view.m_bCore)
        return nEnd + 3 * view.m_nColors;
    // Masks of a bit-field bitmap with the plain info header stand where the table begins.
    if (nEnd == kDibInfoHeaderSize && (view.m_nCompression == 3 || view.m_nCompression == 6))
        nEnd += 16;
    return nEnd + 4 * view.m_nColors;
}

} // namespace

uint32_t DibWidth(const void* pHeader)
{
    return IsInfoHeader(pHeader) ? ReadU32(pHeader, 4) : ReadU16(pHeader, 4);
}

uint32_t DibHeight(const void* pHeader)
{
    return IsInfoHeader(pHeader) ? ReadU32(pHeader, 8) : ReadU16(pHeader, 6);
}

uint16_t DibColorCount(const void* pHeader)
{
    if (IsInfoHeader(pHeader))
    {
        const uint32_t nUsed = ReadU32(pHeader, 32);
        if (nUsed != 0)
            return static_cast<uint16_t>(nUsed);
    }
    switch (BitsPerPixel(pHeader))
    {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

uint16_t DibColorTableSize(const void* pHeader)
{
    const uint32_t nEntry = IsInfoHeader(pHeader) ? 4 : 3;
    return static_cast<uint16_t>(DibColorCount(pHeader) * nEntry);
}

const uint8_t* DibPixelBits(const void* pHeader)
{
    return Bytes(pHeader) + HeaderSize(pHeader) + DibColorTableSize(pHeader);
}

uint32_t DibScanLineCount(const void* pHeader)
{
    const uint32_t nLines = DibHeight(pHeader) & 0xFFFFu;
    const CSystemView view = ReadSystemView(pHeader);
    if (!view.m_bReadable)
        return nLines;
    return static_cast<uint32_t>(std::min<uint64_t>(nLines, view.m_nHeight));
}

std::vector<CDibRgb> DibPaletteColors(const void* pHeader)
{
    const bool bInfo = IsInfoHeader(pHeader);
    const std::size_t nFirst = bInfo ? kDibInfoHeaderSize : kDibCoreHeaderSize;
    const std::size_t nEntry = bInfo ? 4 : 3;
    const uint16_t nCount = DibColorCount(pHeader);
    std::vector<CDibRgb> colors(nCount);
    for (std::size_t i = 0; i < nCount; ++i)
    {
        const uint8_t* pEntry = Bytes(pHeader) + nFirst + nEntry * i;
        colors[i].m_nBlue = pEntry[0];
        colors[i].m_nGreen = pEntry[1];
        colors[i].m_nRed = pEntry[2];
    }
    return colors;
}

bool DibFitsInBlock(const void* pBlock, std::size_t nBlockSize)
{
    const uint64_t nBlock = nBlockSize;
    if (nBlock < 4)
        return false;
    const bool bInfo = IsInfoHeader(pBlock);
    // The fields read here and by the measuring functions.
    if (nBlock < (bInfo ? kDibInfoHeaderSize : kDibCoreHeaderSize))
        return false;
    if (bInfo && uint64_t{ReadU32(pBlock, 32)} * 4 > 0xFFFF)
        return false;

    // The colour table as the palette is built from it, and the pixel array's start.
    const uint64_t nPaletteEnd = bInfo ? kDibInfoHeaderSize + 4 * uint64_t{DibColorCount(pBlock)}
                                       : kDibCoreHeaderSize + 3 * uint64_t{DibColorCount(pBlock)};
    const uint64_t nPixelStart = uint64_t{HeaderSize(pBlock)} + DibColorTableSize(pBlock);
    if (nPaletteEnd > nBlock || nPixelStart > nBlock)
        return false;

    const CSystemView view = ReadSystemView(pBlock);
    if (!view.m_bReadable)
        return true;  // the drawing calls refuse such a header after its size field
    if (SystemTableEnd(pBlock, view) > nBlock)
        return false;

    const uint64_t nRoom = nBlock - nPixelStart;
    if (view.m_bCore || IsUncompressed(view.m_nCompression))
    {
        // Rows are padded to whole 32-bit words. Width (below 2^32) times depth (below 2^16)
        // cannot overflow 64 bits; the row count is checked by division.
        const uint64_t nStride = (view.m_nWidth * view.m_nBits + 31) / 32 * 4;
        return nStride == 0 || view.m_nHeight <= nRoom / nStride;
    }
    // Compressed pixels are read up to the image size that the header gives; without one
    // nothing bounds the reading.
    return view.m_nSizeImage != 0 && view.m_nSizeImage <= nRoom;
}
