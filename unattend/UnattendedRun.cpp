#include "unattend/UnattendedRun.h"

#include "catalog/AppCatalog.h"
#include "catalog/AppEntry.h"
#include "catalog/CheckContext.h"
#include "sys/FollowedProcess.h"
#include "sys/System.h"
#include "unattend/CheckNarrator.h"
#include "utils/Cp932.h"
#include "utils/FileTimeText.h"
#include "view/EntryActions.h"
#include "view/PostInstallCopy.h"

#include <algorithm>

namespace {

// The order of severity; a code not listed is a failure.
constexpr int kSeverity[] = {kUnattendedSuccess, kUnattendedRestartNeeded, kUnattendedRestarting,
                             kUnattendedCancelled, kUnattendedOtherRunning, kUnattendedFailed};

int SeverityOf(int nCode)
{
    const int* pEnd = std::end(kSeverity);
    const int* pFound = std::find(std::begin(kSeverity), pEnd, nCode);
    return static_cast<int>((pFound == pEnd ? pEnd - 1 : pFound) - std::begin(kSeverity));
}

const char* ActionName(EFollowedAction action)
{
    return action == EFollowedAction::Setup ? "install" : "uninstall";
}

// The current release installed; an entry whose previous release is found is not (its set-up
// waits for that release's removal, as the window shows).
bool ReadsInstalled(const CAppEntry& entry)
{
    return entry.IsInstalled() != 0 && entry.IsPrevReleaseFound() == 0;
}

bool ReadsRemoved(const CAppEntry& entry)
{
    return entry.IsInstalled() == 0 && entry.IsPrevReleaseFound() == 0;
}

// Whether the name given on the command line is the entry's, with or without ".app".
bool IsNameOf(const std::string& strGiven, const CAppEntry& entry)
{
    const std::string strName = EntryName(entry);
    return EqualsNoCaseCp932(strGiven, strName) || EqualsNoCaseCp932(strGiven, strName + ".app");
}

// Whether an entry, as last checked, is passed over: it reads as the action meant already (one
// that is always set up is set up whenever it is named), or "*" took it though the window offers
// no set-up for it.
bool IsPassedOver(const CAppEntry& entry, EFollowedAction action, bool bNamed)
{
    if (action == EFollowedAction::Uninstall)
        return ReadsRemoved(entry);
    if (!bNamed && !CEntryActions::For(&entry, false).m_bSetup)
        return true;
    return ReadsInstalled(entry) && !(entry.IsAlwaysInstall() != 0 && bNamed);
}

// The command line as the start hands it over: a program path with a blank comes quoted.
std::string StartedLine(const CSetupCommand& command)
{
    return command.m_strProgram.empty() ? QuoteProgramPath(command.m_strCommand) : command.m_strCommand;
}

} // namespace

int MoreSevereCode(int nA, int nB)
{
    return SeverityOf(nA) >= SeverityOf(nB) ? nA : nB;
}

int EntryCode(uint32_t nExitCode, ESetupKind kind, bool bReadsAsMeant, bool bReadingShows)
{
    switch (nExitCode)
    {
    case 0: return bReadsAsMeant ? kUnattendedSuccess : kUnattendedFailed;
    case 3010:
    case 3011: return bReadsAsMeant ? kUnattendedRestartNeeded : kUnattendedFailed;
    // The machine is going down: what the entry reads now says nothing yet.
    case 1641: return kUnattendedRestarting;
    case 1602:
    case 1223: return kUnattendedCancelled;
    case 1618: return kUnattendedOtherRunning;
    default: break;
    }
    // The cancel buttons of NSIS (1) and Inno Setup (before and during the copy: 2, 5).
    if ((kind == ESetupKind::Nsis && nExitCode == 1) || (kind == ESetupKind::Inno && (nExitCode == 2 || nExitCode == 5)))
        return kUnattendedCancelled;
    // Some set-ups end with a code of their own after a good run; only the reading can say so.
    return bReadsAsMeant && bReadingShows ? kUnattendedSuccess : kUnattendedFailed;
}

CUnattendedRun::CUnattendedRun(CAppCatalog& catalog, const CUnattendedOptions& options, CUnattendFile unattend,
                               WriteLine write)
    : m_catalog(catalog), m_options(options), m_unattend(std::move(unattend)), m_write(std::move(write))
{
    const auto named = [&](const std::vector<std::string>& names, int n) {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& strGiven) { return IsNameOf(strGiven, *m_catalog.GetAt(n)); });
    };
    // Removals first, so that a line that removes and sets up an entry again means just that.
    for (int n = 1; n <= m_catalog.GetCount(); ++n)
        if (named(m_options.m_uninstall, n))
            m_queue.push_back({n, EFollowedAction::Uninstall, true});
    for (int n = 1; n <= m_catalog.GetCount(); ++n)
        if (named(m_options.m_install, n) || m_options.m_bInstallAll)
            m_queue.push_back({n, EFollowedAction::Setup, named(m_options.m_install, n)});
}

int CUnattendedRun::FindEntry(const std::string& strName) const
{
    for (int n = 1; n <= m_catalog.GetCount(); ++n)
        if (IsNameOf(strName, *m_catalog.GetAt(n)))
            return n;
    return 0;
}

bool CUnattendedRun::CheckNames(std::string& strWhy) const
{
    std::string strUnknown;
    for (const std::vector<std::string>* pNames : {&m_options.m_uninstall, &m_options.m_install})
        for (const std::string& strName : *pNames)
            if (FindEntry(strName) == 0)
                strUnknown += (strUnknown.empty() ? "" : ", ") + strName;
    if (strUnknown.empty())
        return true;
    strWhy = "no such entry: " + strUnknown;
    return false;
}

bool CUnattendedRun::ReadsAsDoneNow(const CUnattendedStep& step)
{
    m_catalog.GetAt(step.m_nEntry)->RefreshState(m_catalog.GetCheckContext());
    return ReadsAsDone(step);
}

bool CUnattendedRun::ReadsAsDone(const CUnattendedStep& step) const
{
    const CAppEntry& entry = *m_catalog.GetAt(step.m_nEntry);
    return step.m_action == EFollowedAction::Setup ? ReadsInstalled(entry) || entry.IsAlwaysInstall() != 0
                                                   : ReadsRemoved(entry);
}

CSilentForm CUnattendedRun::FormFor(int nEntry, EFollowedAction action)
{
    CAppEntry& entry = *m_catalog.GetAt(nEntry);
    const CSilentSwitches switches{m_options.m_bNoRestart, m_options.m_strLogFile};
    if (m_options.IsSilent())
        return action == EFollowedAction::Setup ? SilentSetupForm(entry, m_catalog, m_unattend, switches)
                                                : SilentUninstallForm(entry, m_catalog, m_unattend, switches);
    // As the button starts it.
    CSilentForm form;
    if (action == EFollowedAction::Setup)
        form.m_command = ComposeSetupCommand(entry, m_catalog);
    else
        form.m_command.m_strCommand = ComposeUninstallCommand(entry, m_catalog);
    form.m_bKnown = !form.m_command.m_strCommand.empty();
    form.m_strHow = "as the button starts it";
    form.m_kind = SetupKindOfFile(action == EFollowedAction::Setup ? form.m_command.m_strProgram
                                                                   : ProgramOfCommand(form.m_command.m_strCommand));
    return form;
}

bool CUnattendedRun::Next(CUnattendedStep& step)
{
    while (m_nNext < m_queue.size())
    {
        const CQueued queued = m_queue[m_nNext++];
        CAppEntry& entry = *m_catalog.GetAt(queued.m_nEntry);
        entry.RefreshState(m_catalog.GetCheckContext());
        step = CUnattendedStep{queued.m_nEntry, queued.m_action, EntryName(entry), CSilentForm()};
        if (IsPassedOver(entry, queued.m_action, queued.m_bNamed))
        {
            Record(step, "skipped", kUnattendedSuccess, "-");
            continue;
        }
        if (queued.m_action == EFollowedAction::Uninstall && entry.CanUninstall() == 0)
        {
            Record(step, "not started: the entry cannot be removed", kUnattendedFailed, "-");
            continue;
        }
        step.m_form = FormFor(queued.m_nEntry, queued.m_action);
        if (!step.m_form.m_bKnown)
        {
            Record(step, "not started: no silent form", kUnattendedFailed, "-");
            continue;
        }
        return true;
    }
    return false;
}

bool CUnattendedRun::Start(const CUnattendedStep& step, std::unique_ptr<CFollowedProcess>* pFollow)
{
    const CSetupCommand& command = step.m_form.m_command;
    const int nResult = step.m_action == EFollowedAction::Setup
                            ? RunInFolder(command.m_strFolder, command.m_strCommand, command.m_strProgram, pFollow)
                            : RunDetached(command.m_strCommand, pFollow);
    if (nResult != 0)
        NotStarted(step);
    return nResult == 0;
}

void CUnattendedRun::NotStarted(const CUnattendedStep& step)
{
    Record(step, "not started: the program did not start", kUnattendedFailed, "-");
}

void CUnattendedRun::Ended(const CUnattendedStep& step, bool bEnded, uint32_t nExitCode)
{
    CAppEntry& entry = *m_catalog.GetAt(step.m_nEntry);
    entry.RefreshState(m_catalog.GetCheckContext());
    const bool bDone = ReadsAsDone(step);
    std::string strCopies = "-";
    if (step.m_action == EFollowedAction::Setup && bDone && entry.IsPostInstallCopy() != 0)
    {
        // A set-up just run: its files replace what is there, as after a click.
        const CCopyCount count =
            CopyFileListCounted(entry.GetPostInstallCopyList(), m_catalog.GetSourceDrive(), CSystem::EReplace::Any);
        strCopies = "copied " + std::to_string(count.m_nCopied) + " of " + std::to_string(count.m_nLines);
    }
    if (!bEnded)
    {
        Record(step, "not followed", bDone ? kUnattendedSuccess : kUnattendedFailed, strCopies);
        return;
    }
    const ESetupKind kind = step.m_form.m_kind;
    const bool bReadingShows = !(step.m_action == EFollowedAction::Setup && entry.IsAlwaysInstall() != 0);
    Record(step, "exit " + std::to_string(nExitCode), EntryCode(nExitCode, kind, bDone, bReadingShows), strCopies);
}

std::string CUnattendedRun::StateText(const CAppEntry& entry) const
{
    if (entry.IsPrevReleaseFound() != 0)
        return "previous release";
    return entry.IsInstalled() != 0 ? "installed" : "not installed";
}

void CUnattendedRun::Record(const CUnattendedStep& step, const std::string& strOutcome, int nCode,
                            const std::string& strCopies)
{
    m_nExitCode = MoreSevereCode(m_nExitCode, nCode);
    if (!m_write)
        return;
    const std::string strCommand = step.m_form.m_command.m_strCommand.empty() ? "-" : StartedLine(step.m_form.m_command);
    CSystem& sys = TheSystem();
    m_write(FileTimeText(sys.FileTimeToLocalFileTime(sys.GetNow())) + "\t" + step.m_strName + "\t" +
            ActionName(step.m_action) + "\t" + (step.m_form.m_strHow.empty() ? "-" : step.m_form.m_strHow) + "\t" +
            strCommand + "\t" + strOutcome + "\t" +
            StateText(*m_catalog.GetAt(step.m_nEntry)) + "\t" + strCopies + "\t" + std::to_string(nCode));
}

std::vector<std::string> CUnattendedRun::Plan()
{
    std::vector<std::string> lines;
    CCheckNarrator narrator;
    CCheckContext context = m_catalog.GetCheckContext();
    context.m_pObserver = &narrator;
    std::vector<CQueued> queue = m_queue;
    // Without names, every entry and what its button would do.
    if (queue.empty())
        for (int n = 1; n <= m_catalog.GetCount(); ++n)
            queue.push_back({n, EFollowedAction::Setup, true});
    for (const CQueued& queued : queue)
    {
        CAppEntry& entry = *m_catalog.GetAt(queued.m_nEntry);
        entry.RefreshState(context);
        std::vector<std::string> evidence = narrator.TakeLines();
        EFollowedAction action = queued.m_action;
        if (m_queue.empty() && !CEntryActions::For(&entry, false).m_bSetup)
            action = EFollowedAction::Uninstall;
        lines.push_back(EntryName(entry) + ": " + StateText(entry));
        for (const std::string& strLine : evidence)
            lines.push_back("  " + strLine);
        if (IsPassedOver(entry, action, queued.m_bNamed))
        {
            lines.push_back(std::string("  ") + ActionName(action) + ": skipped, it reads as done");
            continue;
        }
        const CSilentForm form = FormFor(queued.m_nEntry, action);
        lines.push_back(std::string("  ") + ActionName(action) + " (" + form.m_strHow + "): " +
                        (form.m_bKnown ? StartedLine(form.m_command) : std::string("would not start")));
        if (form.m_bKnown && !form.m_command.m_strFolder.empty())
            lines.push_back("  in " + form.m_command.m_strFolder);
    }
    return lines;
}

int RunQuietly(CUnattendedRun& run, uint32_t nPollMs)
{
    CUnattendedStep step;
    while (run.Next(step))
    {
        std::unique_ptr<CFollowedProcess> process;
        if (!run.Start(step, &process))
            continue;
        if (process == nullptr)
        {
            run.Ended(step, false, 0);
            continue;
        }
        CSetupFollower follower;
        follower.Add(step.m_nEntry, step.m_action, run.ReadsAsDone(step), std::move(process));
        const auto readsAsMeant = [&](int, EFollowedAction) { return run.ReadsAsDoneNow(step); };
        while (!follower.Poll(readsAsMeant))
            TheSystem().Pause(nPollMs);
        const std::vector<CSetupFollower::CEnded> ended = follower.TakeEnded();
        run.Ended(step, true, ended.empty() ? 0 : ended.front().m_nExitCode);
    }
    return run.GetExitCode();
}
