// The handle owner's rules, told by a kind whose closes are counted, and what each real kind
// takes for "no handle".
#include "win/ScopedHandle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Handles are small numbers; 0 and -1 stand for NULL and INVALID_HANDLE_VALUE.
struct CCountingTraits
{
    using Handle = int;
    static Handle Null() { return 0; }
    static bool IsValid(Handle h) { return h != 0 && h != -1; }
    static void Close(Handle h) { s_closed.push_back(h); }
    static std::vector<int> s_closed;
};
std::vector<int> CCountingTraits::s_closed;

using CCounted = CScopedHandle<CCountingTraits>;

struct CCase
{
    const char* m_pszName;
    void (*m_pfnRun)();
    std::vector<int> m_closed;  // in order, once every holder of the case has ended
};

const CCase kCases[] = {
    {"the end of the owner closes", [] { CCounted a(1); }, {1}},
    {"Reset closes the old handle and holds the new one",
     [] {
         CCounted a(1);
         a.Reset(2);
         EXPECT_EQ(a.Get(), 2);
     },
     {1, 2}},
    {"Reset to the handle held closes it once",
     [] {
         CCounted a(1);
         a.Reset(1);
     },
     {1}},
    {"Take gives the handle up",
     [] {
         CCounted a(1);
         EXPECT_EQ(a.Take(), 1);
         EXPECT_FALSE(a.IsValid());
     },
     {}},
    {"a move leaves the source empty",
     [] {
         CCounted a(1);
         CCounted b(std::move(a));
         EXPECT_FALSE(a.IsValid());
         EXPECT_EQ(b.Get(), 1);
     },
     {1}},
    {"a move assignment closes the target's handle first",
     [] {
         CCounted a(1);
         CCounted b(2);
         b = std::move(a);
         EXPECT_FALSE(a.IsValid());
     },
     {2, 1}},
    {"a move onto itself keeps the handle",
     [] {
         CCounted a(1);
         CCounted& same = a;
         a = std::move(same);
         EXPECT_EQ(a.Get(), 1);
     },
     {1}},
    {"no handle is never closed",
     [] {
         CCounted a(-1);
         CCounted b;
         a.Reset(3);
     },
     {3}},
};

} // namespace

TEST(ScopedHandle, EveryHandle_ClosedOnceByItsLastOwner)
{
    for (const CCase& c : kCases)
    {
        SCOPED_TRACE(c.m_pszName);
        CCountingTraits::s_closed.clear();
        c.m_pfnRun();
        EXPECT_EQ(CCountingTraits::s_closed, c.m_closed);
    }
}

// CreateFile and FindFirstFile fail with INVALID_HANDLE_VALUE, which is also the current
// process's pseudo handle: an owner given it must neither count it as held nor close it.
TEST(ScopedHandle, NullAndInvalidHandleValue_HoldNothing)
{
    EXPECT_FALSE(CScopedKernelHandle().IsValid());
    EXPECT_FALSE(CScopedKernelHandle(INVALID_HANDLE_VALUE).IsValid());
    EXPECT_FALSE(CScopedFindHandle().IsValid());
    EXPECT_FALSE(CScopedFindHandle(INVALID_HANDLE_VALUE).IsValid());
    EXPECT_FALSE(CScopedRegKey().IsValid());
    EXPECT_FALSE(CScopedGlobal().IsValid());
    EXPECT_FALSE(CScopedPalette().IsValid());
    EXPECT_FALSE(CScopedMenu().IsValid());
    EXPECT_FALSE(CScopedMemoryDC().IsValid());
}
