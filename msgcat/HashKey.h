// The key of the message catalogue's hashes, drawn once per process. Under a key known when a
// file is written, its author could pick names or numbers that all land in one place of an
// index, and every lookup would then walk all of them; under a key drawn when the file is read,
// they spread as any others do.
#ifndef KORVELT_MSGCAT_HASHKEY_H
#define KORVELT_MSGCAT_HASHKEY_H

#include <cstdint>

// SipHash's 128 bits: the key's first eight bytes, lowest first, then the other eight.
struct CHashKey
{
    uint64_t m_nK0;
    uint64_t m_nK1;
};

const CHashKey& ProcessHashKey();

#endif
