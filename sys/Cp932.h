// Byte-level helpers for code page 932 text: a double-byte character's second byte may be a
// backslash (0x5C), so searches for separators must step over whole characters.
#ifndef KORVELT_SYS_CP932_H
#define KORVELT_SYS_CP932_H

#include <string>

bool IsCp932LeadByte(unsigned char ch);

// Positions of the first and last backslash that is a character of its own; npos when none.
std::size_t FindFirstBackslash(const std::string& strText);
std::size_t FindLastBackslash(const std::string& strText);

#endif
