// SipHash (Aumasson and Bernstein, 2012): a hash of a byte string under a 128-bit key, built so
// that whoever does not know the key can find no inputs that collide, or that share some bits of
// the hash, any better than by chance. A hash that is merely seeded is not enough: when its steps
// are simple enough to reverse, a difference in the input can be made to cancel out whatever the
// seed, and every such input then lands in one place of an index.
//
// The indexes use SipHash-1-3 (one round per eight bytes, three at the end), as the hash tables
// of Python and Rust do: a table needs no more than that no one can aim at its places, while
// SipHash-2-4 is meant to be a message authentication code. The rounds are parameters so that
// the published SipHash-2-4 results check the very code the tables run.
//
// Header only: a hash is taken for every line of a file and most names fill one or two blocks,
// so a call would cost as much again as the hash.
#ifndef KORVELT_MSGCAT_SIPHASH_H
#define KORVELT_MSGCAT_SIPHASH_H

#include "msgcat/HashKey.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

template <int nCompressionRounds, int nFinalRounds>
class CSipHash
{
public:
    static uint64_t Hash(const CHashKey& key, std::string_view bytes)
    {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
        const std::size_t nSize = bytes.size();
        CSipHash state(key);
        std::size_t i = 0;
        for (; i + 8 <= nSize; i += 8)
            state.Compress(LoadLittleEndian(p + i));
        // The last block: the bytes left over, and the length's lowest byte at the top. Built in
        // a register: a partial copy into memory read back whole would stall.
        uint64_t nLast = uint64_t{nSize} << 56;
        for (unsigned nShift = 0; i < nSize; ++i, nShift += 8)
            nLast |= uint64_t{p[i]} << nShift;
        state.Compress(nLast);
        return state.Finish();
    }

    // The Hash of the number's four bytes, lowest first, in one block.
    static uint64_t Hash(const CHashKey& key, uint32_t n)
    {
        CSipHash state(key);
        state.Compress(uint64_t{4} << 56 | n);
        return state.Finish();
    }

private:
    explicit CSipHash(const CHashKey& key)
        : m_nV0(key.m_nK0 ^ 0x736F6D6570736575u),
          m_nV1(key.m_nK1 ^ 0x646F72616E646F6Du),
          m_nV2(key.m_nK0 ^ 0x6C7967656E657261u),
          m_nV3(key.m_nK1 ^ 0x7465646279746573u)
    {
    }

    // Written out byte by byte, so the order is the same on any processor; compilers make one
    // load of it where the processor's order is this one.
    static uint64_t LoadLittleEndian(const unsigned char* p)
    {
        return uint64_t{p[0]} | uint64_t{p[1]} << 8 | uint64_t{p[2]} << 16 | uint64_t{p[3]} << 24 |
               uint64_t{p[4]} << 32 | uint64_t{p[5]} << 40 | uint64_t{p[6]} << 48 | uint64_t{p[7]} << 56;
    }

    static uint64_t RotateLeft(uint64_t n, unsigned nBits) { return n << nBits | n >> (64 - nBits); }

    void Round()
    {
        m_nV0 += m_nV1;
        m_nV1 = RotateLeft(m_nV1, 13) ^ m_nV0;
        m_nV0 = RotateLeft(m_nV0, 32);
        m_nV2 += m_nV3;
        m_nV3 = RotateLeft(m_nV3, 16) ^ m_nV2;
        m_nV0 += m_nV3;
        m_nV3 = RotateLeft(m_nV3, 21) ^ m_nV0;
        m_nV2 += m_nV1;
        m_nV1 = RotateLeft(m_nV1, 17) ^ m_nV2;
        m_nV2 = RotateLeft(m_nV2, 32);
    }

    void Compress(uint64_t nBlock)
    {
        m_nV3 ^= nBlock;
        for (int i = 0; i < nCompressionRounds; ++i)
            Round();
        m_nV0 ^= nBlock;
    }

    uint64_t Finish()
    {
        m_nV2 ^= 0xFF;
        for (int i = 0; i < nFinalRounds; ++i)
            Round();
        return m_nV0 ^ m_nV1 ^ m_nV2 ^ m_nV3;
    }

    uint64_t m_nV0;
    uint64_t m_nV1;
    uint64_t m_nV2;
    uint64_t m_nV3;
};

using CSipHash13 = CSipHash<1, 3>;  // the indexes'
using CSipHash24 = CSipHash<2, 4>;  // the published one, for the tests

#endif
