#include "tools/korvelt-catalog/TextCodec.h"

#include "sys/System.h"

bool CTextCodec::Utf8ToUtf16(const std::string& strUtf8, std::u16string& strWide)
{
    std::u16string strOut;
    const std::size_t nSize = strUtf8.size();
    for (std::size_t i = 0; i < nSize;)
    {
        const unsigned char ch = static_cast<unsigned char>(strUtf8[i]);
        uint32_t nCode = 0;
        std::size_t nMore = 0;
        uint32_t nMin = 0;
        if (ch < 0x80)
        {
            nCode = ch;
        }
        else if ((ch & 0xE0) == 0xC0)
        {
            nCode = ch & 0x1F;
            nMore = 1;
            nMin = 0x80;
        }
        else if ((ch & 0xF0) == 0xE0)
        {
            nCode = ch & 0x0F;
            nMore = 2;
            nMin = 0x800;
        }
        else if ((ch & 0xF8) == 0xF0)
        {
            nCode = ch & 0x07;
            nMore = 3;
            nMin = 0x10000;
        }
        else
        {
            return false;
        }
        if (nMore > nSize - i - 1)
            return false;
        for (std::size_t k = 1; k <= nMore; ++k)
        {
            const unsigned char next = static_cast<unsigned char>(strUtf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            nCode = nCode << 6 | (next & 0x3F);
        }
        if (nCode < nMin || nCode > 0x10FFFF || (nCode >= 0xD800 && nCode < 0xE000))
            return false;
        if (nCode >= 0x10000)
        {
            nCode -= 0x10000;
            strOut += static_cast<char16_t>(0xD800 + (nCode >> 10));
            strOut += static_cast<char16_t>(0xDC00 + (nCode & 0x3FF));
        }
        else
        {
            strOut += static_cast<char16_t>(nCode);
        }
        i += nMore + 1;
    }
    strWide.swap(strOut);
    return true;
}

bool CTextCodec::Utf16ToUtf8(const std::u16string& strWide, std::string& strUtf8)
{
    std::string strOut;
    for (std::size_t i = 0; i < strWide.size(); ++i)
    {
        uint32_t nCode = strWide[i];
        if (nCode >= 0xD800 && nCode < 0xDC00)
        {
            if (i + 1 >= strWide.size() || strWide[i + 1] < 0xDC00 || strWide[i + 1] >= 0xE000)
                return false;
            nCode = 0x10000 + ((nCode - 0xD800) << 10) + (strWide[++i] - 0xDC00);
        }
        else if (nCode >= 0xDC00 && nCode < 0xE000)
        {
            return false;
        }
        if (nCode < 0x80)
        {
            strOut += static_cast<char>(nCode);
        }
        else if (nCode < 0x800)
        {
            strOut += static_cast<char>(0xC0 | nCode >> 6);
            strOut += static_cast<char>(0x80 | (nCode & 0x3F));
        }
        else if (nCode < 0x10000)
        {
            strOut += static_cast<char>(0xE0 | nCode >> 12);
            strOut += static_cast<char>(0x80 | (nCode >> 6 & 0x3F));
            strOut += static_cast<char>(0x80 | (nCode & 0x3F));
        }
        else
        {
            strOut += static_cast<char>(0xF0 | nCode >> 18);
            strOut += static_cast<char>(0x80 | (nCode >> 12 & 0x3F));
            strOut += static_cast<char>(0x80 | (nCode >> 6 & 0x3F));
            strOut += static_cast<char>(0x80 | (nCode & 0x3F));
        }
    }
    strUtf8.swap(strOut);
    return true;
}

bool CTextCodec::Utf8ToCp932(const std::string& strUtf8, std::string& strCp932)
{
    std::u16string strWide;
    return Utf8ToUtf16(strUtf8, strWide) && TheSystem().Utf16ToCp932(strWide, true, strCp932);
}

bool CTextCodec::Cp932ToUtf8(const std::string& strCp932, std::string& strUtf8)
{
    std::u16string strWide;
    return TheSystem().Cp932ToUtf16(strCp932, strWide) && Utf16ToUtf8(strWide, strUtf8);
}

std::string CTextCodec::PrintableUtf8(const std::string& strCp932)
{
    std::string strUtf8;
    if (Cp932ToUtf8(strCp932, strUtf8))
        return strUtf8;
    strUtf8 = strCp932;
    for (char& ch : strUtf8)
        if (static_cast<unsigned char>(ch) >= 0x80)
            ch = '?';
    return strUtf8;
}
