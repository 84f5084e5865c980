#include "msgcat/TextStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

std::string_view CTextStore::Add(std::string_view text)
{
    if (m_nFree < text.size() + 1)
    {
        // Blocks grow with the store, so a long series of Adds makes few of them; a small
        // file's names fit in the first. The rest of the block before is left unused.
        const std::size_t nSize = std::max({text.size() + 1, std::size_t{4096}, m_nBlockBytes});
        std::unique_ptr<char[]> pBlock(new char[nSize]);
        m_blocks.push_back(std::move(pBlock));
        m_pFree = m_blocks.back().get();
        m_nFree = nSize;
        m_nBlockBytes += nSize;
    }
    char* pCopy = m_pFree;
    if (!text.empty())
        std::memcpy(pCopy, text.data(), text.size());
    pCopy[text.size()] = '\0';
    m_pFree += text.size() + 1;
    m_nFree -= text.size() + 1;
    return std::string_view(pCopy, text.size());
}
