// A bitmap file put together byte by byte for the tests: file header, info or core header,
// colour table and pixel array, with every field settable, also to values no writer would use.
#ifndef KORVELT_TESTS_DIB_TESTBITMAP_H
#define KORVELT_TESTS_DIB_TESTBITMAP_H

#include "dib/DibHeader.h"

#include <cstdint>
#include <string>
#include <vector>

class CTestBitmap
{
public:
    // An uncompressed bottom-up bitmap whose colour table has as many entries as the depth
    // allows (none above 8 bits) and whose pixels are all zero.
    CTestBitmap(int32_t nWidth, int32_t nHeight, uint16_t nBits, bool bCore = false);

    // Bytes of one row, padded to whole 32-bit words.
    std::size_t Stride() const;
    // Sets the pixel at (x, y), y counted from the top of the picture as shown; the value is a
    // colour index up to 8 bits, or 0xRRGGBB at 24 and 32 bits.
    void SetPixel(int x, int y, uint32_t nValue);

    // The whole file; the colours-used field is written as given.
    std::string FileBytes() const;
    // Everything after the 14-byte file header: the packed bitmap.
    std::string DibBytes() const;

    std::string m_strMagic = "BM";
    uint32_t m_nHeaderSize;
    int32_t m_nWidth;
    int32_t m_nHeight;
    uint16_t m_nBits;
    uint32_t m_nCompression = 0;
    uint32_t m_nSizeImage = 0;
    uint32_t m_nColorsUsed = 0;
    std::vector<CDibRgb> m_colors;  // written in the table, 3 or 4 bytes each
    std::vector<uint8_t> m_pixels;  // the pixel array as stored, bottom row first

private:
    bool IsCore() const { return m_nHeaderSize == kDibCoreHeaderSize; }
};

#endif
