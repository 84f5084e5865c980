// A word-for-word model of the message list: insertion walks from the last-inserted entry, and
// lookup walks from the first entry to the end. Slow on purpose; the tests and the benchmark
// hold the real list against it.
#ifndef KORVELT_TESTS_LITERALMESSAGELIST_H
#define KORVELT_TESTS_LITERALMESSAGELIST_H

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class CLiteralMessageList
{
public:
    void Insert(int32_t nNumber, const std::string& strText);
    const char* Find(int32_t nNumber) const;  // "" when none
    std::size_t GetCount() const { return m_entries.size(); }
    // The texts in list order, first to last.
    std::vector<std::string> Texts() const;

private:
    struct CEntry
    {
        int32_t m_nNumber;
        std::string m_strText;
    };
    std::list<CEntry> m_entries;
    std::list<CEntry>::iterator m_itLastInserted;
};

#endif
