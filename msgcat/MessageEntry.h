// One message of a message file: its number, its text and its two neighbours in the list. The
// text belongs to the list and is followed by a NUL.
#ifndef KORVELT_MSGCAT_MESSAGEENTRY_H
#define KORVELT_MSGCAT_MESSAGEENTRY_H

#include <cstdint>
#include <string_view>

struct CMessageEntry
{
    int32_t m_nNumber = 0;
    std::string_view m_strText;
    CMessageEntry* m_pNext = nullptr;  // towards larger numbers
    CMessageEntry* m_pPrev = nullptr;  // towards smaller numbers
};

#endif
