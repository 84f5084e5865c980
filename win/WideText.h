// The program's texts are code page 932 bytes; the system's wide (...W) functions take UTF-16.
// These conversions are the one bridge between them, independent of the system's ANSI code page.
// The code page is named at each call: 932 for the program's own texts, another only where a text
// arrives in it. Texts leave UTF-16 only for code pages with a default character (932, the ANSI
// ones); UTF-8 has none, and the system refuses the flags that keep look-alikes out.
#ifndef KORVELT_WIN_WIDETEXT_H
#define KORVELT_WIN_WIDETEXT_H

#include <windows.h>

#include <climits>
#include <string>

constexpr UINT kCodePage932 = 932;

namespace WideTextDetail
{
// Both directions ask the system for the size first and convert into exactly that much room;
// a second answer that differs from the first is a failure like any other. strOut is left
// untouched on failure.
inline bool ToWide(UINT nCodePage, DWORD dwFlags, const char* pText, std::size_t nLength, std::wstring& strOut)
{
    if (nLength == 0)
    {
        strOut.clear();
        return true;
    }
    if (nLength > static_cast<std::size_t>(INT_MAX))
        return false;
    const int nText = static_cast<int>(nLength);
    const int nWide = ::MultiByteToWideChar(nCodePage, dwFlags, pText, nText, nullptr, 0);
    if (nWide <= 0)
        return false;
    std::wstring strWide(static_cast<std::size_t>(nWide), L'\0');
    if (::MultiByteToWideChar(nCodePage, dwFlags, pText, nText, &strWide[0], nWide) != nWide)
        return false;
    strOut.swap(strWide);
    return true;
}

// Best-fit look-alikes are never taken, in either form: some of them are separators. The exact
// form also refuses the default character ("?") that stands for a character the code page lacks.
inline bool FromWide(UINT nCodePage, bool bExact, const wchar_t* pWide, std::size_t nLength, std::string& strOut)
{
    if (nLength == 0)
    {
        strOut.clear();
        return true;
    }
    if (nLength > static_cast<std::size_t>(INT_MAX))
        return false;
    const int nWide = static_cast<int>(nLength);
    BOOL bUsedDefault = FALSE;
    BOOL* pUsedDefault = bExact ? &bUsedDefault : nullptr;
    const int nBytes =
        ::WideCharToMultiByte(nCodePage, WC_NO_BEST_FIT_CHARS, pWide, nWide, nullptr, 0, nullptr, pUsedDefault);
    if (nBytes <= 0 || bUsedDefault)
        return false;
    std::string strText(static_cast<std::size_t>(nBytes), '\0');
    if (::WideCharToMultiByte(nCodePage, WC_NO_BEST_FIT_CHARS, pWide, nWide, &strText[0], nBytes, nullptr,
                              pUsedDefault) != nBytes ||
        bUsedDefault)
        return false;
    strOut.swap(strText);
    return true;
}
} // namespace WideTextDetail

// A path, key or command line: false when a byte sequence is not of the code page, since a
// guess would name another file. strWide is left untouched then.
inline bool WideFromCodePageExact(UINT nCodePage, const std::string& strText, std::wstring& strWide)
{
    return WideTextDetail::ToWide(nCodePage, MB_ERR_INVALID_CHARS, strText.data(), strText.size(), strWide);
}

// A text to show: bytes that are not of the code page become what the system makes of them
// (usually U+30FB for code page 932), so a damaged text still shows as much as it can. Empty
// when the system converts nothing at all.
inline std::wstring WideFromCodePageLossy(UINT nCodePage, const std::string& strText)
{
    std::wstring strWide;
    WideTextDetail::ToWide(nCodePage, 0, strText.data(), strText.size(), strWide);
    return strWide;
}

// A text the system gives back (a path, a key name, a window text): false when it holds a
// character that the code page lacks; such a text is never turned into another one. strText is
// left untouched then.
inline bool CodePageFromWideExact(UINT nCodePage, const wchar_t* pWide, std::size_t nLength, std::string& strText)
{
    return WideTextDetail::FromWide(nCodePage, true, pWide, nLength, strText);
}

inline bool CodePageFromWideExact(UINT nCodePage, const std::wstring& strWide, std::string& strText)
{
    return CodePageFromWideExact(nCodePage, strWide.data(), strWide.size(), strText);
}

// A text to read, not to look up: characters that the code page lacks become "?". Empty when the
// system converts nothing at all.
inline std::string CodePageFromWideLossy(UINT nCodePage, const wchar_t* pWide, std::size_t nLength)
{
    std::string strText;
    WideTextDetail::FromWide(nCodePage, false, pWide, nLength, strText);
    return strText;
}

inline std::string CodePageFromWideLossy(UINT nCodePage, const std::wstring& strWide)
{
    return CodePageFromWideLossy(nCodePage, strWide.data(), strWide.size());
}

#endif
