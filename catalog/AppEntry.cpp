#include "AppEntry.h"

#include "ArchiveReader.h"

namespace {

const CAppEntry::CStoredField s_storedFields[CAppEntry::kStoredFieldCount] = {
    {"m_strTitle", true},
    {"m_strReserved", true},
    {"m_strSubItemText", true},
    {"m_strTextFile", true},
    {"m_strSetupDir", true},
    {"m_strSetupCommand", true},
    {"m_nCheckType", false},
    {"m_strCheckKey", true},
    {"m_strCheckFile", true},
    {"m_bAlwaysInstall", false},
    {"m_nReserved", false},
    {"m_bCanUninstall", false},
    {"m_nUninstallType", false},
    {"m_strUninstallKey", true},
    {"m_bSearchUninstallKey", false},
    {"m_strDisplayName", true},
    {"m_strUninstallCommand", true},
    {"m_bHasPrevRelease", false},
    {"m_nPrevCheckType", false},
    {"m_strPrevCheckKey", true},
    {"m_strPrevCheckFile", true},
    {"m_nPrevUninstallType", false},
    {"m_strPrevUninstallKey", true},
    {"m_bPrevSearchUninstallKey", false},
    {"m_strPrevDisplayName", true},
    {"m_strPrevUninstallCommand", true},
    {"m_strInstallNotice", true},
    {"m_strUninstallNotice", true},
    {"m_bPostInstallCopy", false},
    {"m_strPostInstallCopyList", true},
    {"m_strPrevReleaseDate", true},
    {"m_strPrevReleaseFile", true},
};

const std::string s_strEmpty;

} // namespace

const CAppEntry::CStoredMember CAppEntry::s_storedMembers[kStoredFieldCount] = {
    {&CAppEntry::m_strTitle, nullptr},
    {&CAppEntry::m_strReserved, nullptr},
    {&CAppEntry::m_strSubItemText, nullptr},
    {&CAppEntry::m_strTextFile, nullptr},
    {&CAppEntry::m_strSetupDir, nullptr},
    {&CAppEntry::m_strSetupCommand, nullptr},
    {nullptr, &CAppEntry::m_nCheckType},
    {&CAppEntry::m_strCheckKey, nullptr},
    {&CAppEntry::m_strCheckFile, nullptr},
    {nullptr, &CAppEntry::m_bAlwaysInstall},
    {nullptr, &CAppEntry::m_nReserved},
    {nullptr, &CAppEntry::m_bCanUninstall},
    {nullptr, &CAppEntry::m_nUninstallType},
    {&CAppEntry::m_strUninstallKey, nullptr},
    {nullptr, &CAppEntry::m_bSearchUninstallKey},
    {&CAppEntry::m_strDisplayName, nullptr},
    {&CAppEntry::m_strUninstallCommand, nullptr},
    {nullptr, &CAppEntry::m_bHasPrevRelease},
    {nullptr, &CAppEntry::m_nPrevCheckType},
    {&CAppEntry::m_strPrevCheckKey, nullptr},
    {&CAppEntry::m_strPrevCheckFile, nullptr},
    {nullptr, &CAppEntry::m_nPrevUninstallType},
    {&CAppEntry::m_strPrevUninstallKey, nullptr},
    {nullptr, &CAppEntry::m_bPrevSearchUninstallKey},
    {&CAppEntry::m_strPrevDisplayName, nullptr},
    {&CAppEntry::m_strPrevUninstallCommand, nullptr},
    {&CAppEntry::m_strInstallNotice, nullptr},
    {&CAppEntry::m_strUninstallNotice, nullptr},
    {nullptr, &CAppEntry::m_bPostInstallCopy},
    {&CAppEntry::m_strPostInstallCopyList, nullptr},
    {&CAppEntry::m_strPrevReleaseDate, nullptr},
    {&CAppEntry::m_strPrevReleaseFile, nullptr},
};

const CAppEntry::CStoredField& CAppEntry::StoredField(int nIndex)
{
    return s_storedFields[nIndex];
}

void CAppEntry::Serialize(CArchiveReader& ar)
{
    for (const CStoredMember& member : s_storedMembers)
    {
        if (member.m_pString)
            this->*member.m_pString = ar.ReadString();
        else
            this->*member.m_pInt = ar.ReadInt32();
    }
}

const std::string& CAppEntry::GetStoredString(int nIndex) const
{
    const CStoredMember& member = s_storedMembers[nIndex];
    return member.m_pString ? this->*member.m_pString : s_strEmpty;
}

int32_t CAppEntry::GetStoredInt(int nIndex) const
{
    const CStoredMember& member = s_storedMembers[nIndex];
    return member.m_pInt ? this->*member.m_pInt : 0;
}
