// A hash index over positions in an array kept by its owner. Each slot holds a 32-bit tag and a
// position: the tag alone places the slot, so the index grows without looking at keys, and a
// lookup touches one run of neighbouring slots instead of a chain of nodes spread over the heap.
// Whether a matching tag is the key (a hash may collide, a number used as its own tag cannot) is
// up to the owner. Where a tag is placed depends on the process's hash key, so no file can be
// made whose tags all fall in one run: a tag that is a SipHash under that key already is placed
// by its own bits, any other tag (a number a file chose) by its SipHash.
#ifndef KORVELT_MSGCAT_SLOTINDEX_H
#define KORVELT_MSGCAT_SLOTINDEX_H

#include "msgcat/HashKey.h"
#include "msgcat/Prefetch.h"
#include "msgcat/SipHash.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CSlotIndex
{
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    enum class CTags
    {
        Keyed,  // SipHash under the process's key, as a name's hash in the name table is
        Chosen  // by whoever wrote the file, as the numbers are
    };

    explicit CSlotIndex(CTags tags) : m_key(ProcessHashKey()), m_bKeyedTags(tags == CTags::Keyed) {}

    // Where a tag goes, whatever the size of the index. A caller that asks for a slot ahead
    // (PrefetchPlace) and uses it later works it out once and hands it to the calls that take
    // one; it must be this tag's.
    uint64_t Place(uint32_t nTag) const
    {
        // A SipHash under the process's key: which tags share a slot, or a run of neighbouring
        // ones, cannot be known without the key. Hashing a keyed tag again would only cost time.
        return m_bKeyedTags ? uint64_t{nTag} << 32 : CSipHash13::Hash(m_key, nTag);
    }

    // The position under this tag for which isKey(position) holds, or kNone.
    template <class IsKey>
    uint32_t Find(uint32_t nTag, IsKey isKey) const
    {
        return Find(nTag, Place(nTag), isKey);
    }

    template <class IsKey>
    uint32_t Find(uint32_t nTag, uint64_t nPlace, IsKey isKey) const
    {
        if (m_slots.empty())
            return kNone;
        for (std::size_t i = Home(nPlace);; i = (i + 1) & m_nMask)
        {
            const CSlot& slot = m_slots[i];
            if (slot.m_nPosition == kNone)
                return kNone;
            if (slot.m_nTag == nTag && isKey(slot.m_nPosition))
                return slot.m_nPosition;
        }
    }

    // A Find or Add for this tag comes soon.
    void PrefetchTag(uint32_t nTag) const { PrefetchPlace(Place(nTag)); }
    void PrefetchPlace(uint64_t nPlace) const
    {
        if (!m_slots.empty())
            Prefetch(&m_slots[Home(nPlace)]);
    }

    // Room for this many positions in all without growing again.
    void Reserve(std::size_t nPositions)
    {
        std::size_t nSize = m_slots.empty() ? kMinSize : m_slots.size();
        while (nPositions * 2 > nSize)
            nSize *= 2;
        if (nSize != m_slots.size())
            Rehash(nSize);
    }

    // For a key the caller has just failed to find.
    void Add(uint32_t nTag, uint32_t nPosition) { Add(nTag, Place(nTag), nPosition); }
    void Add(uint32_t nTag, uint64_t nPlace, uint32_t nPosition)
    {
        // At most half full, so probe runs stay short.
        if ((m_nUsed + 1) * 2 > m_slots.size())
            Rehash(m_slots.empty() ? kMinSize : m_slots.size() * 2);
        Put(nTag, nPlace, nPosition);
        ++m_nUsed;
    }

private:
    struct CSlot
    {
        uint32_t m_nTag;
        uint32_t m_nPosition;  // kNone: empty
    };

    static constexpr std::size_t kMinSize = 16;

    std::size_t Home(uint64_t nPlace) const
    {
        // The top bits keep the slots' order when the size doubles, so growing writes the new
        // slots front to back.
        return static_cast<std::size_t>(nPlace >> m_nShift);
    }

    void Put(uint32_t nTag, uint64_t nPlace, uint32_t nPosition)
    {
        std::size_t i = Home(nPlace);
        while (m_slots[i].m_nPosition != kNone)
            i = (i + 1) & m_nMask;
        m_slots[i] = CSlot{nTag, nPosition};
    }

    void Rehash(std::size_t nSize)  // a power of two from kMinSize up
    {
        std::vector<CSlot> old(nSize, CSlot{0, kNone});
        old.swap(m_slots);
        m_nMask = nSize - 1;
        m_nShift = 64;
        for (std::size_t n = nSize; n > 1; n >>= 1)
            --m_nShift;
        for (const CSlot& slot : old)
        {
            if (slot.m_nPosition != kNone)
                Put(slot.m_nTag, Place(slot.m_nTag), slot.m_nPosition);
        }
    }

    std::vector<CSlot> m_slots;
    std::size_t m_nMask = 0;
    unsigned m_nShift = 64;  // 64 minus the bits of a slot number
    CHashKey m_key;
    bool m_bKeyedTags;
    std::size_t m_nUsed = 0;
};

#endif
