// Names for the Windows tests of the system edge: Japanese names in code page 932 as the program
// holds them, one that code page 932 cannot carry, and the conversions with which a test makes
// its own files and keys through the wide functions, the same under every system code page.
#ifndef KORVELT_TESTS_WIDENAMES_H
#define KORVELT_TESTS_WIDENAMES_H

#include "win/WideText.h"

#include <stdexcept>
#include <string>

// "ソフト導入": the first character's second byte is 0x5C, a backslash when read bytewise.
constexpr char kSetupFolder932[] = "\x83\x5C\x83\x74\x83\x67\x93\xB1\x93\xFC";
constexpr char kTextFile932[] = "\x90\xE0\x96\xBE\x8F\x91.txt";                    // 説明書.txt
constexpr char kProductKey932[] = "\x93\xFA\x96\x7B\x8C\xEA\x90\xBB\x95\x69";      // 日本語製品
constexpr char kDisplayName932[] = "\x95\x5C\x8E\xA6\x96\xBC\x83\x41\x83\x76\x83\x8A";  // 表示名アプリ
// "café": code page 932 has no "é", and a best-fit "e" would name another file or key.
constexpr wchar_t kNotCp932[] = L"caf\u00E9";

// What the wide functions take for a code page 932 text of the test.
inline std::wstring Wide(const std::string& str932)
{
    std::wstring strWide;
    if (!WideFromCodePageExact(kCodePage932, str932, strWide))
        throw std::invalid_argument("not code page 932");
    return strWide;
}

// What the program holds for a wide text of the test.
inline std::string Cp932(const std::wstring& strWide)
{
    std::string str932;
    if (!CodePageFromWideExact(kCodePage932, strWide, str932))
        throw std::invalid_argument("not carried by code page 932");
    return str932;
}

#endif
