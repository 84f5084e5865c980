#include "catalog/AppList.h"

#include "catalog/AppReporter.h"
#include "catalog/ArchiveException.h"
#include "catalog/ArchiveReader.h"
#include "res/MessageNumbers.h"
#include "sys/System.h"
#include "utils/Cp932.h"
#include "utils/DeviceNames.h"

namespace
{
// An entry file that the index names lies inside the catalogue folder: no drive, no path from a
// root or a share, no ".." and no device name ("nul.app", "COM1") among its parts. Any other name
// reads as a missing file would, so an index cannot make the launcher read a file elsewhere or
// from a port.
bool LiesInsideTheFolder(const std::string& strName)
{
    if (strName.empty() || strName[0] == '\\' || strName[0] == '/' || strName.find(':') != std::string::npos ||
        HasDeviceComponent(strName))
        return false;
    std::size_t nPartStart = 0;
    for (std::size_t i = 0; i <= strName.size(); ++i)
    {
        if (i < strName.size() && IsCp932LeadByte(static_cast<unsigned char>(strName[i])))
        {
            ++i;
            continue;
        }
        if (i == strName.size() || strName[i] == '\\' || strName[i] == '/')
        {
            if (strName.compare(nPartStart, i - nPartStart, "..") == 0)
                return false;
            nPartStart = i + 1;
        }
    }
    return true;
}
}

void CAppList::Add(std::unique_ptr<CAppEntry> pEntry)
{
    m_entries.push_back(std::move(pEntry));
    ++m_nCount;
}

void CAppList::RemoveAll()
{
    m_entries.clear();
    m_nCount = 0;
}

void CAppList::Report(int nMessage)
{
    if (m_pReporter)
        m_pReporter->ReportMessage(nMessage);
}

void CAppList::Serialize(CArchiveReader& ar)
{
    const uint32_t nNames = ar.ReadUInt32();
    // Every name takes at least one byte, so a huge count ends at the end of the index.
    for (uint32_t i = 0; i < nNames; ++i)
    {
        auto pEntry = std::make_unique<CAppEntry>();
        std::string strName;
        try
        {
            strName = ar.ReadString();
        }
        catch (const CArchiveException&)
        {
            Report(MSG_CATALOG_UNREADABLE);
            RemoveAll();
            return;
        }
        pEntry->SetFileName(strName);

        std::string strBytes;
        if (!LiesInsideTheFolder(strName) || !TheSystem().ReadFile(m_strDirectory + "\\" + strName, strBytes))
        {
            Report(MSG_CATALOG_UNREADABLE);
            RemoveAll();
            return;
        }
        CArchiveReader entryArchive(std::move(strBytes));
        pEntry->Serialize(entryArchive);
        Add(std::move(pEntry));
    }
}
