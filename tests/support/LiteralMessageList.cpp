#include "tests/support/LiteralMessageList.h"

#include <iterator>

void CLiteralMessageList::Insert(int32_t nNumber, const std::string& strText)
{
    const uint32_t k = static_cast<uint32_t>(nNumber);
    if (m_entries.empty())
    {
        m_itLastInserted = m_entries.insert(m_entries.end(), CEntry{nNumber, strText});
        return;
    }
    auto c = m_itLastInserted;
    if (static_cast<uint32_t>(c->m_nNumber) > k)
    {
        while (c != m_entries.begin() && static_cast<uint32_t>(std::prev(c)->m_nNumber) > k)
            --c;
        m_itLastInserted = m_entries.insert(c, CEntry{nNumber, strText});
    }
    else
    {
        while (std::next(c) != m_entries.end() && static_cast<uint32_t>(std::next(c)->m_nNumber) < k)
            ++c;
        m_itLastInserted = m_entries.insert(std::next(c), CEntry{nNumber, strText});
    }
}

const char* CLiteralMessageList::Find(int32_t nNumber) const
{
    for (const CEntry& entry : m_entries)
    {
        if (entry.m_nNumber == nNumber)
            return entry.m_strText.c_str();
    }
    return "";
}

std::vector<std::string> CLiteralMessageList::Texts() const
{
    std::vector<std::string> texts;
    for (const CEntry& entry : m_entries)
        texts.push_back(entry.m_strText);
    return texts;
}
