// Measures a packed device-independent bitmap in memory (header, colour table, pixels) and
// checks that its block holds all that reading and drawing it touch. Free functions; owns nothing.
#ifndef KORVELT_DIB_DIBHEADER_H
#define KORVELT_DIB_DIBHEADER_H

#include <cstddef>
#include <cstdint>
#include <vector>

// One colour-table entry as a logical palette takes it.
struct CDibRgb
{
    uint8_t m_nRed = 0;
    uint8_t m_nGreen = 0;
    uint8_t m_nBlue = 0;

    bool operator==(const CDibRgb& other) const
    {
        return m_nRed == other.m_nRed && m_nGreen == other.m_nGreen && m_nBlue == other.m_nBlue;
    }
};

// Size field of the Windows info header; every other value is read as the 12-byte core header.
inline constexpr uint32_t kDibInfoHeaderSize = 40;
inline constexpr uint32_t kDibCoreHeaderSize = 12;

// The header's width and height; a core header's 16-bit values are extended with zeros, an
// info header's signed values come back as their 32-bit pattern (negative heights above
// 0x7FFFFFFF).
uint32_t DibWidth(const void* pHeader);
uint32_t DibHeight(const void* pHeader);
// Colour-table entries: a nonzero colours-used field of an info header (cut to 16 bits), else
// 2, 16 or 256 for 1, 4 or 8 bits per pixel and 0 for every other depth.
uint16_t DibColorCount(const void* pHeader);
// DibColorCount times 4 (info header) or 3 (core header), cut to 16 bits.
uint16_t DibColorTableSize(const void* pHeader);
// The pixel array: straight after the header (by its size field) and the colour table.
const uint8_t* DibPixelBits(const void* pHeader);
// The number of scan lines for an unscaled copy: the height cut to 16 bits, but never more
// lines than the pixel array holds as the drawing call reads the header (a top-down height of
// -64 gives 64, not 65472).
uint32_t DibScanLineCount(const void* pHeader);
// Red, green and blue of each colour-table entry, DibColorCount of them.
std::vector<CDibRgb> DibPaletteColors(const void* pHeader);

// True when a block of nBlockSize bytes that starts with the header holds everything that the
// functions above and the drawing calls read: the header, the colour table as this code and as
// the system read it, and the whole pixel array from DibPixelBits on. Also false when the
// colours-used field is so large that the 16-bit colour count or table size would lose bits,
// so that the table, its size and the pixel offset would no longer agree.
bool DibFitsInBlock(const void* pBlock, std::size_t nBlockSize);

#endif
