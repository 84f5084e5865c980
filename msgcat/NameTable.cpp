#include "msgcat/NameTable.h"

#include "msgcat/HashKey.h"
#include "msgcat/Prefetch.h"
#include "msgcat/SipHash.h"

#include <stdexcept>

CNameTable::CNameTable() : m_index(CSlotIndex::CTags::Keyed), m_key(ProcessHashKey()) {}

uint32_t CNameTable::Hash(std::string_view name) const
{
    // Any 32 bits of SipHash are as hard to aim at as all of them.
    return static_cast<uint32_t>(CSipHash13::Hash(m_key, name));
}

uint32_t CNameTable::Position(std::string_view name, uint32_t nHash) const
{
    return m_index.Find(nHash, [this, name](uint32_t nPosition) { return m_names[nPosition].first == name; });
}

void CNameTable::Prefetch(uint32_t nHash, int nStep) const
{
    if (nStep == 0)
    {
        m_index.PrefetchTag(nHash);
        return;
    }
    // Usually the only entry with this hash; for another one this is wasted, never wrong.
    const uint32_t nPosition = m_index.Find(nHash, [](uint32_t) { return true; });
    if (nPosition == CSlotIndex::kNone)
        return;
    if (nStep == 1)
        ::Prefetch(&m_names[nPosition]);
    else
        ::Prefetch(m_names[nPosition].first.data());
}

int32_t& CNameTable::Get(std::string_view name, uint32_t nHash)
{
    uint32_t nPosition = Position(name, nHash);
    if (nPosition == CSlotIndex::kNone)
    {
        // Whatever may fail to allocate comes first, so the index never names a missing entry
        // nor misses one.
        nPosition = static_cast<uint32_t>(m_names.size());
        m_index.Reserve(m_names.size() + 1);
        m_names.emplace_back(m_store.Add(name), 0);
        m_index.Add(nHash, nPosition);
    }
    return m_names[nPosition].second;
}

const int32_t* CNameTable::Find(std::string_view name, uint32_t nHash) const
{
    const uint32_t nPosition = Position(name, nHash);
    return nPosition == CSlotIndex::kNone ? nullptr : &m_names[nPosition].second;
}

const int32_t* CNameTable::FindNext(std::string_view name, uint32_t nHash, CCursor& cursor) const
{
    const std::size_t nNext = cursor.m_nPosition + 1;  // from -1 the first name
    if (cursor.m_bInOrder && nNext < m_names.size() && m_names[nNext].first == name)
    {
        cursor.m_nPosition = nNext;
        return &m_names[nNext].second;
    }
    const uint32_t nFound = Position(name, nHash);
    if (nFound == CSlotIndex::kNone)
    {
        cursor.m_bInOrder = false;
        return nullptr;
    }
    cursor.m_bInOrder = nFound == nNext;
    cursor.m_nPosition = nFound;
    return &m_names[nFound].second;
}

int32_t CNameTable::at(std::string_view name) const
{
    if (const int32_t* pNumber = Find(name))
        return *pNumber;
    throw std::out_of_range("CNameTable::at: name not defined");
}
