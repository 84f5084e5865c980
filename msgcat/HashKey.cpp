#include "msgcat/HashKey.h"

#include <chrono>
#include <cstddef>

namespace {

// SplitMix64's step: every bit of the state reaches every bit of the result.
uint64_t NextWord(uint64_t& nState)
{
    uint64_t z = (nState += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

CHashKey DrawKey()
{
    // The clocks to their finest tick and where the system put the stack and the code: none of
    // them is known when a file is written. No call that an old system lacks is needed for them.
    const int nOnTheStack = 0;
    uint64_t nState = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    nState = NextWord(nState) ^ static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    nState = NextWord(nState) ^ reinterpret_cast<std::uintptr_t>(&nOnTheStack);
    nState = NextWord(nState) ^ reinterpret_cast<std::uintptr_t>(&DrawKey);
    // Both halves come from all of them: the key is as hard to guess as they are, no harder.
    CHashKey key;
    key.m_nK0 = NextWord(nState);
    key.m_nK1 = NextWord(nState);
    return key;
}

} // namespace

const CHashKey& ProcessHashKey()
{
    static const CHashKey s_key = DrawKey();
    return s_key;
}
