#include "NameTable.h"

#include "HashKey.h"
#include "Prefetch.h"

#include <cstring>
#include <stdexcept>

CNameTable::CNameTable() : m_nSeed(ProcessHashKey().m_nNameSeed) {}

uint32_t CNameTable::Hash(std::string_view name) const
{
    // Eight bytes at a time (names are short, and a hash is needed for every line of a file),
    // each step a multiply that spreads every input bit over the upper half, which is kept.
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    const auto mix = [](uint64_t h, uint64_t word) {
        h = (h ^ word) * kMultiplier;
        return h ^ (h >> 29);
    };
    uint64_t h = m_nSeed ^ (name.size() * kMultiplier);
    std::size_t i = 0;
    for (; i + 8 <= name.size(); i += 8)
    {
        uint64_t word;
        std::memcpy(&word, name.data() + i, sizeof word);
        h = mix(h, word);
    }
    if (i < name.size())
    {
        // The tail in a register: a partial copy into memory read back whole would stall.
        uint64_t word = 0;
        for (unsigned nShift = 0; i < name.size(); ++i, nShift += 8)
            word |= uint64_t{static_cast<unsigned char>(name[i])} << nShift;
        h = mix(h, word);
    }
    return static_cast<uint32_t>((h * kMultiplier) >> 32);
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
