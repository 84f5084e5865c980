#include "tests/support/CollidingNames.h"

#include <algorithm>
#include <cstdint>

namespace {

// Bytes a name may hold anywhere in a line "NAME = number".
bool IsNameByte(unsigned char ch)
{
    return ch > 0x20 && ch < 0xFF && ch != 0x7F && ch != '=' && ch != ';';
}

uint64_t RandomWord(std::mt19937_64& rng)
{
    uint64_t word = 0;
    for (int i = 0; i < 8; ++i)
        word = word << 8 | static_cast<unsigned char>('A' + rng() % 26);
    return word;
}

std::string BytesOf(uint64_t word)
{
    std::string strBytes(8, '\0');
    for (char& ch : strBytes)
    {
        ch = static_cast<char>(word & 0xFF);
        word >>= 8;
    }
    return strBytes;
}

} // namespace

std::vector<std::string> MakeNames(std::size_t nNames, bool bColliding, std::mt19937_64& rng)
{
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    const auto mix = [](uint64_t h, uint64_t word) {
        h = (h ^ word) * kMultiplier;
        return h ^ (h >> 29);
    };
    std::vector<std::string> names;
    while (names.size() < nNames)
    {
        const uint64_t first = RandomWord(rng);
        // The state after the second word is the same for every name, as (state ^ word) is.
        const uint64_t second = bColliding ? mix(16 * kMultiplier, first) ^ 0x4B4B4B4B4B4B4B4Bu : RandomWord(rng);
        const std::string strSecond = BytesOf(second);
        if (std::all_of(strSecond.begin(), strSecond.end(), [](char ch) { return IsNameByte(static_cast<unsigned char>(ch)); }))
            names.push_back(BytesOf(first) + strSecond);
    }
    return names;
}
