// One unattended run: the named entries in catalogue order (removals before set-ups), each
// skipped when it already reads as its action means, otherwise started in the form that the
// options ask for and followed to its end; one log line per entry, and the exit code that
// administrators' tools know. The caller starts and follows the programs (RunQuietly does both
// without a window). Portable.
#ifndef KORVELT_UNATTEND_UNATTENDEDRUN_H
#define KORVELT_UNATTEND_UNATTENDEDRUN_H

#include "unattend/SetupKind.h"
#include "unattend/SilentForm.h"
#include "unattend/UnattendFile.h"
#include "unattend/UnattendedOptions.h"
#include "view/SetupFollower.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CAppCatalog;
class CAppEntry;

// The codes an unattended run ends with; the most severe of its entries' wins.
enum EUnattendedCode : int
{
    kUnattendedSuccess = 0,
    kUnattendedBadCommandLine = 87,      // ERROR_INVALID_PARAMETER
    kUnattendedRestartNeeded = 3010,     // ERROR_SUCCESS_REBOOT_REQUIRED
    kUnattendedRestarting = 1641,        // ERROR_SUCCESS_REBOOT_INITIATED
    kUnattendedCancelled = 1602,         // ERROR_INSTALL_USEREXIT
    kUnattendedOtherRunning = 1618,      // ERROR_INSTALL_ALREADY_RUNNING
    kUnattendedFailed = 1603,            // ERROR_INSTALL_FAILURE
};

// The more severe of two codes: 1603, 1618, 1602, 1641, 3010, 0 in that order.
int MoreSevereCode(int nA, int nB);
// An entry's code from its program's exit code: whether the entry reads as the action meant
// afterwards, and whether its reading can show a set-up at all (not for one always set up).
int EntryCode(uint32_t nExitCode, ESetupKind kind, bool bReadsAsMeant, bool bReadingShows);

struct CUnattendedStep
{
    int m_nEntry = 0;  // counted from 1
    EFollowedAction m_action = EFollowedAction::Setup;
    std::string m_strName;
    // What starts: the silent form, or with CUnattendedOptions::EShow::Full the button's own
    // command (m_bKnown then tells whether it could be composed).
    CSilentForm m_form;
};

class CUnattendedRun
{
public:
    // pfnWrite takes each line of the log (code page 932, no line end); null writes nothing.
    using WriteLine = std::function<void(const std::string& strLine)>;

    CUnattendedRun(CAppCatalog& catalog, const CUnattendedOptions& options, CUnattendFile unattend, WriteLine write);

    // Every name given stands for an entry; otherwise false, with the unknown names in strWhy.
    bool CheckNames(std::string& strWhy) const;

    // The next entry to start; those before it that already read as meant are logged as skipped,
    // those without a silent form (when one is needed) as failed. False when none is left.
    bool Next(CUnattendedStep& step);
    // Starts the step's program through the launcher's start: false when it did not start (logged).
    bool Start(const CUnattendedStep& step, std::unique_ptr<CFollowedProcess>* pFollow);
    // The step's program did not start (logged as failed): where the window started it, as a
    // click does.
    void NotStarted(const CUnattendedStep& step);
    // The step's program has ended: the entry is read again, its copies are made after a set-up
    // that reads as done, and its line is logged. bEnded false: nothing could follow the program.
    void Ended(const CUnattendedStep& step, bool bEnded, uint32_t nExitCode);
    // Whether the entry reads, as last checked, as the step's action meant.
    bool ReadsAsDone(const CUnattendedStep& step) const;
    // The same, checked afresh.
    bool ReadsAsDoneNow(const CUnattendedStep& step);
    int GetExitCode() const { return m_nExitCode; }

    // What a dry run prints: for each named entry (every entry when none is named) its state with
    // the checks behind it, and the command line that would run.
    std::vector<std::string> Plan();

private:
    struct CQueued
    {
        int m_nEntry;
        EFollowedAction m_action;
        bool m_bNamed;  // by name, not by "*"
    };
    int FindEntry(const std::string& strName) const;
    CSilentForm FormFor(int nEntry, EFollowedAction action);
    // Logs one entry's line and counts its code.
    void Record(const CUnattendedStep& step, const std::string& strOutcome, int nCode, const std::string& strCopies);
    std::string StateText(const CAppEntry& entry) const;

    CAppCatalog& m_catalog;
    CUnattendedOptions m_options;
    CUnattendFile m_unattend;
    WriteLine m_write;
    std::vector<CQueued> m_queue;
    std::size_t m_nNext = 0;
    int m_nExitCode = kUnattendedSuccess;
};

// Runs every step without a window: starts it, looks at it every nPollMs until it has ended,
// goes on with the next. The exit code of the run.
int RunQuietly(CUnattendedRun& run, uint32_t nPollMs = 500);

#endif
