// The name table against a plain map: names sharing prefixes, lengths around the hash's
// eight-byte blocks, bytes outside ASCII and NULs, redefinitions, lookups in and out of the order
// of definition, and enough names to make the index grow many times.
#include "msgcat/NameTable.h"

#include "tests/msgcat/CancellingNames.h"
#include "tests/support/CollidingNames.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

TEST(NameTable, AgreesWithAPlainMap)
{
    std::vector<std::string> pool = {"", "A", std::string(1, '\0'), std::string("A\0", 2), "\x83\x41"};
    for (std::size_t nLength : {7, 8, 9, 15, 16, 17, 40})
    {
        for (char chLast = 'a'; chLast < 'd'; ++chLast)
        {
            std::string strName(nLength, 'N');
            strName.back() = chLast;
            pool.push_back(strName);
            strName.front() = 'M';
            pool.push_back(strName);
        }
    }
    for (int i = 0; i < 20000; ++i)
        pool.push_back("MSG_" + std::to_string(i));

    std::mt19937 rng(5);
    CNameTable names;
    std::unordered_map<std::string, int32_t> model;
    std::vector<std::string> defined;  // in the order of first definition
    CNameTable::CCursor cursor;
    std::size_t nInOrder = 0;
    for (int step = 0; step < 60000; ++step)
    {
        const std::string& strRandom = pool[rng() % pool.size()];
        const int nKind = static_cast<int>(rng() % 4);
        if (nKind == 0)
        {
            const int32_t n = static_cast<int32_t>(rng());
            names[strRandom] = n;
            if (model.insert_or_assign(strRandom, n).second)
                defined.push_back(strRandom);
            continue;
        }
        // Find; FindNext out of order; FindNext along the definitions, as a file's messages go.
        const std::string& strName = nKind == 3 && !defined.empty() ? defined[nInOrder++ % defined.size()] : strRandom;
        const int32_t* pNumber = nKind == 1 ? names.Find(strName) : names.FindNext(strName, names.Hash(strName), cursor);
        const auto it = model.find(strName);
        ASSERT_EQ(pNumber != nullptr, it != model.end()) << "step " << step;
        if (pNumber)
        {
            ASSERT_EQ(*pNumber, it->second) << "step " << step;
            if (nKind != 1)
            {
                ASSERT_EQ(names.begin()[static_cast<std::ptrdiff_t>(cursor.m_nPosition)].first, strName);
            }
        }
    }

    // Every name once, with its last number.
    ASSERT_EQ(names.size(), model.size());
    for (const auto& [name, number] : names)
        ASSERT_EQ(model.at(std::string(name)), number);
}

TEST(NameTable, At_ThrowsForAnUndefinedName)
{
    CNameTable names;
    names["A"] = 1;
    EXPECT_EQ(names.at("A"), 1);
    EXPECT_THROW(names.at("B"), std::out_of_range);
    EXPECT_THROW(names.at(""), std::out_of_range);
}

namespace {

// The name hash this table had before SipHash: multiply-xorshift over eight-byte words from a
// seed. The cancelling names must defeat it whatever the seed, or spreading them proves nothing.
uint32_t MultiplyXorshiftHash(uint64_t nSeed, const std::string& strName)
{
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    uint64_t h = nSeed ^ (strName.size() * kMultiplier);
    for (std::size_t i = 0; i < strName.size(); i += 8)
    {
        uint64_t word = 0;
        for (std::size_t j = i; j < i + 8 && j < strName.size(); ++j)
            word |= uint64_t{static_cast<unsigned char>(strName[j])} << (8 * (j - i));
        h = (h ^ word) * kMultiplier;
        h ^= h >> 29;
    }
    return static_cast<uint32_t>((h * kMultiplier) >> 32);
}

} // namespace

TEST(NameTable, CancellingNamesShareOneSeededHash)
{
    std::mt19937_64 rng(3);
    const std::vector<std::string> crafted = MakeCancellingNames(1000, true, rng);
    for (uint64_t nSeed : {uint64_t{0}, uint64_t{1}, uint64_t{0x0123456789ABCDEFu}, uint64_t(rng())})
    {
        std::unordered_set<uint32_t> hashes;
        for (const std::string& strName : crafted)
            hashes.insert(MultiplyXorshiftHash(nSeed, strName));
        EXPECT_EQ(hashes.size(), 1u) << "seed " << nSeed;
    }
}

// Names made to share one hash, with no key or whatever the seed: the keyed hash spreads them,
// and the table keeps them apart either way.
TEST(NameTable, NamesMadeToCollideSpread)
{
    std::mt19937_64 rng(11);
    const struct
    {
        const char* pszWhat;
        std::vector<std::string> names;
    } cases[] = {
        {"one hash with no key", MakeNames(2000, true, rng)},
        {"cancelling words", MakeCancellingNames(2000, true, rng)},
    };
    for (const auto& c : cases)
    {
        CNameTable names;
        std::unordered_set<uint32_t> hashes;
        for (std::size_t i = 0; i < c.names.size(); ++i)
        {
            names[c.names[i]] = static_cast<int32_t>(i);
            hashes.insert(names.Hash(c.names[i]));
        }
        // Random 32-bit hashes of 2000 names hardly ever meet; a hash that can be aimed at
        // gives them all one.
        EXPECT_GT(hashes.size(), c.names.size() * 99 / 100) << c.pszWhat;
        ASSERT_EQ(names.size(), c.names.size()) << c.pszWhat;
        for (std::size_t i = 0; i < c.names.size(); ++i)
            ASSERT_EQ(names.at(c.names[i]), static_cast<int32_t>(i)) << c.pszWhat;
    }
}
