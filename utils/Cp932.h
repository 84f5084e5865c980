// Byte-level helpers for code page 932 text: a double-byte character's second byte may be a
// backslash (0x5C), so searches for separators must step over whole characters.
#ifndef KORVELT_UTILS_CP932_H
#define KORVELT_UTILS_CP932_H

#include <cstring>
#include <string>
#include <string_view>

inline bool IsCp932LeadByte(unsigned char ch)
{
    return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
}

// The position of the first (or, bLast, the last) byte of pszBytes that is a character of its own:
// a double-byte character is stepped over whole, so its second byte never counts. npos when none.
inline std::size_t FindSingleByteOf(std::string_view text, const char* pszBytes, bool bLast)
{
    std::size_t nFound = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (IsCp932LeadByte(static_cast<unsigned char>(text[i])))
        {
            ++i;
        }
        else if (text[i] != '\0' && std::strchr(pszBytes, text[i]) != nullptr)
        {
            nFound = i;
            if (!bLast)
                break;
        }
    }
    return nFound;
}

// Equal with the letters A to Z folded where they are characters of their own: the second byte
// of a double-byte character is compared as it is.
inline bool EqualsNoCaseCp932(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        const char chA = a[i];
        if (IsCp932LeadByte(static_cast<unsigned char>(chA)))
        {
            if (chA != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1]))
                return false;
            ++i;
            continue;
        }
        const auto upper = [](char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; };
        if (upper(chA) != upper(b[i]))
            return false;
    }
    return true;
}

// Positions of the first and last backslash that is a character of its own; npos when none.
inline std::size_t FindFirstBackslash(const std::string& strText)
{
    return FindSingleByteOf(strText, "\\", false);
}

inline std::size_t FindLastBackslash(const std::string& strText)
{
    return FindSingleByteOf(strText, "\\", true);
}

// The last "\\" or "/" that is a character of its own; npos when none.
inline std::size_t FindLastSeparator(const std::string& strText)
{
    return FindSingleByteOf(strText, "\\/", true);
}

// onComponent(component) for each piece of a path between "\\" and "/" separators, in order,
// empty ones included, until it returns false; false then.
template <class OnComponent>
bool ForEachPathComponent(std::string_view path, OnComponent onComponent)
{
    for (std::size_t nStart = 0;;)
    {
        const std::size_t nSeparator = FindSingleByteOf(path.substr(nStart), "\\/", false);
        if (!onComponent(path.substr(nStart, nSeparator)))
            return false;
        if (nSeparator == std::string_view::npos)
            return true;
        nStart += nSeparator + 1;
    }
}

// True when a path's ".." components climb above where it starts ("..\\x", "\\a\\..\\..\\b"): a path
// meant to stay on a medium or in a folder would leave it. A component of dots and trailing
// blanks ("...", ".. ") counts as "..": the system trims what such names end in.
inline bool ClimbsAboveStart(std::string_view path)
{
    int nDepth = 0;
    return !ForEachPathComponent(path, [&nDepth](std::string_view part) {
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        if (part.size() >= 2 && part.find_first_not_of('.') == std::string_view::npos)
            return --nDepth >= 0;
        if (!part.empty() && part != ".")
            ++nDepth;
        return true;
    });
}

// A file's name without folder and extension ("korvelt" for "D:\KORVELT\korvelt.exe"). The
// folder ends at the last "\", "/" or ":" that is a character of its own; the extension begins
// at the name's last ".", unless that is its first character.
inline std::string FileBaseName(const std::string& strPath)
{
    const std::size_t nFolderEnd = FindSingleByteOf(strPath, "\\/:", true);
    std::string strName = strPath.substr(nFolderEnd == std::string::npos ? 0 : nFolderEnd + 1);
    const std::size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        strName.erase(nDot);
    return strName;
}

#endif
