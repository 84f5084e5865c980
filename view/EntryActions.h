// What the form offers for one catalogue entry: which of its three buttons are enabled and what
// its status column says. Portable, so the authoring tool can tell the same as the window.
#ifndef KORVELT_VIEW_ENTRYACTIONS_H
#define KORVELT_VIEW_ENTRYACTIONS_H

class CAppEntry;

struct CEntryActions
{
    bool m_bSetup = false;
    bool m_bUninstall = false;
    bool m_bTextFile = false;

    // An installed entry (or one whose previous release was found) offers removal instead of
    // set-up, unless it is always set up or set-up mode is on; none (null) offers nothing.
    static CEntryActions For(const CAppEntry* pEntry, bool bForceSetup);
};

// The status column's message: 15 for a previous release, 14 for installed, 0 for none.
int StatusMessageFor(bool bInstalled, bool bPrevReleaseFound);

#endif
