// Benchmark of catalogue loading: 10,000 entries with texts of a realistic size, loaded once
// through the index and once through the "*.app" folder scan with its temporary index.
#include "catalog/AppCatalog.h"
#include "catalog/AppEntry.h"
#include "catalog/ArchiveWriter.h"
#include "sys/HostSystem.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One entry file: every string field a line of Japanese-sized text, notices longer.
std::string MakeEntry(int n)
{
    CArchiveWriter writer;
    for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
    {
        if (!CAppEntry::StoredField(i).m_bString)
            writer.WriteInt32(i % 3);
        else if (i == 26 || i == 27)
            writer.WriteString(std::string(600, 'n'));
        else
            writer.WriteString("Software\\Korvelt\\Bench\\Application" + std::to_string(n) + "\\field" + std::to_string(i));
    }
    return writer.GetBytes();
}

std::size_t WriteCatalogue(const std::filesystem::path& folder, int nEntries, bool bIndex)
{
    std::filesystem::create_directories(folder);
    std::size_t nBytes = 0;
    CArchiveWriter index;
    index.WriteUInt32(static_cast<uint32_t>(nEntries));
    for (int n = 0; n < nEntries; ++n)
    {
        const std::string strName = "app" + std::to_string(n) + ".app";
        const std::string strEntry = MakeEntry(n);
        std::ofstream(folder / strName, std::ios::binary) << strEntry;
        index.WriteString(strName);
        nBytes += strEntry.size();
    }
    if (bIndex)
    {
        std::ofstream(folder / "appdb.dat", std::ios::binary) << index.GetBytes();
        nBytes += index.GetBytes().size();
    }
    return nBytes;
}

void Measure(const char* pszHow, const std::filesystem::path& folder, std::size_t nBytes, int nEntries)
{
    CAppCatalog catalog;
    catalog.SetDirectory(folder.string());
    catalog.SetDatabasePath((folder / "appdb.dat").string().c_str());
    const auto start = Clock::now();
    const int nResult = catalog.Load();
    const double dSeconds = SecondsSince(start);
    if (nResult != 0 || catalog.GetCount() != nEntries)
    {
        std::printf("%s: load failed (result %d, %d entries)\n", pszHow, nResult, catalog.GetCount());
        return;
    }
    std::printf("%s: %d entries, %zu bytes in %.3f s (%.1f MB/s, %.0f entries/s)\n", pszHow, nEntries, nBytes,
                dSeconds, nBytes / dSeconds / 1e6, nEntries / dSeconds);
}

} // namespace

int main()
{
    const int kEntries = 10000;
    CTempDir dir;
    CHostSystem host;
    host.m_strTempPath = dir.File("") + "/";
    SetTheSystem(&host);

    const std::size_t nIndexed = WriteCatalogue(dir.Path() / "indexed", kEntries, true);
    const std::size_t nScanned = WriteCatalogue(dir.Path() / "scanned", kEntries, false);
    // The first load of each also brings the files into the cache; the second is what a medium
    // read a second time (or a fast disk) gives.
    for (int nRound = 1; nRound <= 2; ++nRound)
    {
        std::printf("round %d\n", nRound);
        Measure("  index", dir.Path() / "indexed", nIndexed, kEntries);
        Measure("  scan ", dir.Path() / "scanned", nScanned, kEntries);
    }
    SetTheSystem(nullptr);
    return 0;
}
