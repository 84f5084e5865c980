// The name table against a plain map: names sharing prefixes, lengths around the hash's
// eight-byte steps, bytes outside ASCII and NULs, redefinitions, and enough names to make the
// index grow many times.
#include "NameTable.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <unordered_map>
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
    for (int step = 0; step < 60000; ++step)
    {
        const std::string& strName = pool[rng() % pool.size()];
        if (rng() % 2)
        {
            const int32_t n = static_cast<int32_t>(rng());
            names[strName] = n;
            model[strName] = n;
            continue;
        }
        const auto it = model.find(strName);
        const int32_t* pNumber = names.Find(strName);
        ASSERT_EQ(pNumber != nullptr, it != model.end()) << "step " << step;
        if (pNumber)
        {
            ASSERT_EQ(*pNumber, it->second) << "step " << step;
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
