#include "tests/catalog/CatalogBytes.h"

std::string Le32(uint32_t nValue)
{
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((nValue >> (8 * i)) & 0xFF);
    return s;
}

std::string Str(const std::string& strText)
{
    std::string s;
    const std::size_t n = strText.size();
    if (n < 0xFF)
        s += static_cast<char>(n);
    else if (n < 0xFFFE)
        s += std::string("\xFF") + static_cast<char>(n & 0xFF) + static_cast<char>(n >> 8);
    else
        s += std::string("\xFF\xFF\xFF") + Le32(static_cast<uint32_t>(n));
    return s + strText;
}

std::string IndexBytes(uint32_t nCount, const std::vector<std::string>& names)
{
    std::string s = Le32(nCount);
    for (const std::string& name : names)
        s += Str(name);
    return s;
}

std::string EntryBytes(const std::string& strTitle)
{
    // Fields 1 to 32: strings are one zero byte, integers four.
    static const bool kIsString[32] = {true,  true, true, true, true,  true, false, true, true, false, false,
                                       false, false, true, false, true, true, false, false, true, true, false,
                                       true,  false, true, true, true,  true, false, true, true, true};
    std::string s = Str(strTitle);
    for (int i = 1; i < 32; ++i)
        s += kIsString[i] ? std::string(1, '\0') : Le32(0);
    return s;
}
