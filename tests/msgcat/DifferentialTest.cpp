// The indexed message list against a word-for-word model of the walking list: random files with
// many duplicates and negative numbers must give the same text for every number.
#include "LiteralMessageList.h"
#include "MessageCatalog.h"
#include "MessageFileReader.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace {

struct CRandomFile
{
    std::string strContent;
    std::set<int32_t> numbers;
};

// A file whose names map to a small pool of numbers (so duplicates are common), spread over
// small, negative and extreme values, with message lines in random order.
CRandomFile MakeRandomFile(std::mt19937& rng, int nNames, int nLines)
{
    CRandomFile file;
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    std::vector<int32_t> pool;
    for (int i = 0; i < nNames / 2 + 1; ++i)
    {
        switch (pick(rng))
        {
        case 0: pool.push_back(-static_cast<int32_t>(rng() % 50)); break;
        case 1: pool.push_back(any(rng)); break;
        case 2: pool.push_back(INT32_MIN + static_cast<int32_t>(rng() % 3)); break;
        default: pool.push_back(static_cast<int32_t>(rng() % 100)); break;
        }
    }
    for (int i = 0; i < nNames; ++i)
    {
        const int32_t n = pool[rng() % pool.size()];
        file.strContent += "N" + std::to_string(i) + "=" + std::to_string(n) + "\n";
        file.numbers.insert(n);
    }
    file.strContent += "[messages]\n";
    for (int i = 0; i < nLines; ++i)
        file.strContent += "N" + std::to_string(rng() % nNames) + "=t" + std::to_string(i) + "\n";
    return file;
}

} // namespace

TEST(Differential, IndexedListAgreesWithTheWalkingList)
{
    std::mt19937 rng(20261208);
    CTempDir dir;
    for (int round = 0; round < 300; ++round)
    {
        const int nNames = 1 + static_cast<int>(rng() % 40);
        const int nLines = static_cast<int>(rng() % 400);
        const CRandomFile file = MakeRandomFile(rng, nNames, nLines);

        CMessageCatalog catalog;
        catalog.SetMessageFile(dir.Write("r.msg", file.strContent).c_str());

        CNameTable names;
        CLiteralMessageList model;
        CMessageFileReader::Read(file.strContent, names, [&model](int32_t n, std::string_view text) {
            model.Insert(n, std::string(text));
        });

        ASSERT_EQ(catalog.GetCurrentList()->GetCount(), model.GetCount());
        for (int32_t n : file.numbers)
            ASSERT_STREQ(catalog.LoadMessage(n), model.Find(n)) << "round " << round << ", number " << n;
        ASSERT_STREQ(catalog.LoadMessage(123456789), model.Find(123456789));
    }
}

TEST(Differential, ListOrderMatchesTheWalkingListEntryByEntry)
{
    // Besides the first text of each number, the whole order must agree in both directions:
    // every entry's neighbours decide where later insertions land.
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round)
    {
        CMessageList list("x");
        CLiteralMessageList model;
        for (int i = 0; i < 200; ++i)
        {
            const int32_t n = static_cast<int32_t>(rng() % 7) - 3;
            list.Insert(n, std::to_string(i));
            model.Insert(n, std::to_string(i));
        }
        std::vector<std::string> forwards, backwards;
        for (const CMessageEntry* p = list.GetFirst(); p; p = p->m_pNext)
            forwards.push_back(p->m_strText);
        for (const CMessageEntry* p = list.GetLast(); p; p = p->m_pPrev)
            backwards.insert(backwards.begin(), p->m_strText);
        ASSERT_EQ(forwards, model.Texts()) << "round " << round;
        ASSERT_EQ(backwards, forwards);
    }
}
