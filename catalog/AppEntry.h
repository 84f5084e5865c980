// One application of the catalogue: the 32 values its entry file stores, read once, and the
// results of the installed-state checks worked out at run time. Owns only its own strings.
#ifndef KORVELT_CATALOG_APPENTRY_H
#define KORVELT_CATALOG_APPENTRY_H

#include "catalog/AppChecks.h"

#include <cstdint>
#include <optional>
#include <string>

class CArchiveReader;
struct CCheckContext;

class CAppEntry
{
public:
    // The stored fields in the order of the entry file (which is not the order of the members
    // below). Names are the members' own names; the authoring tool uses them as JSON keys.
    struct CStoredField
    {
        const char* m_pszName;
        bool m_bString;  // a string, else a 32-bit integer or flag
    };
    static constexpr int kStoredFieldCount = 32;
    // nIndex counts from 0 in file order (field #1 of the file is index 0).
    static const CStoredField& StoredField(int nIndex);

    CAppEntry() = default;
    virtual ~CAppEntry() = default;
    CAppEntry(const CAppEntry&) = delete;
    CAppEntry& operator=(const CAppEntry&) = delete;

    // Reads the 32 stored fields from an entry file, in file order. Short data throws
    // CArchiveException; m_strFileName is never set from the file.
    virtual void Serialize(CArchiveReader& ar);

    // Read-only view of every stored field by its file-order index, for tools that dump entries.
    // Asking a string field for its integer (or the reverse) gives 0 or the empty string.
    const std::string& GetStoredString(int nIndex) const;
    int32_t GetStoredInt(int nIndex) const;

    // Accessors.
    const std::string& GetFileName() const { return m_strFileName; }
    const std::string& GetTitle() const { return m_strTitle; }
    const std::string& GetSubItemText() const { return m_strSubItemText; }
    const std::string& GetTextFile() const { return m_strTextFile; }
    const std::string& GetSetupDir() const { return m_strSetupDir; }
    const std::string& GetSetupCommand() const { return m_strSetupCommand; }
    const std::string& GetCheckKey() const { return m_strCheckKey; }
    const std::string& GetCheckFile() const { return m_strCheckFile; }
    int32_t IsInstalled() const { return m_bInstalled; }
    int32_t IsAlwaysInstall() const { return m_bAlwaysInstall; }
    int32_t CanUninstall() const { return m_bCanUninstall; }
    int32_t GetUninstallType() const { return m_nUninstallType; }
    const std::string& GetUninstallKey() const { return m_strUninstallKey; }
    const std::string& GetUninstallCommand() const { return m_strUninstallCommand; }
    int32_t IsPrevReleaseFound() const { return m_bPrevReleaseFound; }
    const std::string& GetPrevCheckFile() const { return m_strPrevCheckFile; }
    const std::string& GetPrevCheckKey() const { return m_strPrevCheckKey; }
    int32_t GetPrevUninstallType() const { return m_nPrevUninstallType; }
    const std::string& GetPrevUninstallKey() const { return m_strPrevUninstallKey; }
    const std::string& GetPrevUninstallCommand() const { return m_strPrevUninstallCommand; }
    const std::string& GetInstallNotice() const { return m_strInstallNotice; }
    const std::string& GetUninstallNotice() const { return m_strUninstallNotice; }
    int32_t IsPostInstallCopy() const { return m_bPostInstallCopy; }
    const std::string& GetPostInstallCopyList() const { return m_strPostInstallCopyList; }
    const std::string& GetPrevReleaseDate() const { return m_strPrevReleaseDate; }
    const std::string& GetPrevReleaseFile() const { return m_strPrevReleaseFile; }

    // The only ways in which callers change an entry.
    void SetFileName(const std::string& strFileName) { m_strFileName = strFileName; }
    void SetUninstallKey(const std::string& strUninstallKey)
    {
        m_strUninstallKey = strUninstallKey;
        m_uninstallKeyPlace.reset();
    }
    void ClearSearchUninstallKey() { m_bSearchUninstallKey = 0; }

    // Installed-state checks (AppEntryChecks.cpp), each telling the context's observer what it
    // looks at.
    // Runs the previous-release and installed checks; nonzero if either found the application.
    int32_t RefreshState(const CCheckContext& context);
    // Looks the removal command up in the registry, then returns it.
    const std::string& GetUninstallString(const CCheckContext& context);
    // The "QuietUninstallString" beside the uninstall string that GetUninstallString last found;
    // empty when its key has none.
    const std::string& GetQuietUninstallString() const { return m_strQuietUninstallString; }
    // Builds the Start-menu path of the catalogue removal command, then returns it.
    const std::string& GetUninstallPath(const CCheckContext& context);

private:
    void ReadUninstallString(const CCheckContext& context);
    void SearchUninstallKey(const CCheckContext& context);

    // One stored field, in file order: its name and the member behind it (exactly one of the
    // two pointers is set).
    struct CStoredMember
    {
        constexpr CStoredMember(const char* pszName, std::string CAppEntry::*pString)
            : m_field{pszName, true}, m_pString(pString), m_pInt(nullptr)
        {
        }
        constexpr CStoredMember(const char* pszName, int32_t CAppEntry::*pInt)
            : m_field{pszName, false}, m_pString(nullptr), m_pInt(pInt)
        {
        }

        CStoredField m_field;
        std::string CAppEntry::*m_pString;
        int32_t CAppEntry::*m_pInt;
    };
    static const CStoredMember s_storedMembers[kStoredFieldCount];

    std::string m_strFileName;
    std::string m_strTitle;
    std::string m_strSubItemText;
    std::string m_strReserved;
    std::string m_strTextFile;
    int32_t m_nCheckType = 0;
    std::string m_strSetupDir;
    std::string m_strSetupCommand;
    std::string m_strCheckKey;
    std::string m_strCheckFile;
    int32_t m_bInstalled = 0;
    int32_t m_bAlwaysInstall = 0;
    int32_t m_bCanUninstall = 0;
    int32_t m_nUninstallType = 0;
    std::string m_strUninstallString;
    std::string m_strQuietUninstallString;  // not stored: read with the uninstall string
    std::string m_strUninstallKey;
    std::string m_strUninstallCommand;
    std::string m_strUninstallPath;
    std::string m_strDisplayName;
    int32_t m_bSearchUninstallKey = 0;
    int32_t m_nReserved = 0;
    int32_t m_bHasPrevRelease = 0;
    int32_t m_bPrevReleaseFound = 0;
    int32_t m_nPrevCheckType = 0;
    std::string m_strPrevCheckFile;
    std::string m_strPrevCheckKey;
    int32_t m_nPrevUninstallType = 0;
    std::string m_strPrevUninstallKey;
    std::string m_strPrevUninstallCommand;
    int32_t m_bPrevSearchUninstallKey = 0;
    std::string m_strPrevDisplayName;
    std::string m_strInstallNotice;
    std::string m_strUninstallNotice;
    int32_t m_bPostInstallCopy = 0;
    std::string m_strPostInstallCopyList;
    std::string m_strPrevReleaseDate;
    std::string m_strPrevReleaseFile;

    // Where a searched uninstall key was found; later reads of it look there only. A key as the
    // catalogue gives it has no place and is looked for in every place in turn.
    std::optional<CRegPlace> m_uninstallKeyPlace;
    std::optional<CRegPlace> m_prevUninstallKeyPlace;
};

#endif
