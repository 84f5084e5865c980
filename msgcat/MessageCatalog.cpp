#include "msgcat/MessageCatalog.h"

#include "utils/ExclusiveFile.h"

#include <algorithm>
#include <cstdio>

bool CMessageCatalog::ReadWholeFile(const char* pszFileName, std::string& strContent)
{
    if (!pszFileName)
        return false;
    std::FILE* pFile = OpenExclusive(pszFileName);
    if (!pFile)
        return false;
    std::string strRead;
    // The size is only a hint for the buffer; the reading itself goes to the end of the file.
    if (std::fseek(pFile, 0, SEEK_END) == 0)
    {
        const long nSize = std::ftell(pFile);
        if (nSize > 0)
            strRead.reserve(static_cast<std::size_t>(nSize));
        std::rewind(pFile);
    }
    char buffer[64 * 1024];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pFile)) > 0)
        strRead.append(buffer, n);
    // A read error part-way keeps what was read before it.
    std::fclose(pFile);
    strContent.swap(strRead);
    return true;
}

void CMessageCatalog::SetMessageFile(const char* pszFileName)
{
    m_pList = std::make_unique<CMessageList>(pszFileName ? pszFileName : "");
    std::string strContent;
    if (!ReadWholeFile(pszFileName, strContent))
        return;
    CMessageList::CLoader loader(*m_pList, std::move(strContent));
    bool bFirst = true;
    CMessageFileReader::Read(loader.GetFileText(), m_names, [&](int32_t nNumber, std::string_view text) {
        if (bFirst)
        {
            // The definitions are all in now. Each message takes its number from a name, and
            // each message line takes two bytes at least.
            loader.Expect(std::min(m_names.size(), loader.GetFileText().size() / 2 + 1));
            bFirst = false;
        }
        loader.Add(nNumber, text);
    });
    loader.Finish();
}

const char* CMessageCatalog::LoadMessage(int32_t nNumber) const
{
    if (m_pList)
    {
        if (const char* pszText = m_pList->Find(nNumber))
            return pszText;
    }
    return "";
}
