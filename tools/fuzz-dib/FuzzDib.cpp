// libFuzzer target: arbitrary bytes as the block of a bitmap file (the packed bitmap followed
// by the 14 zero bytes that the launcher's block carries). Whatever the block check accepts is
// measured and its palette colours taken; for the two header kinds that bitmap files carry, the
// last byte of the colour table and of the pixel array that the drawing calls read is worked
// out here independently and touched. The buffer is exactly the block's length, so any read
// past it is caught by the address sanitizer.
#include "dib/DibHeader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

uint32_t Read(const uint8_t* p, std::size_t nOffset, std::size_t nBytes)
{
    uint32_t n = 0;
    for (std::size_t i = 0; i < nBytes; ++i)
        n |= static_cast<uint32_t>(p[nOffset + i]) << (8 * i);
    return n;
}

// Adds the last byte of the colour table and of an uncompressed pixel array, as read for
// drawing, of a bitmap with the 12-byte core or the 40-byte info header.
uint64_t TouchDrawnBytes(const uint8_t* pHeader, const uint8_t* pBits)
{
    const uint32_t nHeaderSize = Read(pHeader, 0, 4);
    if (nHeaderSize != 12 && nHeaderSize != 40)
        return 0;
    const bool bCore = nHeaderSize == 12;
    uint64_t nWidth = bCore ? Read(pHeader, 4, 2) : Read(pHeader, 4, 4);
    uint64_t nHeight = bCore ? Read(pHeader, 6, 2) : Read(pHeader, 8, 4);
    if (!bCore)
    {
        nWidth = static_cast<uint64_t>(std::llabs(static_cast<int32_t>(nWidth)));
        nHeight = static_cast<uint64_t>(std::llabs(static_cast<int32_t>(nHeight)));
    }
    const uint32_t nBits = Read(pHeader, bCore ? 10 : 14, 2);
    const uint32_t nCompression = bCore ? 0 : Read(pHeader, 16, 4);
    uint64_t nColors = bCore ? 0 : Read(pHeader, 32, 4);
    if (nColors == 0 && nBits <= 8)
        nColors = uint64_t{1} << nBits;

    uint64_t nSum = 0;
    if (nColors)
        nSum += pHeader[nHeaderSize + nColors * (bCore ? 3 : 4) - 1];
    if (nCompression == 0)
    {
        const uint64_t nPixelBytes = (nWidth * nBits + 31) / 32 * 4 * nHeight;
        if (nPixelBytes)
            nSum += pBits[nPixelBytes - 1];
    }
    return nSum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::size_t nBlock = nSize + 14;
    std::unique_ptr<uint8_t[]> pBlock(new uint8_t[nBlock]());
    if (nSize)
        std::memcpy(pBlock.get(), pData, nSize);

    if (!DibFitsInBlock(pBlock.get(), nBlock))
        return 0;

    uint64_t nSum = DibWidth(pBlock.get()) + DibHeight(pBlock.get()) + DibColorCount(pBlock.get()) +
                    DibColorTableSize(pBlock.get()) + DibScanLineCount(pBlock.get());
    for (const CDibRgb& color : DibPaletteColors(pBlock.get()))
        nSum += color.m_nRed + color.m_nGreen + color.m_nBlue;

    const uint8_t* pBits = DibPixelBits(pBlock.get());
    if (pBits < pBlock.get() || pBits > pBlock.get() + nBlock)
        std::abort();
    nSum += TouchDrawnBytes(pBlock.get(), pBits);

    static volatile uint64_t s_nSink;
    s_nSink = nSum;
    return 0;
}
