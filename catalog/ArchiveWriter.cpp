#include "catalog/ArchiveWriter.h"

void CArchiveWriter::WriteUInt32(uint32_t nValue)
{
    for (int i = 0; i < 4; ++i)
        m_strBytes += static_cast<char>((nValue >> (8 * i)) & 0xFF);
}

void CArchiveWriter::PatchUInt32(std::size_t nOffset, uint32_t nValue)
{
    for (int i = 0; i < 4; ++i)
        m_strBytes[nOffset + static_cast<std::size_t>(i)] = static_cast<char>((nValue >> (8 * i)) & 0xFF);
}

void CArchiveWriter::WriteLength(uint64_t nLength)
{
    if (nLength < 0xFF)
    {
        m_strBytes += static_cast<char>(nLength);
        return;
    }
    m_strBytes += '\xFF';
    if (nLength < 0xFFFE)
    {
        m_strBytes += static_cast<char>(nLength & 0xFF);
        m_strBytes += static_cast<char>(nLength >> 8);
        return;
    }
    // 0xFFFE would read as the UTF-16 marker, so it takes the 32-bit form as well.
    m_strBytes += "\xFF\xFF";
    WriteUInt32(static_cast<uint32_t>(nLength));
}

void CArchiveWriter::WriteString(const std::string& strText)
{
    WriteLength(strText.size());
    m_strBytes += strText;
}

void CArchiveWriter::WriteWideString(const std::u16string& strText)
{
    m_strBytes += "\xFF\xFE\xFF";
    WriteLength(strText.size());
    for (char16_t ch : strText)
    {
        m_strBytes += static_cast<char>(ch & 0xFF);
        m_strBytes += static_cast<char>(ch >> 8);
    }
}
