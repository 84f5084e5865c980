// A 64-bit millisecond count made from a 32-bit one that wraps every 49.7 days, for a kernel
// without a 64-bit tick count. Owns the last count seen and the number of wraps so far.
#ifndef KORVELT_OLDWIN_TICKCOUNT64_H
#define KORVELT_OLDWIN_TICKCOUNT64_H

#include <cstdint>

class CTickCount64
{
public:
    // A count below the last one means the 32-bit count went round once more; so a wrap is seen
    // only if counts come at least once per 49.7 days, which every caller's waits do.
    std::uint64_t Extend(std::uint32_t nNow)
    {
        if (nNow < m_nLast)
            ++m_nWraps;
        m_nLast = nNow;
        return (static_cast<std::uint64_t>(m_nWraps) << 32) | nNow;
    }

private:
    std::uint32_t m_nLast = 0;
    std::uint32_t m_nWraps = 0;
};

#endif
