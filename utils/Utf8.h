// UTF-16 to UTF-8, for the texts the launcher writes for other programs to read (an unattended
// run's log and plan). A lone surrogate becomes U+FFFD.
#ifndef KORVELT_UTILS_UTF8_H
#define KORVELT_UTILS_UTF8_H

#include <string>

inline std::string Utf8FromUtf16(const std::u16string& strWide)
{
    std::string strOut;
    for (std::size_t i = 0; i < strWide.size(); ++i)
    {
        char32_t ch = strWide[i];
        if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < strWide.size() && strWide[i + 1] >= 0xDC00 && strWide[i + 1] <= 0xDFFF)
            ch = 0x10000 + ((ch - 0xD800) << 10) + (strWide[++i] - 0xDC00);
        else if (ch >= 0xD800 && ch <= 0xDFFF)
            ch = 0xFFFD;
        if (ch < 0x80)
        {
            strOut += static_cast<char>(ch);
        }
        else if (ch < 0x800)
        {
            strOut += static_cast<char>(0xC0 | (ch >> 6));
            strOut += static_cast<char>(0x80 | (ch & 0x3F));
        }
        else if (ch < 0x10000)
        {
            strOut += static_cast<char>(0xE0 | (ch >> 12));
            strOut += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            strOut += static_cast<char>(0x80 | (ch & 0x3F));
        }
        else
        {
            strOut += static_cast<char>(0xF0 | (ch >> 18));
            strOut += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
            strOut += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            strOut += static_cast<char>(0x80 | (ch & 0x3F));
        }
    }
    return strOut;
}

#endif
