// The program's texts are code page 932 bytes; the system's wide (...W) functions take UTF-16.
// These conversions are the one bridge between them, independent of the system's ANSI code page.
#ifndef KORVELT_WIN_WIDETEXT_H
#define KORVELT_WIN_WIDETEXT_H

#include <windows.h>

#include <string>

constexpr UINT kCodePage932 = 932;

// A text to show: bytes that are not code page 932 become what the system makes of them
// (usually U+30FB), so a damaged text still shows as much as it can.
inline std::wstring WideFrom932(const std::string& strText)
{
    if (strText.empty())
        return std::wstring();
    const int nText = static_cast<int>(strText.size());
    const int nWide = ::MultiByteToWideChar(kCodePage932, 0, strText.data(), nText, nullptr, 0);
    if (nWide <= 0)
        return std::wstring();
    std::wstring strWide(static_cast<std::size_t>(nWide), L'\0');
    ::MultiByteToWideChar(kCodePage932, 0, strText.data(), nText, &strWide[0], nWide);
    return strWide;
}

// A path, key or command line: false when a byte sequence is not code page 932, since a guess
// would name another file. strWide is left untouched then.
inline bool WideFrom932Exact(const std::string& strText, std::wstring& strWide)
{
    if (strText.empty())
    {
        strWide.clear();
        return true;
    }
    const int nText = static_cast<int>(strText.size());
    const int nWide = ::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, strText.data(), nText, nullptr, 0);
    if (nWide <= 0)
        return false;
    std::wstring strOut(static_cast<std::size_t>(nWide), L'\0');
    if (::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, strText.data(), nText, &strOut[0], nWide) != nWide)
        return false;
    strWide.swap(strOut);
    return true;
}

// A text the system gives back (a path, a key name, a window text): false when it holds a
// character that code page 932 lacks. Best-fit look-alikes are refused, as some of them are
// separators; such a text is never turned into another one. strText is left untouched then.
inline bool Cp932FromWide(const wchar_t* pWide, std::size_t nLength, std::string& strText)
{
    if (nLength == 0)
    {
        strText.clear();
        return true;
    }
    const int nWide = static_cast<int>(nLength);
    BOOL bUsedDefault = FALSE;
    const int nBytes = ::WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, pWide, nWide, nullptr, 0, nullptr,
                                             &bUsedDefault);
    if (nBytes <= 0 || bUsedDefault)
        return false;
    std::string strOut(static_cast<std::size_t>(nBytes), '\0');
    if (::WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, pWide, nWide, &strOut[0], nBytes, nullptr,
                              &bUsedDefault) != nBytes ||
        bUsedDefault)
        return false;
    strText.swap(strOut);
    return true;
}

inline bool Cp932FromWide(const std::wstring& strWide, std::string& strText)
{
    return Cp932FromWide(strWide.data(), strWide.size(), strText);
}

// A text to read, not to look up: characters that code page 932 lacks become "?".
inline std::string Cp932FromWideLossy(const std::wstring& strWide)
{
    if (strWide.empty())
        return std::string();
    const int nWide = static_cast<int>(strWide.size());
    const int nBytes =
        ::WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, strWide.data(), nWide, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return std::string();
    std::string strText(static_cast<std::size_t>(nBytes), '\0');
    ::WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, strWide.data(), nWide, &strText[0], nBytes, nullptr,
                          nullptr);
    return strText;
}

#endif
