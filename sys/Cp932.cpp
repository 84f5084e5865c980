#include "Cp932.h"

bool IsCp932LeadByte(unsigned char ch)
{
    return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
}

std::size_t FindFirstBackslash(const std::string& strText)
{
    for (std::size_t i = 0; i < strText.size(); ++i)
    {
        if (IsCp932LeadByte(static_cast<unsigned char>(strText[i])))
            ++i;
        else if (strText[i] == '\\')
            return i;
    }
    return std::string::npos;
}

std::size_t FindLastBackslash(const std::string& strText)
{
    std::size_t nFound = std::string::npos;
    for (std::size_t i = 0; i < strText.size(); ++i)
    {
        if (IsCp932LeadByte(static_cast<unsigned char>(strText[i])))
            ++i;
        else if (strText[i] == '\\')
            nFound = i;
    }
    return nFound;
}
