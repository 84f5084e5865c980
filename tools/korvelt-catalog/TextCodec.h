// The authoring tool's one place for text conversion: UTF-8 (JSON) to and from code page 932
// (catalogue files), through UTF-16 and the system interface's code page conversion.
#ifndef KORVELT_TOOLS_TEXTCODEC_H
#define KORVELT_TOOLS_TEXTCODEC_H

#include <string>

class CTextCodec
{
public:
    // False when the text is not valid UTF-8 or holds a character without a code page 932 form.
    static bool Utf8ToCp932(const std::string& strUtf8, std::string& strCp932);
    // False when the bytes are not valid code page 932.
    static bool Cp932ToUtf8(const std::string& strCp932, std::string& strUtf8);
    // A catalogue's or the system's text for JSON, messages and the console: always valid UTF-8,
    // so one damaged name cannot spoil the whole output. Bytes of text that is not code page 932
    // become "?".
    static std::string PrintableUtf8(const std::string& strCp932);

    // Strict UTF-8 and UTF-16: overlong forms, lone surrogates and values past U+10FFFF fail.
    static bool Utf8ToUtf16(const std::string& strUtf8, std::u16string& strWide);
    static bool Utf16ToUtf8(const std::u16string& strWide, std::string& strUtf8);
};

#endif
