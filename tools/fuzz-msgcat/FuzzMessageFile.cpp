// libFuzzer target: arbitrary bytes as a message file, read twice so the name table carries
// over, then every number defined is looked up.
#include "msgcat/MessageCatalog.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file is rewritten for every input. On a disk file system, cutting a file to nothing and
// writing it again starts a write-back each time, which held the target to a few hundred runs a
// second; in memory it runs about twenty times as fast.
char g_szPath[64];  // a plain array: it outlives every exit handler

void RemoveMessageFile()
{
    std::remove(g_szPath);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    struct stat info;
    const char* pszFolder = stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) ? "/dev/shm" : "/tmp";
    std::snprintf(g_szPath, sizeof g_szPath, "%s/korvelt-fuzz-msgcat-%ld.msg", pszFolder,
                  static_cast<long>(getpid()));
    std::atexit(RemoveMessageFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::FILE* pFile = std::fopen(g_szPath, "wb");
    if (!pFile)
        return 0;
    std::fwrite(pData, 1, nSize, pFile);
    std::fclose(pFile);

    CMessageCatalog catalog;
    catalog.SetMessageFile(g_szPath);
    catalog.SetMessageFile(g_szPath);
    std::size_t nTotal = 0;
    for (const auto& [name, number] : catalog.GetNames())
        nTotal += std::string(catalog.LoadMessage(number)).size();
    for (const CMessageEntry* p = catalog.GetCurrentList()->GetFirst(); p; p = p->m_pNext)
        nTotal += p->m_strText.size();
    static volatile std::size_t s_nSink;
    s_nSink = nTotal;
    return 0;
}
