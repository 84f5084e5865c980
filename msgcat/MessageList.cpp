#include "MessageList.h"

#include <iterator>
#include <utility>

CMessageList::CMessageList(std::string strFileName)
    : m_strFileName(std::move(strFileName))
{
}

void CMessageList::LinkBefore(CMessageEntry* pNew, CMessageEntry* pNext)
{
    pNew->m_pNext = pNext;
    pNew->m_pPrev = pNext->m_pPrev;
    if (pNext->m_pPrev)
        pNext->m_pPrev->m_pNext = pNew;
    else
        m_pFirst = pNew;
    pNext->m_pPrev = pNew;
}

void CMessageList::LinkAfter(CMessageEntry* pNew, CMessageEntry* pPrev)
{
    pNew->m_pPrev = pPrev;
    pNew->m_pNext = pPrev->m_pNext;
    if (pPrev->m_pNext)
        pPrev->m_pNext->m_pPrev = pNew;
    else
        m_pLast = pNew;
    pPrev->m_pNext = pNew;
}

void CMessageList::Insert(int32_t nNumber, std::string strText)
{
    const uint32_t k = static_cast<uint32_t>(nNumber);
    CMessageEntry* pNew = &m_entries.emplace_back();
    pNew->m_nNumber = nNumber;
    pNew->m_strText = std::move(strText);

    // One search serves all three cases: the run of k if there is one, else the run above it.
    auto itRun = m_runs.lower_bound(k);
    const bool bRunExists = itRun != m_runs.end() && itRun->first == k;
    bool bBecomesFirst = !bRunExists;  // of the run of its number
    bool bBecomesLast = !bRunExists;

    if (!m_pLastInserted)
    {
        m_pFirst = m_pLast = pNew;
    }
    else
    {
        const uint32_t c = static_cast<uint32_t>(m_pLastInserted->m_nNumber);
        if (c > k)
        {
            // The walk back stops at the first entry with a number above k: the new entry
            // goes right before it, behind every entry numbered k.
            const auto itAbove = bRunExists ? std::next(itRun) : itRun;
            LinkBefore(pNew, itAbove->second.pFirst);
            bBecomesLast = true;
        }
        else if (c < k)
        {
            // The walk forward stops at the last entry with a number below k: the new entry
            // goes right after it, in front of every entry numbered k.
            LinkAfter(pNew, std::prev(itRun)->second.pLast);
            bBecomesFirst = true;
        }
        else
        {
            // Same number: no step is taken, the new entry follows the last-inserted one.
            bBecomesLast = itRun->second.pLast == m_pLastInserted;
            LinkAfter(pNew, m_pLastInserted);
        }
    }

    if (!bRunExists)
    {
        m_runs.emplace_hint(itRun, k, CRun{pNew, pNew});
        m_firstText.emplace(k, pNew->m_strText.c_str());
    }
    else
    {
        if (bBecomesFirst)
        {
            itRun->second.pFirst = pNew;
            m_firstText[k] = pNew->m_strText.c_str();
        }
        if (bBecomesLast)
            itRun->second.pLast = pNew;
    }

    ++m_nCount;
    m_pLastInserted = pNew;
}

const char* CMessageList::Find(int32_t nNumber) const
{
    const auto it = m_firstText.find(static_cast<uint32_t>(nNumber));
    return it == m_firstText.end() ? nullptr : it->second;
}
