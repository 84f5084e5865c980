// The messages of one file in ascending order of number (compared unsigned), duplicates kept.
// Owns its entries. Besides the linked list it keeps, for every number, the first and last entry
// of its run, so insertion finds its place and lookup its text without walking the list.
#ifndef KORVELT_MSGCAT_MESSAGELIST_H
#define KORVELT_MSGCAT_MESSAGELIST_H

#include "MessageEntry.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <unordered_map>

class CMessageList
{
public:
    explicit CMessageList(std::string strFileName);
    CMessageList(const CMessageList&) = delete;
    CMessageList& operator=(const CMessageList&) = delete;

    // Inserts a message where a walk from the last-inserted entry would put it: coming from
    // above it lands behind entries of the same number, coming from below in front of them,
    // and coming from an entry of the same number right after that entry.
    void Insert(int32_t nNumber, std::string strText);

    // Text of the first entry with this number, or null when there is none.
    const char* Find(int32_t nNumber) const;

    const std::string& GetFileName() const { return m_strFileName; }
    std::size_t GetCount() const { return m_nCount; }
    const CMessageEntry* GetFirst() const { return m_pFirst; }
    const CMessageEntry* GetLast() const { return m_pLast; }

private:
    struct CRun
    {
        CMessageEntry* pFirst;
        CMessageEntry* pLast;
    };

    void LinkBefore(CMessageEntry* pNew, CMessageEntry* pNext);
    void LinkAfter(CMessageEntry* pNew, CMessageEntry* pPrev);

    std::string m_strFileName;
    std::size_t m_nCount = 0;
    CMessageEntry* m_pFirst = nullptr;
    CMessageEntry* m_pLast = nullptr;
    CMessageEntry* m_pLastInserted = nullptr;

    std::deque<CMessageEntry> m_entries;              // storage; addresses never move
    std::map<uint32_t, CRun> m_runs;                  // ordered, for finding insertion places
    std::unordered_map<uint32_t, const char*> m_firstText;  // for lookups
};

#endif
