// Reads the text of a message file: definition lines NAME=NUMBER up to "[MESSAGES]", message
// lines NAME=TEXT after it. Definitions go into the caller's name table; every message line
// whose name is defined is handed on with its number.
#ifndef KORVELT_MSGCAT_MESSAGEFILEREADER_H
#define KORVELT_MSGCAT_MESSAGEFILEREADER_H

#include "msgcat/NameTable.h"

#include <cstdint>
#include <functional>
#include <string_view>

class CMessageFileReader
{
public:
    using MessageSink = std::function<void(int32_t nNumber, std::string_view text)>;

    // content is the file's bytes as read in binary; text-mode rules (CR before LF dropped,
    // Ctrl-Z ends the file) are applied here.
    static void Read(std::string_view content, CNameTable& names, const MessageSink& onMessage);

    // The decimal reading of a definition's value: optional sign, digits up to the first
    // non-digit, 32-bit wrap-around; no digits give 0.
    static int32_t ParseNumber(std::string_view value);
};

#endif
