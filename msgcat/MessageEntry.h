// One message of a message file: its number, its text and its two neighbours in the list.
#ifndef KORVELT_MSGCAT_MESSAGEENTRY_H
#define KORVELT_MSGCAT_MESSAGEENTRY_H

#include <cstdint>
#include <string>

struct CMessageEntry
{
    int32_t m_nNumber = 0;
    std::string m_strText;
    CMessageEntry* m_pNext = nullptr;  // towards larger numbers
    CMessageEntry* m_pPrev = nullptr;  // towards smaller numbers
};

#endif
