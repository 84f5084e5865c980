// Byte-level helpers for code page 932 text: a double-byte character's second byte may be a
// backslash (0x5C), so searches for separators must step over whole characters.
#ifndef KORVELT_UTILS_CP932_H
#define KORVELT_UTILS_CP932_H

#include <string>

inline bool IsCp932LeadByte(unsigned char ch)
{
    return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
}

// Positions of the first and last backslash that is a character of its own; npos when none.
inline std::size_t FindFirstBackslash(const std::string& strText)
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

inline std::size_t FindLastBackslash(const std::string& strText)
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

// The last "\\" or "/" that is a character of its own; npos when none.
inline std::size_t FindLastSeparator(const std::string& strText)
{
    std::size_t nFound = std::string::npos;
    for (std::size_t i = 0; i < strText.size(); ++i)
    {
        if (IsCp932LeadByte(static_cast<unsigned char>(strText[i])))
            ++i;
        else if (strText[i] == '\\' || strText[i] == '/')
            nFound = i;
    }
    return nFound;
}

// True when a path's ".." components climb above where it starts ("..\\x", "\\a\\..\\..\\b"): a path
// meant to stay on a medium or in a folder would leave it. "\\" and "/" separate. A component of
// dots and trailing blanks ("...", ".. ") counts as "..": the system trims what such names end in.
inline bool ClimbsAboveStart(const std::string& strPath)
{
    int nDepth = 0;
    std::size_t nStart = 0;
    for (std::size_t i = 0; i <= strPath.size(); ++i)
    {
        if (i + 1 < strPath.size() && IsCp932LeadByte(static_cast<unsigned char>(strPath[i])))
        {
            ++i;
            continue;
        }
        if (i < strPath.size() && strPath[i] != '\\' && strPath[i] != '/')
            continue;
        std::string strPart = strPath.substr(nStart, i - nStart);
        nStart = i + 1;
        while (!strPart.empty() && strPart.back() == ' ')
            strPart.pop_back();
        if (strPart.size() >= 2 && strPart.find_first_not_of('.') == std::string::npos)
        {
            if (--nDepth < 0)
                return true;
        }
        else if (!strPart.empty() && strPart != ".")
        {
            ++nDepth;
        }
    }
    return false;
}

// A file's name without folder and extension ("korvelt" for "D:\KORVELT\korvelt.exe"). The
// folder ends at the last "\", "/" or ":" that is a character of its own; the extension begins
// at the name's last ".", unless that is its first character.
inline std::string FileBaseName(const std::string& strPath)
{
    std::size_t nStart = 0;
    for (std::size_t i = 0; i < strPath.size(); ++i)
    {
        if (IsCp932LeadByte(static_cast<unsigned char>(strPath[i])))
            ++i;
        else if (strPath[i] == '\\' || strPath[i] == '/' || strPath[i] == ':')
            nStart = i + 1;
    }
    std::string strName = strPath.substr(nStart);
    const std::size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        strName.erase(nDot);
    return strName;
}

#endif
