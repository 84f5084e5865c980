// The document's catalogue: the entry list plus the database path, the source drive and the
// context its entries' checks run with, and the one operation that fills it from the database or
// from a scan of the catalogue folder.
#ifndef KORVELT_CATALOG_APPCATALOG_H
#define KORVELT_CATALOG_APPCATALOG_H

#include "catalog/AppList.h"
#include "catalog/CheckContext.h"

#include <string>

class CAppCatalog : public CAppList
{
public:
    void SetDatabasePath(const char* pszPath) { m_strDatabasePath = pszPath ? pszPath : ""; }

    // Fills the list from the database, or without one from every "*.app" file of the
    // directory. 0 when something was read (whatever was reported), 1 when there is neither a
    // database nor any "*.app" file. Read failures and a temporary index that cannot be written
    // throw (CArchiveException, CFileException).
    int Load();

    // The medium: the folder whose catalogue was read, without a final backslash. "Q:" for a
    // drive's root, the folder itself below it ("C:\Users\bob\Downloads\disc"); empty when
    // code page 932 can carry neither its name nor its short name, and then nothing may be
    // taken from it.
    const std::string& GetSourceDrive() const { return m_strSourceDrive; }
    // Sets the source drive to the medium: the folder named by SetMediumFolder, or else the
    // current folder when the catalogue was loaded (or now, before any load); returns 1.
    int UpdateSourceDrive();
    // The authoring tool names the medium it reads; the launcher leaves it to the current folder.
    void SetMediumFolder(const std::string& strFolder);

    // What every check of the entries runs with; reading the catalogue leaves it as it is.
    void SetCheckContext(const CCheckContext& context) { m_checkContext = context; }
    const CCheckContext& GetCheckContext() const { return m_checkContext; }
    // Refreshes the installed state of every entry, in order.
    void RefreshAll();

    // Empties the list, reads the index and its entries, then reports data after the last name.
    void Serialize(CArchiveReader& ar) override;

    // Name of the temporary index written in the temporary folder by the scan.
    static constexpr const char* kTempIndexName = "$KORVELT$.DB";

private:
    std::string m_strSourceDrive;
    std::string m_strDatabasePath;
    std::string m_strMediumFolder;  // as set, or the current folder at the last Load
    bool m_bMediumNamed = false;    // by SetMediumFolder
    bool m_bMediumKnown = false;
    CCheckContext m_checkContext;
};

#endif
