#include "catalog/AppEntry.h"

#include "catalog/ArchiveReader.h"

namespace {

const std::string s_strEmpty;

} // namespace

const CAppEntry::CStoredMember CAppEntry::s_storedMembers[kStoredFieldCount] = {
    {"m_strTitle", &CAppEntry::m_strTitle},
    {"m_strReserved", &CAppEntry::m_strReserved},
    {"m_strSubItemText", &CAppEntry::m_strSubItemText},
    {"m_strTextFile", &CAppEntry::m_strTextFile},
    {"m_strSetupDir", &CAppEntry::m_strSetupDir},
    {"m_strSetupCommand", &CAppEntry::m_strSetupCommand},
    {"m_nCheckType", &CAppEntry::m_nCheckType},
    {"m_strCheckKey", &CAppEntry::m_strCheckKey},
    {"m_strCheckFile", &CAppEntry::m_strCheckFile},
    {"m_bAlwaysInstall", &CAppEntry::m_bAlwaysInstall},
    {"m_nReserved", &CAppEntry::m_nReserved},
    {"m_bCanUninstall", &CAppEntry::m_bCanUninstall},
    {"m_nUninstallType", &CAppEntry::m_nUninstallType},
    {"m_strUninstallKey", &CAppEntry::m_strUninstallKey},
    {"m_bSearchUninstallKey", &CAppEntry::m_bSearchUninstallKey},
    {"m_strDisplayName", &CAppEntry::m_strDisplayName},
    {"m_strUninstallCommand", &CAppEntry::m_strUninstallCommand},
    {"m_bHasPrevRelease", &CAppEntry::m_bHasPrevRelease},
    {"m_nPrevCheckType", &CAppEntry::m_nPrevCheckType},
    {"m_strPrevCheckKey", &CAppEntry::m_strPrevCheckKey},
    {"m_strPrevCheckFile", &CAppEntry::m_strPrevCheckFile},
    {"m_nPrevUninstallType", &CAppEntry::m_nPrevUninstallType},
    {"m_strPrevUninstallKey", &CAppEntry::m_strPrevUninstallKey},
    {"m_bPrevSearchUninstallKey", &CAppEntry::m_bPrevSearchUninstallKey},
    {"m_strPrevDisplayName", &CAppEntry::m_strPrevDisplayName},
    {"m_strPrevUninstallCommand", &CAppEntry::m_strPrevUninstallCommand},
    {"m_strInstallNotice", &CAppEntry::m_strInstallNotice},
    {"m_strUninstallNotice", &CAppEntry::m_strUninstallNotice},
    {"m_bPostInstallCopy", &CAppEntry::m_bPostInstallCopy},
    {"m_strPostInstallCopyList", &CAppEntry::m_strPostInstallCopyList},
    {"m_strPrevReleaseDate", &CAppEntry::m_strPrevReleaseDate},
    {"m_strPrevReleaseFile", &CAppEntry::m_strPrevReleaseFile},
};

const CAppEntry::CStoredField& CAppEntry::StoredField(int nIndex)
{
    return s_storedMembers[nIndex].m_field;
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
