#include "msgcat/MessageList.h"

#include "msgcat/Prefetch.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr std::size_t kMinBlock = 64;
// How far ahead the loops over many messages or runs ask for the memory they will touch.
constexpr std::size_t kAhead = 32;

uint32_t RunOf(uint64_t nOrderKey)
{
    return static_cast<uint32_t>(nOrderKey);
}

// Sorts order keys by number, which is unique among them. A file's worth of new numbers is the
// largest sort of the load: four counting passes over a byte of the number each beat a
// comparison sort several times over.
void SortByNumber(uint64_t* pKeys, std::size_t nKeys)
{
    if (nKeys < 1024)
    {
        std::sort(pKeys, pKeys + nKeys);
        return;
    }
    std::vector<uint64_t> other(nKeys);
    uint64_t* pFrom = pKeys;
    uint64_t* pTo = other.data();
    for (unsigned nShift = 32; nShift < 64; nShift += 8)
    {
        std::size_t starts[256] = {};
        for (std::size_t i = 0; i < nKeys; ++i)
            ++starts[(pFrom[i] >> nShift) & 0xFF];
        std::size_t nStart = 0;
        for (std::size_t& n : starts)
            nStart += std::exchange(n, nStart);
        for (std::size_t i = 0; i < nKeys; ++i)
            pTo[starts[(pFrom[i] >> nShift) & 0xFF]++] = pFrom[i];
        std::swap(pFrom, pTo);
    }
    // An even number of passes: the keys are back in place.
}

} // namespace

CMessageList::CMessageList(std::string strFileName)
    : m_strFileName(std::move(strFileName)), m_runIndex(CSlotIndex::CTags::Chosen)
{
}

void CMessageList::LinkBefore(CMessageEntry* pNew, CMessageEntry* pNext)
{
    pNew->m_pNext = pNext;
    pNew->m_pPrev = pNext->m_pPrev;
    if (pNext->m_pPrev)
        pNext->m_pPrev->m_pNext = pNew;
    pNext->m_pPrev = pNew;
}

void CMessageList::LinkAfter(CMessageEntry* pNew, CMessageEntry* pPrev)
{
    pNew->m_pPrev = pPrev;
    pNew->m_pNext = pPrev->m_pNext;
    if (pPrev->m_pNext)
        pPrev->m_pNext->m_pPrev = pNew;
    pPrev->m_pNext = pNew;
}

std::string_view CMessageList::KeepText(std::string_view text)
{
    const std::less_equal<const char*> notAfter;
    if (m_pLoading && notAfter(m_pLoading, text.data()) && notAfter(text.data() + text.size(), m_pLoading + m_nLoadingSize))
    {
        const std::size_t nEnd = static_cast<std::size_t>(text.data() - m_pLoading) + text.size();
        if (nEnd < m_nLoadingSize)  // at the very end the string's own NUL is there already
            m_pLoading[nEnd] = '\0';
        return text;
    }
    return m_texts.Add(text);
}

CMessageEntry* CMessageList::NewEntry(int32_t nNumber, std::string_view text)
{
    if (m_blocks.empty() || m_blocks.back().size() == m_blocks.back().capacity())
    {
        // Each block as large as all before it: few blocks, and the unused end of the last one
        // is never touched.
        m_blocks.emplace_back();
        m_blocks.back().reserve(std::max(kMinBlock, m_nCount));
    }
    CMessageEntry& entry = m_blocks.back().emplace_back();
    entry.m_nNumber = nNumber;
    entry.m_strText = KeepText(text);
    return &entry;
}

void CMessageList::Append(int32_t nNumber, uint64_t nPlace, std::string_view text)
{
    const uint32_t k = static_cast<uint32_t>(nNumber);
    CMessageEntry* pNew = NewEntry(nNumber, text);
    const uint32_t nRun = m_runIndex.Find(k, nPlace, [](uint32_t) { return true; });
    if (nRun == CSlotIndex::kNone)
    {
        // Alone in its run, it has no neighbour of its own number to be placed against; where
        // the run goes among the others is settled by Link.
        m_runIndex.Reserve(m_runs.size() + 1);  // the allocations before the changes
        m_runs.push_back(CRun{pNew, pNew});
        m_runIndex.Add(k, nPlace, static_cast<uint32_t>(m_runs.size() - 1));
    }
    else
    {
        // The run exists, so an entry was inserted before this one.
        CRun& run = m_runs[nRun];
        const uint32_t c = static_cast<uint32_t>(m_pLastInserted->m_nNumber);
        if (c > k)
        {
            // The walk back stops at the first entry with a number above k: the new entry
            // goes behind every entry numbered k.
            LinkAfter(pNew, run.m_pLast);
            run.m_pLast = pNew;
        }
        else if (c < k)
        {
            // The walk forward stops at the last entry with a number below k: the new entry
            // goes in front of every entry numbered k.
            LinkBefore(pNew, run.m_pFirst);
            run.m_pFirst = pNew;
        }
        else
        {
            // Same number: no step is taken, the new entry follows the last-inserted one.
            if (run.m_pLast == m_pLastInserted)
                run.m_pLast = pNew;
            LinkAfter(pNew, m_pLastInserted);
        }
    }
    ++m_nCount;
    m_pLastInserted = pNew;
}

void CMessageList::Link() const
{
    const std::size_t nFirstNew = m_nLinkedRuns;
    if (nFirstNew == m_runs.size())
        return;
    const std::size_t nOld = m_order.size();
    const std::size_t nNeeded = nOld + (m_runs.size() - nFirstNew);
    if (nNeeded > m_order.capacity())
        m_order.reserve(std::max(nNeeded, 2 * m_order.capacity()));
    for (std::size_t nRun = nFirstNew; nRun < m_runs.size(); ++nRun)
    {
        const uint32_t k = static_cast<uint32_t>(m_runs[nRun].m_pFirst->m_nNumber);
        m_order.push_back(uint64_t{k} << 32 | nRun);
    }
    SortByNumber(m_order.data() + nOld, m_order.size() - nOld);
    std::inplace_merge(m_order.begin(), m_order.begin() + static_cast<std::ptrdiff_t>(nOld), m_order.end());

    // A new run has been linked to nothing outside itself; each boundary with a new run on
    // either side is made. The runs come in number order, not in memory order, so their
    // records and then their end entries are asked for ahead.
    for (std::size_t i = 1; i < m_order.size(); ++i)
    {
        if (i + 2 * kAhead < m_order.size())
            Prefetch(&m_runs[RunOf(m_order[i + 2 * kAhead])]);
        if (i + kAhead < m_order.size())
        {
            const CRun& ahead = m_runs[RunOf(m_order[i + kAhead])];
            Prefetch(ahead.m_pFirst);
            Prefetch(ahead.m_pLast);
        }
        const uint32_t nBelow = RunOf(m_order[i - 1]);
        const uint32_t nAbove = RunOf(m_order[i]);
        if (nBelow < nFirstNew && nAbove < nFirstNew)
            continue;
        CMessageEntry* pBelow = m_runs[nBelow].m_pLast;
        CMessageEntry* pAbove = m_runs[nAbove].m_pFirst;
        pBelow->m_pNext = pAbove;
        pAbove->m_pPrev = pBelow;
    }
    m_nLinkedRuns = m_runs.size();
}

void CMessageList::Insert(int32_t nNumber, std::string_view text)
{
    Append(nNumber, m_runIndex.Place(static_cast<uint32_t>(nNumber)), text);
    Link();
}

CMessageList::CLoader::CLoader(CMessageList& list, std::string strFileText)
    : m_list(list)
{
    std::string& kept = m_list.m_fileTexts.emplace_back(std::move(strFileText));
    m_list.m_pLoading = kept.data();
    m_list.m_nLoadingSize = kept.size();
    m_fileText = kept;
}

void CMessageList::CLoader::Expect(std::size_t nNewNumbers)
{
    m_list.m_runIndex.Reserve(m_list.m_runs.size() + nNewNumbers);
}

void CMessageList::CLoader::Add(int32_t nNumber, std::string_view text)
{
    const uint64_t nPlace = m_list.m_runIndex.Place(static_cast<uint32_t>(nNumber));
    m_list.m_runIndex.PrefetchPlace(nPlace);
    if (m_nWaiting == kAhead)
    {
        const CWaiting& oldest = m_waiting[m_nOldest];
        m_list.Append(oldest.m_nNumber, oldest.m_nPlace, oldest.m_text);
        m_waiting[m_nOldest] = CWaiting{nNumber, nPlace, text};
        m_nOldest = (m_nOldest + 1) % kAhead;
    }
    else
    {
        m_waiting[(m_nOldest + m_nWaiting++) % kAhead] = CWaiting{nNumber, nPlace, text};
    }
}

void CMessageList::CLoader::Finish()
{
    for (; m_nWaiting > 0; --m_nWaiting, m_nOldest = (m_nOldest + 1) % kAhead)
    {
        const CWaiting& oldest = m_waiting[m_nOldest];
        m_list.Append(oldest.m_nNumber, oldest.m_nPlace, oldest.m_text);
    }
    m_list.m_pLoading = nullptr;
}

const char* CMessageList::Find(int32_t nNumber) const
{
    const uint32_t nRun = m_runIndex.Find(static_cast<uint32_t>(nNumber), [](uint32_t) { return true; });
    return nRun == CSlotIndex::kNone ? nullptr : m_runs[nRun].m_pFirst->m_strText.data();
}

const CMessageEntry* CMessageList::GetFirst() const
{
    Link();
    return m_order.empty() ? nullptr : m_runs[RunOf(m_order.front())].m_pFirst;
}

const CMessageEntry* CMessageList::GetLast() const
{
    Link();
    return m_order.empty() ? nullptr : m_runs[RunOf(m_order.back())].m_pLast;
}
