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

    auto itRun = m_runs.find(k);
    bool bBecomesFirst = false;  // of the run of its number
    bool bBecomesLast = false;

    if (!m_pLastInserted)
    {
        m_pFirst = m_pLast = pNew;
        bBecomesFirst = bBecomesLast = true;
    }
    else
    {
        const uint32_t c = static_cast<uint32_t>(m_pLastInserted->m_nNumber);
        if (c > k)
        {
            // The walk back stops at the first entry with a number above k: the new entry
            // goes right before it, behind every entry numbered k.
            const auto itAbove = m_runs.upper_bound(k);
            LinkBefore(pNew, itAbove->second.pFirst);
            bBecomesLast = true;
            bBecomesFirst = itRun == m_runs.end();
        }
        else if (c < k)
        {
            // The walk forward stops at the last entry with a number below k: the new entry
            // goes right after it, in front of every entry numbered k.
            const auto itBelow = std::prev(m_runs.lower_bound(k));
            LinkAfter(pNew, itBelow->second.pLast);
            bBecomesFirst = true;
            bBecomesLast = itRun == m_runs.end();
        }
        else
        {
            // Same number: no step is taken, the new entry follows the last-inserted one.
            bBecomesLast = itRun->second.pLast == m_pLastInserted;
            LinkAfter(pNew, m_pLastInserted);
        }
    }

    if (itRun == m_runs.end())
    {
        m_runs.emplace(k, CRun{pNew, pNew});
        m_firstText[k] = pNew->m_strText.c_str();
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
