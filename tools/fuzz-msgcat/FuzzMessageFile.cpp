// libFuzzer target: arbitrary bytes as a message file, read twice so the name table carries
// over, then every number defined is looked up.
#include "MessageCatalog.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    static const std::string s_strPath = "/tmp/korvelt-fuzz-msgcat-" + std::to_string(getpid()) + ".msg";
    std::FILE* pFile = std::fopen(s_strPath.c_str(), "wb");
    if (!pFile)
        return 0;
    std::fwrite(pData, 1, nSize, pFile);
    std::fclose(pFile);

    CMessageCatalog catalog;
    catalog.SetMessageFile(s_strPath.c_str());
    catalog.SetMessageFile(s_strPath.c_str());
    std::size_t nTotal = 0;
    for (const auto& [name, number] : catalog.GetNames())
        nTotal += std::string(catalog.LoadMessage(number)).size();
    for (const CMessageEntry* p = catalog.GetCurrentList()->GetFirst(); p; p = p->m_pNext)
        nTotal += p->m_strText.size();
    static volatile std::size_t s_nSink;
    s_nSink = nTotal;
    return 0;
}
