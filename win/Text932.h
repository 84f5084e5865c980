// The one place where a code page 932 text meets a call of the system: on the NT family the wide
// (...W) form, with the text converted exactly (a text that code page 932 does not spell is
// refused here, never guessed); on Windows 95/98, whose wide functions are stubs, the ANSI (...A)
// form with the bytes as they are. Each ...932 function of this folder is one call of these.
#ifndef KORVELT_WIN_TEXT932_H
#define KORVELT_WIN_TEXT932_H

#include "win/WideText.h"
#include "win/Windows9x.h"

#include <string>

// True when the bytes are valid code page 932 (the empty text is), or when a Windows 95/98 that
// lacks the code page cannot tell.
inline bool IsCp932Text(const std::string& strText)
{
    // A Windows 95/98 of another language may lack the code page; its ANSI functions take the
    // bytes as they are all the same.
    if (IsWindows9x() && !::IsValidCodePage(kCodePage932))
        return true;
    return strText.empty() ||
           ::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, strText.data(), static_cast<int>(strText.size()),
                                 nullptr, 0) > 0;
}

// callA(const char*) or callW(const wchar_t*) with the text; refused when it is not code page 932.
template <class R, class CallA, class CallW>
R WithText932(const std::string& strText, R refused, CallA callA, CallW callW)
{
    if (IsWindows9x())
        return IsCp932Text(strText) ? callA(strText.c_str()) : refused;
    std::wstring strWide;
    return WideFromCodePageExact(kCodePage932, strText, strWide) ? callW(strWide.c_str()) : refused;
}

// The same with two texts, both of which must be code page 932.
template <class R, class CallA, class CallW>
R WithTexts932(const std::string& strFirst, const std::string& strSecond, R refused, CallA callA, CallW callW)
{
    if (IsWindows9x())
        return IsCp932Text(strFirst) && IsCp932Text(strSecond) ? callA(strFirst.c_str(), strSecond.c_str()) : refused;
    std::wstring strWideFirst, strWideSecond;
    return WideFromCodePageExact(kCodePage932, strFirst, strWideFirst) &&
                   WideFromCodePageExact(kCodePage932, strSecond, strWideSecond)
               ? callW(strWideFirst.c_str(), strWideSecond.c_str())
               : refused;
}

// A text of fewer than N characters that the system writes into a buffer: fillA(buffer, N) on
// Windows 95/98, fillW likewise on the NT family, each returning the length it wrote. Empty when
// it did not fit, failed, or (bExact) code page 932 cannot carry it; with bExact false such a
// character reads as "?".
template <unsigned N, class FillA, class FillW>
std::string TextFromSystem932(FillA fillA, FillW fillW, bool bExact = true)
{
    const auto fits = [](DWORD n) { return n != 0 && n < N; };
    if (IsWindows9x())
    {
        char buffer[N];
        const DWORD n = fillA(buffer, N);
        return fits(n) ? std::string(buffer, n) : std::string();
    }
    wchar_t buffer[N];
    const DWORD n = fillW(buffer, N);
    std::string strText;
    if (!fits(n))
        return strText;
    if (!bExact)
        return CodePageFromWideLossy(kCodePage932, buffer, n);
    return CodePageFromWideExact(kCodePage932, buffer, n, strText) ? strText : std::string();
}

#endif
