#include "PendingCopies.h"

#include "AppEntry.h"
#include "LaunchCommands.h"

void CPendingCopies::MarkAll(int nCount)
{
    m_bMarked.assign(nCount > 0 ? static_cast<std::size_t>(nCount) : 0, true);
}

void CPendingCopies::Mark(int n)
{
    if (n >= 1 && static_cast<std::size_t>(n) <= m_bMarked.size())
        m_bMarked[static_cast<std::size_t>(n - 1)] = true;
}

bool CPendingCopies::IsMarked(int n) const
{
    return n >= 1 && static_cast<std::size_t>(n) <= m_bMarked.size() && m_bMarked[static_cast<std::size_t>(n - 1)];
}

bool CPendingCopies::Refresh(const CCheckContext& context, int n, CAppEntry& entry, const std::string& strSourceDrive)
{
    const bool bInstalled = entry.RefreshState(context) != 0;
    if (bInstalled && IsMarked(n))
    {
        if (entry.IsPostInstallCopy())
            CopyFileList(entry.GetPostInstallCopyList(), strSourceDrive);
        m_bMarked[static_cast<std::size_t>(n - 1)] = false;
    }
    return bInstalled;
}
