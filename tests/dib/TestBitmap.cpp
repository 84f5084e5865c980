#include "tests/dib/TestBitmap.h"

#include <cstdlib>

namespace {

void PutU16(std::string& out, uint32_t n)
{
    out += static_cast<char>(n & 0xFF);
    out += static_cast<char>((n >> 8) & 0xFF);
}

void PutU32(std::string& out, uint32_t n)
{
    PutU16(out, n & 0xFFFF);
    PutU16(out, n >> 16);
}

} // namespace

CTestBitmap::CTestBitmap(int32_t nWidth, int32_t nHeight, uint16_t nBits, bool bCore)
    : m_nHeaderSize(bCore ? kDibCoreHeaderSize : kDibInfoHeaderSize), m_nWidth(nWidth), m_nHeight(nHeight),
      m_nBits(nBits)
{
    if (nBits <= 8)
    {
        // A recognisable ramp: entry i is (i, 255 - i, i / 2).
        for (unsigned i = 0; i < (1u << nBits); ++i)
            m_colors.push_back(CDibRgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                       static_cast<uint8_t>(i / 2)});
    }
    m_pixels.assign(Stride() * static_cast<std::size_t>(std::abs(nHeight)), 0);
}

std::size_t CTestBitmap::Stride() const
{
    return (static_cast<std::size_t>(std::abs(m_nWidth)) * m_nBits + 31) / 32 * 4;
}

void CTestBitmap::SetPixel(int x, int y, uint32_t nValue)
{
    const int nRow = m_nHeight > 0 ? m_nHeight - 1 - y : y;
    uint8_t* pRow = m_pixels.data() + Stride() * static_cast<std::size_t>(nRow);
    switch (m_nBits)
    {
    case 1:
    case 4:
    case 8:
    {
        const int nPerByte = 8 / m_nBits;
        const int nShift = (nPerByte - 1 - x % nPerByte) * m_nBits;
        const uint8_t nMask = static_cast<uint8_t>(((1u << m_nBits) - 1) << nShift);
        uint8_t& b = pRow[x / nPerByte];
        b = static_cast<uint8_t>((b & ~nMask) | ((nValue << nShift) & nMask));
        break;
    }
    case 24:
    case 32:
    {
        uint8_t* p = pRow + static_cast<std::size_t>(x) * (m_nBits / 8);
        p[0] = static_cast<uint8_t>(nValue & 0xFF);          // blue
        p[1] = static_cast<uint8_t>((nValue >> 8) & 0xFF);   // green
        p[2] = static_cast<uint8_t>((nValue >> 16) & 0xFF);  // red
        break;
    }
    default:
        std::abort();
    }
}

std::string CTestBitmap::DibBytes() const
{
    std::string out;
    PutU32(out, m_nHeaderSize);
    if (IsCore())
    {
        PutU16(out, static_cast<uint32_t>(m_nWidth));
        PutU16(out, static_cast<uint32_t>(m_nHeight));
        PutU16(out, 1);
        PutU16(out, m_nBits);
    }
    else
    {
        PutU32(out, static_cast<uint32_t>(m_nWidth));
        PutU32(out, static_cast<uint32_t>(m_nHeight));
        PutU16(out, 1);
        PutU16(out, m_nBits);
        PutU32(out, m_nCompression);
        PutU32(out, m_nSizeImage);
        PutU32(out, 2835);  // 72 dots per inch
        PutU32(out, 2835);
        PutU32(out, m_nColorsUsed);
        PutU32(out, 0);
        // Later header versions: their extra fields stay zero.
        while (out.size() < m_nHeaderSize)
            out += '\0';
    }
    for (const CDibRgb& color : m_colors)
    {
        out += static_cast<char>(color.m_nBlue);
        out += static_cast<char>(color.m_nGreen);
        out += static_cast<char>(color.m_nRed);
        if (!IsCore())
            out += '\0';
    }
    out.append(reinterpret_cast<const char*>(m_pixels.data()), m_pixels.size());
    return out;
}

std::string CTestBitmap::FileBytes() const
{
    const std::string strDib = DibBytes();
    std::string out = m_strMagic;
    const uint32_t nColorTable = static_cast<uint32_t>(m_colors.size() * (IsCore() ? 3 : 4));
    PutU32(out, static_cast<uint32_t>(14 + strDib.size()));
    PutU32(out, 0);
    PutU32(out, 14 + m_nHeaderSize + nColorTable);
    return out + strDib;
}
