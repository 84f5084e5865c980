// The check observer of `status`: every look of the launcher's checks for one entry, kept as
// JSON (UTF-8) by the step it belongs to.
#ifndef KORVELT_TOOLS_EVIDENCERECORDER_H
#define KORVELT_TOOLS_EVIDENCERECORDER_H

#include "catalog/CheckObserver.h"

#include <nlohmann/json.hpp>

class CEvidenceRecorder : public ICheckObserver
{
public:
    // Views are named by word size only where there are two (under WOW64). The tool is a 32-bit
    // program, as the launcher is: its own view is the 32-bit one.
    explicit CEvidenceRecorder(bool bWow64) : m_bWow64(bWow64) {}

    // What was recorded since the last call, by step ("previousRelease", "installed",
    // "uninstallString", "uninstallPath"), each an array of looks in their order.
    nlohmann::ordered_json Take();

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
    void Add(nlohmann::ordered_json look);
    // Root and view of a place, added to a look.
    void AddPlace(nlohmann::ordered_json& look, const CRegPlace& place) const;

    bool m_bWow64;
    const char* m_pszStep = "installed";
    nlohmann::ordered_json m_steps = nlohmann::ordered_json::object();
};

#endif
