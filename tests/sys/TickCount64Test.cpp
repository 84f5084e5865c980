// The 64-bit tick count that oldwin makes from the 32-bit one where the system has none.
#include "oldwin/TickCount64.h"

#include <gtest/gtest.h>

#include <cstdint>

// Each step: the 32-bit count the system gives, and the 64-bit count that must come out.
TEST(TickCount64, Extend_CountGoingRound_AddsOneWrapEachTime)
{
    const std::uint64_t nWrap = std::uint64_t(1) << 32;
    const struct { std::uint32_t nNow; std::uint64_t nExpected; } steps[] = {
        {1000, 1000},
        {1000, 1000},
        {0xFFFFFFF0u, 0xFFFFFFF0u},
        {0xFFFFFFFFu, 0xFFFFFFFFu},
        {5, nWrap + 5},
        {0x80000000u, nWrap + 0x80000000u},
        {0, 2 * nWrap},
        {0xFFFFFFFFu, 2 * nWrap + 0xFFFFFFFFu},
        {0xFFFFFFFEu, 3 * nWrap + 0xFFFFFFFEu},
    };
    CTickCount64 count;
    std::uint64_t nPrevious = 0;
    for (const auto& step : steps) {
        const std::uint64_t nResult = count.Extend(step.nNow);
        EXPECT_EQ(nResult, step.nExpected) << "after " << step.nNow;
        EXPECT_GE(nResult, nPrevious);
        nPrevious = nResult;
    }
}
