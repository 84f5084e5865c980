#include "view/PendingCopies.h"

#include "catalog/AppEntry.h"
#include "view/PostInstallCopy.h"

void CPendingCopies::MarkAll(int nCount)
{
    m_bMarked.assign(nCount > 0 ? static_cast<std::size_t>(nCount) : 0, true);
    m_bSetUpClicked.assign(m_bMarked.size(), false);
}

void CPendingCopies::Mark(int n)
{
    if (n >= 1 && static_cast<std::size_t>(n) <= m_bMarked.size())
    {
        m_bMarked[static_cast<std::size_t>(n - 1)] = true;
        m_bSetUpClicked[static_cast<std::size_t>(n - 1)] = true;
    }
}

bool CPendingCopies::IsMarked(int n) const
{
    return n >= 1 && static_cast<std::size_t>(n) <= m_bMarked.size() && m_bMarked[static_cast<std::size_t>(n - 1)];
}

bool CPendingCopies::Refresh(const CCheckContext& context, int n, CAppEntry& entry, const std::string& strSourceDrive,
                             bool bSetupRuns)
{
    const bool bInstalled = entry.RefreshState(context) != 0;
    if (bInstalled && IsMarked(n) && !bSetupRuns)
    {
        const std::size_t nIndex = static_cast<std::size_t>(n - 1);
        if (entry.IsPostInstallCopy())
            CopyFileList(entry.GetPostInstallCopyList(), strSourceDrive,
                         m_bSetUpClicked[nIndex] ? CSystem::EReplace::Any : CSystem::EReplace::Older);
        m_bMarked[nIndex] = false;
        m_bSetUpClicked[nIndex] = false;
    }
    return bInstalled;
}
