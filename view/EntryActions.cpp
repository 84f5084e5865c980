#include "view/EntryActions.h"

#include "catalog/AppEntry.h"
#include "res/MessageNumbers.h"

CEntryActions CEntryActions::For(const CAppEntry* pEntry, bool bForceSetup)
{
    CEntryActions actions;
    if (pEntry == nullptr)
        return actions;
    const bool bOffersUninstall =
        (pEntry->IsInstalled() || pEntry->IsPrevReleaseFound()) && !pEntry->IsAlwaysInstall() && !bForceSetup;
    actions.m_bSetup = !bOffersUninstall;
    actions.m_bUninstall = bOffersUninstall && pEntry->CanUninstall();
    actions.m_bTextFile = !pEntry->GetTextFile().empty();
    return actions;
}

int StatusMessageFor(bool bInstalled, bool bPrevReleaseFound)
{
    if (bPrevReleaseFound)
        return MSG_STATUS_PREVIOUS;
    return bInstalled ? MSG_STATUS_INSTALLED : 0;
}
