// The names a message file defines, with their numbers. One table serves every file a program
// reads, so a later file can use an earlier one's names. A large file defines hundreds of
// thousands of names, one lookup or insertion per line: the names sit in blocks in the order of
// their first definition, their bytes in a text store, and a slot index finds them: no
// allocation per name, and no copying of the table as it grows.
#ifndef KORVELT_MSGCAT_NAMETABLE_H
#define KORVELT_MSGCAT_NAMETABLE_H

#include "msgcat/HashKey.h"
#include "msgcat/SlotIndex.h"
#include "msgcat/TextStore.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>
#include <utility>

class CNameTable
{
public:
    using CName = std::pair<std::string_view, int32_t>;
    using const_iterator = std::deque<CName>::const_iterator;

    CNameTable();

    // The number of the name, which is added with 0 when it is new.
    int32_t& operator[](std::string_view name) { return Get(name, Hash(name)); }

    // Null when the name is not defined.
    const int32_t* Find(std::string_view name) const { return Find(name, Hash(name)); }

    // The number of a defined name; std::out_of_range for any other.
    int32_t at(std::string_view name) const;

    // The same with the name's Hash worked out beforehand, for a reader that announces its
    // names through Prefetch a few lines before it uses them. The hash is SipHash under the
    // process's key, so no file can choose names that share one.
    uint32_t Hash(std::string_view name) const;
    // Step 0 fetches the name's slot of the index; when that has arrived, step 1 its entry;
    // then step 2 the name's bytes. A lookup compares them, so each step waits for the one
    // before: a reader spreads the steps over the lines ahead of it.
    void Prefetch(uint32_t nHash, int nStep = 0) const;
    int32_t& Get(std::string_view name, uint32_t nHash);
    const int32_t* Find(std::string_view name, uint32_t nHash) const;

    // Where a series of FindNext calls stands.
    struct CCursor
    {
        std::size_t m_nPosition = std::size_t(-1);  // of the last name found
        bool m_bInOrder = true;                      // it was defined right after the one before
    };

    // Find for names that mostly come in the order of their definitions, as a file's messages
    // usually do: while they do, the name after the last one found is compared first and the
    // index is not needed. Out of order, that comparison would be one more cache miss, so it is
    // left out until the index finds a name in order again.
    const int32_t* FindNext(std::string_view name, uint32_t nHash, CCursor& cursor) const;

    std::size_t size() const { return m_names.size(); }
    bool empty() const { return m_names.empty(); }
    // In the order of first definition.
    const_iterator begin() const { return m_names.begin(); }
    const_iterator end() const { return m_names.end(); }

private:
    uint32_t Position(std::string_view name, uint32_t nHash) const;

    CTextStore m_store;  // the names' bytes
    std::deque<CName> m_names;  // never moved as they grow
    CSlotIndex m_index;  // tag: Hash of the name
    CHashKey m_key;      // of Hash
};

#endif
