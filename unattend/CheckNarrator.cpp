#include "unattend/CheckNarrator.h"

#include "utils/FileTimeText.h"

namespace {

std::string PlaceText(const CRegPlace& place)
{
    std::string strText = place.m_root == CSystem::ERoot::LocalMachine ? "HKLM" : "HKCU";
    if (place.m_view == CSystem::ERegView::Other)
        strText += ", other view";
    return strText;
}

} // namespace

std::vector<std::string> CCheckNarrator::TakeLines()
{
    std::vector<std::string> lines;
    lines.swap(m_lines);
    return lines;
}

void CCheckNarrator::OnStep(EStep step)
{
    switch (step)
    {
    case EStep::PrevRelease: m_lines.push_back("previous release:"); break;
    case EStep::Installed: m_lines.push_back("installed check:"); break;
    case EStep::UninstallString: m_lines.push_back("removal from the registry:"); break;
    case EStep::UninstallPath: m_lines.push_back("removal from the Start menu:"); break;
    }
}

void CCheckNarrator::OnCheck(int32_t nType)
{
    if (nType == 0 || nType == 1)
        m_lines.push_back(std::string("  ") + (nType == 0 ? "registry key" : "Start-menu file") + " (type " +
                          std::to_string(nType) + ")");
    else
        m_lines.push_back("  type " + std::to_string(nType) + " is no check; the installed flag stays as stored");
}

void CCheckNarrator::OnOsQualifier(const std::string& strKey, int nQualifier, bool bExcluded)
{
    if (nQualifier == 0)
        m_lines.push_back("  " + strKey + ": its %OS%= names no platform and is ignored");
    else
        m_lines.push_back("  " + strKey + ": %OS%=" + (nQualifier == 1 ? "95/98" : "NT") +
                          (bExcluded ? " excludes it here" : " holds here"));
}

void CCheckNarrator::OnRegistryKey(const std::string& strKey, const CRegPlace& place, bool bExists)
{
    m_lines.push_back("  " + strKey + " (" + PlaceText(place) + "): " + (bExists ? "found" : "missing"));
}

void CCheckNarrator::OnStartMenuPath(EStartMenuPlace where, const std::string& strPath, bool bFound)
{
    const char* pszFolder = where == EStartMenuPlace::BelowWindows     ? "below the Windows folder"
                            : where == EStartMenuPlace::CommonPrograms ? "common Programs"
                                                                       : "user's Programs";
    m_lines.push_back("  " + strPath + " (" + pszFolder + "): " + (bFound ? "found" : "missing"));
}

void CCheckNarrator::OnReleaseDate(const CReleaseDateTest& test)
{
    std::string strLine = "  date \"" + test.m_strDate + "\" against " + test.m_strFile + ": ";
    if (!test.m_bValidDate)
        strLine += "not a date, so no previous release";
    else if (!test.m_bFileFound)
        strLine += "no such file, so no previous release";
    else
        strLine += "written " + FileTimeText(test.m_nWritten) + (test.m_bOlder ? ", before " : ", not before ") +
                   FileTimeText(test.m_nBound);
    m_lines.push_back(strLine);
}

void CCheckNarrator::OnUninstallValue(const std::string& strKey, const CRegPlace& place, bool bRead,
                                      const std::string& strValue)
{
    m_lines.push_back("  UninstallString of " + strKey + " (" + PlaceText(place) + "): " + (bRead ? strValue : "none"));
}

void CCheckNarrator::OnDisplayNameSearch(const std::string& strParent, const std::string& strDisplayName,
                                         const std::string* pFoundKey, const CRegPlace* pPlace)
{
    m_lines.push_back("  DisplayName \"" + strDisplayName + "\" below " + strParent + ": " +
                      (pFoundKey != nullptr && pPlace != nullptr ? *pFoundKey + " (" + PlaceText(*pPlace) + ")"
                                                                 : std::string("no such key")));
}
