// The indexed message list against a word-for-word model of the walking list: random files with
// many duplicates and negative numbers must give the same text for every number.
#include "msgcat/MessageCatalog.h"
#include "msgcat/MessageFileReader.h"
#include "tests/support/LiteralMessageList.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

// The texts in list order; the walk forwards must meet the same entries. Backwards first, so
// that GetLast, too, finds the runs of a load still to be linked.
std::vector<std::string> WalkTexts(const CMessageList& list)
{
    std::vector<std::string> forwards, backwards;
    for (const CMessageEntry* p = list.GetLast(); p; p = p->m_pPrev)
        backwards.emplace(backwards.begin(), p->m_strText);
    for (const CMessageEntry* p = list.GetFirst(); p; p = p->m_pNext)
        forwards.emplace_back(p->m_strText);
    EXPECT_EQ(backwards, forwards);
    return forwards;
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
        ASSERT_EQ(WalkTexts(list), model.Texts()) << "round " << round;
    }
}

TEST(Differential, FileLoadAmongSingleInsertionsMatchesTheWalkingList)
{
    // A file's messages go in through the loader, which puts new numbers into the order only at
    // the end (by radix sort from 1024 of them on); insertions before and after it must find
    // the list exactly as the walking list would have it.
    const struct
    {
        int nBefore;
        int nLoaded;
        uint32_t nDistinct;
        int nAfter;
    } cases[] = {
        {0, 300, 7, 0},         // long runs of duplicates
        {5, 3000, 100000, 20},  // mostly new numbers
        {50, 2000, 40, 50},     // loaded numbers meeting runs that exist already
        {10, 0, 10, 3},
    };
    std::mt19937 rng(11);
    for (const auto& c : cases)
    {
        for (int round = 0; round < 10; ++round)
        {
            // Spread over all 32 bits, so every byte of the radix sort and the signed-unsigned
            // boundary matter; the extremes now and then.
            const auto pickNumber = [&rng, &c]() -> int32_t {
                static const int32_t extremes[] = {0, -1, INT32_MIN, INT32_MAX};
                if (rng() % 16 == 0)
                    return extremes[rng() % 4];
                return static_cast<int32_t>(static_cast<uint32_t>(rng() % c.nDistinct) * 2654435761u);
            };
            CMessageList list("x");
            CLiteralMessageList model;
            std::set<int32_t> numbers;
            int nText = 0;
            const auto insertOne = [&]() {
                const int32_t n = pickNumber();
                const std::string strText = std::to_string(nText++);
                list.Insert(n, strText);
                model.Insert(n, strText);
                numbers.insert(n);
            };
            for (int i = 0; i < c.nBefore; ++i)
                insertOne();
            // The texts lie in the file's bytes, as the reader finds them, with different line
            // ends and the last one at the very end; every fifth comes from elsewhere.
            std::vector<std::pair<int32_t, std::string>> file;
            std::string strFileText;
            for (int i = 0; i < c.nLoaded; ++i)
            {
                file.emplace_back(pickNumber(), std::to_string(nText++));
                static const char* const kEnds[] = {"\n", " \r\n", "\t;\n"};
                strFileText += (i > 0 ? kEnds[i % 3] : "") + file.back().second;
            }
            CMessageList::CLoader loader(list, strFileText);
            std::size_t nAt = 0;
            for (std::size_t i = 0; i < file.size(); ++i)
            {
                const auto& [n, strText] = file[i];
                nAt = loader.GetFileText().find(strText, nAt);
                const std::string_view inFile = loader.GetFileText().substr(nAt, strText.size());
                nAt += strText.size();
                loader.Add(n, i % 5 == 4 ? std::string_view(strText) : inFile);
                model.Insert(n, strText);
                numbers.insert(n);
            }
            loader.Finish();
            for (int i = 0; i < c.nAfter; ++i)
                insertOne();

            ASSERT_EQ(list.GetCount(), model.GetCount());
            ASSERT_EQ(WalkTexts(list), model.Texts()) << c.nLoaded << " loaded, round " << round;
            for (int32_t n : numbers)
                ASSERT_STREQ(list.Find(n), model.Find(n)) << n;
        }
    }
}
