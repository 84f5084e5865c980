// libFuzzer target: arbitrary bytes as a catalogue held in memory. The input is cut at each
// "\n--\n" into the index and entry files; entry file names map to the pieces by a hash, so any
// name the index holds finds a file or none. The first byte chooses between the index and the
// "*.app" scan (through the in-memory temporary index). Every read outcome is legal except a
// crash, a sanitizer report or an exception of another kind.
#include "catalog/AppCatalog.h"
#include "catalog/AppReporter.h"
#include "catalog/ArchiveReader.h"
#include "catalog/CatalogException.h"
#include "sys/HostSystem.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

class CMemorySystem : public CHostSystem
{
public:
    std::string m_strIndex;
    bool m_bHasIndex = true;
    std::vector<std::string> m_pieces;
    std::map<std::string, std::string> m_written;

    bool ReadFile(const std::string& strPath, std::string& strBytes) override
    {
        if (strPath == "cat\\appdb.dat")
        {
            if (!m_bHasIndex)
                return false;
            strBytes = m_strIndex;
            return true;
        }
        const auto it = m_written.find(strPath);
        if (it != m_written.end())
        {
            strBytes = it->second;
            return true;
        }
        if (m_pieces.empty())
            return false;
        // One slot more than there are pieces: some names have no file.
        const std::size_t nSlot = std::hash<std::string>()(strPath) % (m_pieces.size() + 1);
        if (nSlot == m_pieces.size())
            return false;
        strBytes = m_pieces[nSlot];
        return true;
    }
    bool WriteFile(const std::string& strPath, const std::string& strBytes) override
    {
        m_written[strPath] = strBytes;
        return true;
    }
    bool RemoveFile(const std::string& strPath) override { return m_written.erase(strPath) > 0; }
    std::vector<CFoundFile> FindFiles(const std::string&) override
    {
        std::vector<CFoundFile> found;
        for (std::size_t i = 0; i < m_pieces.size(); ++i)
        {
            CFoundFile file;
            file.m_strName = std::to_string(i) + ".app";
            found.push_back(file);
        }
        return found;
    }
};

class CCountingReporter : public IAppReporter
{
public:
    void ReportMessage(int) override { ++m_nMessages; }
    int m_nMessages = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize == 0)
        return 0;
    const std::string strInput(reinterpret_cast<const char*>(pData) + 1, nSize - 1);
    CMemorySystem system;
    system.m_strTempPath = "tmp\\";
    system.m_bHasIndex = (pData[0] & 1) == 0;
    const std::string kCut = "\n--\n";
    std::size_t nStart = 0;
    std::size_t nAt = strInput.find(kCut);
    system.m_strIndex = strInput.substr(0, nAt);
    while (nAt != std::string::npos)
    {
        nStart = nAt + kCut.size();
        nAt = strInput.find(kCut, nStart);
        system.m_pieces.push_back(strInput.substr(nStart, nAt == std::string::npos ? std::string::npos : nAt - nStart));
    }
    SetTheSystem(&system);

    CAppCatalog catalog;
    CCountingReporter reporter;
    catalog.SetReporter(&reporter);
    catalog.SetDirectory("cat");
    catalog.SetDatabasePath("cat\\appdb.dat");
    std::size_t nTotal = 0;
    try
    {
        catalog.Load();
    }
    catch (const CCatalogException&)
    {
    }
    for (int n = 1; n <= catalog.GetCount(); ++n)
    {
        const CAppEntry& entry = *catalog.GetAt(n);
        for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
            nTotal += entry.GetStoredString(i).size() + static_cast<std::size_t>(entry.GetStoredInt(i) & 1);
    }

    // The same bytes as a plain run of strings.
    CArchiveReader reader(strInput);
    try
    {
        while (!reader.AtEnd())
            nTotal += reader.ReadString().size();
    }
    catch (const CCatalogException&)
    {
    }
    SetTheSystem(nullptr);
    static volatile std::size_t s_nSink;
    s_nSink = nTotal;
    return 0;
}
