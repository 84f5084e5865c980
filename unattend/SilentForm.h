// The command lines that set up or remove an entry without questions: an entry's own from the
// medium's unattend.ini, or else the switches of its set-up's kind, read from the program file;
// for a removal first the "QuietUninstallString" that its set-up registered. Portable.
#ifndef KORVELT_UNATTEND_SILENTFORM_H
#define KORVELT_UNATTEND_SILENTFORM_H

#include "unattend/SetupKind.h"
#include "view/LaunchCommands.h"

#include <string>

class CAppCatalog;
class CAppEntry;
class CUnattendFile;

// What a run asks of every silent form.
struct CSilentSwitches
{
    bool m_bNoRestart = false;
    // The run's log; set-ups whose kind can log write theirs beside it, as FILE.entry.log.
    std::string m_strLogFile;
};

struct CSilentForm
{
    // False when no silent form is known: the entry is then not started without a user.
    bool m_bKnown = false;
    // Where the form comes from, for logs and checks ("NSIS", "QuietUninstallString").
    std::string m_strHow;
    // The kind of what starts, which tells how its exit codes read.
    ESetupKind m_kind = ESetupKind::Unknown;
    // The set-up's folder and program, or (m_strCommand only) the removal's command line.
    CSetupCommand m_command;
};

// The entry's name on the command line and in logs: its entry file's name without ".app".
std::string EntryName(const CAppEntry& entry);

CSilentForm SilentSetupForm(const CAppEntry& entry, CAppCatalog& catalog, const CUnattendFile& unattend,
                            const CSilentSwitches& switches);
// Reads the removal command from the registry as the uninstall button does.
CSilentForm SilentUninstallForm(CAppEntry& entry, CAppCatalog& catalog, const CUnattendFile& unattend,
                                const CSilentSwitches& switches);

// NSIS takes "/D=" (and an uninstaller "_?=") only as the last argument: a switch goes before it.
std::string WithNsisSwitch(const std::string& strCommand, const std::string& strSwitch);

#endif
