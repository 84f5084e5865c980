#include "AppList.h"

#include "AppReporter.h"
#include "ArchiveException.h"
#include "ArchiveReader.h"
#include "MessageNumbers.h"
#include "System.h"

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
        if (!TheSystem().ReadFile(m_strDirectory + "\\" + strName, strBytes))
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
