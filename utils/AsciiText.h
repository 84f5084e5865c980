// Blanks and letter case by the ASCII rules, for texts in any single-byte or code page 932
// encoding: blanks are the C locale's six, letters only A to Z and a to z; every other byte
// stays as it is.
#ifndef KORVELT_UTILS_ASCIITEXT_H
#define KORVELT_UTILS_ASCIITEXT_H

#include <string_view>

// Space, tab, LF, VT, FF and CR.
inline bool IsAsciiBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

inline char ToUpperAscii(char ch)
{
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

inline char ToLowerAscii(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

inline std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsAsciiBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

inline std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsAsciiBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

inline std::string_view Trim(std::string_view s)
{
    return TrimLeft(TrimRight(s));
}

// Walks the lines of a text, each trimmed of blanks (so the CR of a CR LF pair goes with them):
// the line that starts at nPos, with nPos moved past its LF; false at the end of the text.
inline bool NextTrimmedLine(std::string_view text, std::size_t& nPos, std::string_view& line)
{
    if (nPos >= text.size())
        return false;
    std::size_t nEnd = text.find('\n', nPos);
    if (nEnd == std::string_view::npos)
        nEnd = text.size();
    line = Trim(text.substr(nPos, nEnd - nPos));
    nPos = nEnd + 1;
    return true;
}

// Byte for byte with ASCII letters folded. Meant for comparing with an ASCII text (a keyword, an
// option): a double-byte character never matches one, since its lead byte is no ASCII character.
inline bool EqualsNoCaseAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i]))
            return false;
    }
    return true;
}

#endif
