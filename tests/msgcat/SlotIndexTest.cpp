// Where the slot index puts numbers that a file chose: sets of numbers whose bits are alike in
// all but a few places must spread over the slots as random ones do. Placed by their own bits,
// or by any function a file's author can work out, they would fall in one run of slots, and
// each lookup would walk it.
#include "msgcat/SlotIndex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <unordered_set>

TEST(SlotIndex, ChosenNumbersSpreadLikeRandomOnes)
{
    constexpr uint32_t kGoldenInverse = 0x144CBC89u;  // 0x9E3779B9 * this == 1 (mod 2^32)
    const struct
    {
        const char* pszWhat;
        std::function<uint32_t(uint32_t)> number;
    } cases[] = {
        {"consecutive", [](uint32_t i) { return i; }},
        {"high bits only", [](uint32_t i) { return i << 20; }},
        {"below zero", [](uint32_t i) { return 0xFFFFFFFFu - i; }},
        {"from the lowest", [](uint32_t i) { return 0x80000000u + i; }},
        {"one place under the golden ratio", [](uint32_t i) { return i * kGoldenInverse; }},
    };
    const CSlotIndex index(CSlotIndex::CTags::Chosen);
    constexpr uint32_t kNumbers = 4096;
    for (const auto& c : cases)
    {
        // The top 16 bits choose the slot of an index of 65,536. 4096 random places would fill
        // 65536 * (1 - exp(-1/16)) = 3969 of them, give or take 11.
        std::unordered_set<uint64_t> slots;
        for (uint32_t i = 0; i < kNumbers; ++i)
            slots.insert(index.Place(c.number(i)) >> 48);
        EXPECT_GT(slots.size(), 3900u) << c.pszWhat;
    }
}
