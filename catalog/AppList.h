// The catalogue's entries in order, numbered from 1, and the folder their files live in. Owns
// its entries.
#ifndef KORVELT_CATALOG_APPLIST_H
#define KORVELT_CATALOG_APPLIST_H

#include "catalog/AppEntry.h"

#include <memory>
#include <string>
#include <vector>

class CArchiveReader;
class IAppReporter;

class CAppList
{
public:
    CAppList() = default;
    virtual ~CAppList() = default;
    CAppList(const CAppList&) = delete;
    CAppList& operator=(const CAppList&) = delete;

    // Appends at the tail and takes ownership.
    void Add(std::unique_ptr<CAppEntry> pEntry);
    // The n-th entry counting from 1; n must lie in 1 to GetCount(). The pointer stays valid
    // until the next RemoveAll.
    CAppEntry* GetAt(int n) const { return m_entries[static_cast<std::size_t>(n - 1)].get(); }
    int GetCount() const { return m_nCount; }
    void RemoveAll();

    void SetDirectory(std::string strDirectory) { m_strDirectory = std::move(strDirectory); }
    std::string GetDirectory() const { return m_strDirectory; }

    // Receives the message numbers of problems that reading handles itself; null (the default)
    // drops them. Not owned.
    void SetReporter(IAppReporter* pReporter) { m_pReporter = pReporter; }

    // Reads an index: the entry count, then each name and its entry file from the directory.
    // A name past the end of the index or an entry file that does not open is reported (message
    // 94) and empties the list; other read failures throw and keep the entries added so far.
    virtual void Serialize(CArchiveReader& ar);

protected:
    void Report(int nMessage);

private:
    std::string m_strDirectory;
    int m_nCount = 0;
    std::vector<std::unique_ptr<CAppEntry>> m_entries;
    IAppReporter* m_pReporter = nullptr;
};

#endif
