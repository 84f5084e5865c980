#include "tools/korvelt-catalog/EvidenceRecorder.h"

#include "tools/korvelt-catalog/TextCodec.h"
#include "utils/FileTimeText.h"

using json = nlohmann::ordered_json;

nlohmann::ordered_json CEvidenceRecorder::Take()
{
    json steps = std::move(m_steps);
    m_steps = json::object();
    m_pszStep = "installed";
    return steps;
}

void CEvidenceRecorder::OnStep(EStep step)
{
    switch (step)
    {
    case EStep::PrevRelease: m_pszStep = "previousRelease"; break;
    case EStep::Installed: m_pszStep = "installed"; break;
    case EStep::UninstallString: m_pszStep = "uninstallString"; break;
    case EStep::UninstallPath: m_pszStep = "uninstallPath"; break;
    }
}

void CEvidenceRecorder::OnCheck(int32_t nType)
{
    const char* pszKind = nType == 0 ? "registry key" : nType == 1 ? "Start-menu file" : "none";
    Add({{"check", pszKind}, {"type", nType}});
}

void CEvidenceRecorder::OnOsQualifier(const std::string& strKey, int nQualifier, bool bExcluded)
{
    const char* pszPlatform = nQualifier == PLATFORM_WIN95 ? "95/98" : nQualifier == PLATFORM_WINNT ? "NT" : "none";
    Add({{"key", CTextCodec::PrintableUtf8(strKey)}, {"qualifier", pszPlatform}, {"excluded", bExcluded}});
}

void CEvidenceRecorder::OnRegistryKey(const std::string& strKey, const CRegPlace& place, bool bExists)
{
    json look = {{"key", CTextCodec::PrintableUtf8(strKey)}};
    AddPlace(look, place);
    look["exists"] = bExists;
    Add(std::move(look));
}

void CEvidenceRecorder::OnStartMenuPath(EStartMenuPlace where, const std::string& strPath, bool bFound)
{
    const char* pszFolder = where == EStartMenuPlace::BelowWindows     ? "below the Windows folder"
                            : where == EStartMenuPlace::CommonPrograms ? "common Programs"
                                                                       : "user's Programs";
    Add({{"startMenu", pszFolder}, {"path", CTextCodec::PrintableUtf8(strPath)}, {"exists", bFound}});
}

void CEvidenceRecorder::OnReleaseDate(const CReleaseDateTest& test)
{
    json look = {{"releaseDate", CTextCodec::PrintableUtf8(test.m_strDate)},
                 {"referenceFile", CTextCodec::PrintableUtf8(test.m_strFile)},
                 {"validDate", test.m_bValidDate}};
    if (test.m_bValidDate)
    {
        look["before"] = FileTimeText(test.m_nBound);
        look["fileFound"] = test.m_bFileFound;
    }
    if (test.m_bFileFound)
        look["written"] = FileTimeText(test.m_nWritten);
    look["older"] = test.m_bOlder;
    Add(std::move(look));
}

void CEvidenceRecorder::OnUninstallValue(const std::string& strKey, const CRegPlace& place, bool bRead,
                                         const std::string& strValue)
{
    json look = {{"uninstallString", bRead ? json(CTextCodec::PrintableUtf8(strValue)) : json()},
                 {"key", CTextCodec::PrintableUtf8(strKey)}};
    AddPlace(look, place);
    Add(std::move(look));
}

void CEvidenceRecorder::OnDisplayNameSearch(const std::string& strParent, const std::string& strDisplayName,
                                            const std::string* pFoundKey, const CRegPlace* pPlace)
{
    json look = {{"displayName", CTextCodec::PrintableUtf8(strDisplayName)},
                 {"under", CTextCodec::PrintableUtf8(strParent)},
                 {"found", pFoundKey ? json(CTextCodec::PrintableUtf8(*pFoundKey)) : json()}};
    if (pPlace)
        AddPlace(look, *pPlace);
    Add(std::move(look));
}

void CEvidenceRecorder::Add(nlohmann::ordered_json look)
{
    m_steps[m_pszStep].push_back(std::move(look));
}

void CEvidenceRecorder::AddPlace(nlohmann::ordered_json& look, const CRegPlace& place) const
{
    look["root"] = place.m_root == CSystem::ERoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    if (m_bWow64)
        look["view"] = place.m_view == CSystem::ERegView::Own ? "32-bit" : "64-bit";
}
