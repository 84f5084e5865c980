// The checks of an entry told as lines of text, as they look: what the dry run of an unattended
// run prints under each entry. Code page 932 lines, the registry's places and the folders named
// as the authoring tool's status names them.
#ifndef KORVELT_UNATTEND_CHECKNARRATOR_H
#define KORVELT_UNATTEND_CHECKNARRATOR_H

#include "catalog/CheckObserver.h"

#include <string>
#include <vector>

class CCheckNarrator : public ICheckObserver
{
public:
    // The lines told since the last call.
    std::vector<std::string> TakeLines();

    void OnStep(EStep step) override;
    void OnCheck(int32_t nType) override;
    void OnOsQualifier(const std::string& strKey, int nQualifier, bool bExcluded) override;
    void OnRegistryKey(const std::string& strKey, const CRegPlace& place, bool bExists) override;
    void OnStartMenuPath(EStartMenuPlace where, const std::string& strPath, bool bFound) override;
    void OnReleaseDate(const CReleaseDateTest& test) override;
    void OnUninstallValue(const std::string& strKey, const CRegPlace& place, bool bRead,
                          const std::string& strValue) override;
    void OnDisplayNameSearch(const std::string& strParent, const std::string& strDisplayName,
                             const std::string* pFoundKey, const CRegPlace* pPlace) override;

private:
    std::vector<std::string> m_lines;
};

#endif
