#include "TextStore.h"

#include <algorithm>
#include <cstring>

void CTextStore::Reserve(std::size_t nBytes, std::size_t nCopies)
{
    const std::size_t nNeeded = nBytes + nCopies;
    if (m_nFree >= nNeeded)
        return;
    // Blocks grow with the store, so a long series of Adds makes few of them; a small file's
    // names or messages fit in the first.
    const std::size_t nSize = std::max({nNeeded, std::size_t{4096}, m_nBlockBytes});
    m_blocks.emplace_back(new char[nSize]);
    m_pFree = m_blocks.back().get();
    m_nFree = nSize;
    m_nBlockBytes += nSize;
}

std::string_view CTextStore::Add(std::string_view text)
{
    Reserve(text.size(), 1);
    char* pCopy = m_pFree;
    if (!text.empty())
        std::memcpy(pCopy, text.data(), text.size());
    pCopy[text.size()] = '\0';
    m_pFree += text.size() + 1;
    m_nFree -= text.size() + 1;
    return std::string_view(pCopy, text.size());
}
