#include "catalog/ArchiveReader.h"

#include "catalog/ArchiveException.h"
#include "sys/System.h"

const char* CArchiveReader::Take(uint64_t nBytes)
{
    if (nBytes > GetRemaining())
    {
        // Like the framework's archive, a short read uses up what is there before it fails, so
        // a later check for trailing data finds none.
        m_nPos = m_strBytes.size();
        throw CArchiveException(CArchiveException::endOfFile, "archive data ends too early");
    }
    const char* p = m_strBytes.data() + m_nPos;
    m_nPos += static_cast<std::size_t>(nBytes);
    return p;
}

uint8_t CArchiveReader::ReadByte()
{
    return static_cast<uint8_t>(*Take(1));
}

uint16_t CArchiveReader::ReadUInt16()
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(Take(2));
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t CArchiveReader::ReadUInt32()
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(Take(4));
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint32_t CArchiveReader::ReadLength(bool& bWide)
{
    bWide = false;
    uint8_t nByte = ReadByte();
    if (nByte < 0xFF)
        return nByte;
    uint16_t nWord = ReadUInt16();
    if (nWord == 0xFFFE)
    {
        // The UTF-16 marker: a second prefix follows, in which 0xFFFE is an ordinary length.
        bWide = true;
        nByte = ReadByte();
        if (nByte < 0xFF)
            return nByte;
        nWord = ReadUInt16();
    }
    if (nWord != 0xFFFF)
        return nWord;
    return ReadUInt32();
}

std::string CArchiveReader::ReadString()
{
    bool bWide = false;
    const uint32_t nLength = ReadLength(bWide);
    if (!bWide)
    {
        const char* p = Take(nLength);
        return std::string(p, nLength);
    }
    const unsigned char* p = reinterpret_cast<const unsigned char*>(Take(uint64_t{nLength} * 2));
    std::u16string strWide(nLength, u'\0');
    for (uint32_t i = 0; i < nLength; ++i)
        strWide[i] = static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8);
    std::string strText;
    TheSystem().Utf16ToCp932(strWide, false, strText);
    return strText;
}
