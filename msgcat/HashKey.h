// The key of the message catalogue's hashes, drawn once per process. Under a key known when a
// file is written, its author could pick names or numbers that all land in one place of an
// index, and every lookup would then walk all of them; under a key drawn when the file is read,
// they spread as any others do.
#ifndef KORVELT_MSGCAT_HASHKEY_H
#define KORVELT_MSGCAT_HASHKEY_H

#include <cstdint>

struct CHashKey
{
    uint64_t m_nNameSeed;    // where the hash of a name starts
    uint64_t m_nMultiplier;  // odd; with the addend, places a tag in a slot index
    uint64_t m_nAddend;
};

const CHashKey& ProcessHashKey();

#endif
