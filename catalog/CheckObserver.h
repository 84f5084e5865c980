// What the installed-state checks and the removal-command lookup looked at, told as they look.
// The launcher's check context names no observer; the authoring tool's `status` names one, to
// explain each answer with the very calls that gave it. Every report is made after the look it
// describes.
#ifndef KORVELT_CATALOG_CHECKOBSERVER_H
#define KORVELT_CATALOG_CHECKOBSERVER_H

#include "catalog/AppChecks.h"

#include <cstdint>
#include <string>

class ICheckObserver
{
public:
    // The part of an entry's evaluation that the reports after it belong to.
    enum class EStep
    {
        PrevRelease,      // the previous-release date test and, when it passes, the previous check
        Installed,        // the installed check
        UninstallString,  // the registry's removal command of the release that was found
        UninstallPath,    // the Start-menu path of the catalogue's removal command
    };

    // The previous-release date test: the bound is the local file time of 23:59:54 on the date,
    // the written time the reference file's last write in local time.
    struct CReleaseDateTest
    {
        std::string m_strDate;
        std::string m_strFile;
        bool m_bValidDate = false;
        bool m_bFileFound = false;
        uint64_t m_nBound = 0;
        uint64_t m_nWritten = 0;
        bool m_bOlder = false;
    };

    virtual ~ICheckObserver() = default;

    virtual void OnStep(EStep step) = 0;
    // A check of this type runs (0 registry key, 1 Start-menu file; any other type is no check).
    virtual void OnCheck(int32_t nType) = 0;
    // A "%OS%=" qualifier of a key (given without it): its platform code (0 for a text that names none) and whether
    // it kept the key from being looked for on this system.
    virtual void OnOsQualifier(const std::string& strKey, int nQualifier, bool bExcluded) = 0;
    virtual void OnRegistryKey(const std::string& strKey, const CRegPlace& place, bool bExists) = 0;
    virtual void OnStartMenuPath(EStartMenuPlace where, const std::string& strPath, bool bFound) = 0;
    virtual void OnReleaseDate(const CReleaseDateTest& test) = 0;
    // "UninstallString" of a key at the place that decides; bRead false when it has none or it
    // does not fit.
    virtual void OnUninstallValue(const std::string& strKey, const CRegPlace& place, bool bRead,
                                  const std::string& strValue) = 0;
    // The search below strParent by display name: the key it settled on, or none (null).
    virtual void OnDisplayNameSearch(const std::string& strParent, const std::string& strDisplayName,
                                     const std::string* pFoundKey, const CRegPlace* pPlace) = 0;
};

#endif
