// Which entries still wait for their post-install copy, and the refresh of one entry that makes
// it. Owns one mark per catalogue entry, and whether a set-up click made it; copies go through
// the system interface.
#ifndef KORVELT_VIEW_PENDINGCOPIES_H
#define KORVELT_VIEW_PENDINGCOPIES_H

#include <string>
#include <vector>

class CAppEntry;
struct CCheckContext;

class CPendingCopies
{
public:
    // Marks every entry of a freshly loaded catalogue: an application set up while the launcher
    // was not watching still gets its files once it reads as installed. These copies replace only
    // files older than their sources, so a file that the user changed survives every start.
    void MarkAll(int nCount);
    // A set-up of entry n (counted from 1) has been started: its copies replace what is there.
    void Mark(int n);
    bool IsMarked(int n) const;

    // Evaluates entry n once, with the given check context. A marked entry that now reads as
    // installed gets its copy list copied from the source drive and loses its mark; one that does
    // not yet keeps it, so a set-up still running at this refresh gets its files at a later one.
    // bSetupRuns (a set-up of the entry that the launcher follows has not ended) keeps the mark
    // too, whatever the entry reads as: a set-up that repairs an installed application would
    // otherwise get its files while it runs, and write over them after.
    // An empty strSourceDrive (the medium's folder is unknown) copies nothing.
    // True when the entry or its previous release is installed.
    bool Refresh(const CCheckContext& context, int n, CAppEntry& entry, const std::string& strSourceDrive,
                 bool bSetupRuns = false);

private:
    std::vector<bool> m_bMarked;
    std::vector<bool> m_bSetUpClicked;  // the mark of the same index came from Mark
};

#endif
