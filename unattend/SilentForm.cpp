#include "unattend/SilentForm.h"

#include "catalog/AppCatalog.h"
#include "catalog/AppEntry.h"
#include "sys/System.h"
#include "unattend/SetupKind.h"
#include "unattend/UnattendFile.h"
#include "utils/AsciiText.h"
#include "utils/Cp932.h"

#include <cctype>

namespace {

// The log a set-up (or, with its own name, a removal) of this entry writes beside the run's own;
// empty without one. A run's log named relative to the current folder lies there: the set-up
// starts in its own folder, a removal at its drive's root.
std::string SetupLogFile(const CSilentSwitches& switches, const CAppEntry& entry, const char* pszAction = "")
{
    if (switches.m_strLogFile.empty())
        return std::string();
    std::string strLog = switches.m_strLogFile;
    const bool bFromRoot = strLog[0] == '\\' || strLog[0] == '/';
    const bool bDrive = strLog.size() >= 2 && strLog[1] == ':';
    if (!bFromRoot && !bDrive)
    {
        const std::string strCurrent = TheSystem().GetCurrentFolder();
        if (!strCurrent.empty())
            strLog = strCurrent + (FindLastBackslash(strCurrent) + 1 == strCurrent.size() ? "" : "\\") + strLog;
    }
    return strLog + "." + EntryName(entry) + pszAction + ".log";
}

// The switches of a kind, after the command line.
std::string WithKindSwitches(const std::string& strCommand, ESetupKind kind, const CSilentSwitches& switches,
                             const std::string& strLog)
{
    switch (kind)
    {
    case ESetupKind::Package:
        return strCommand + " /qn" + (switches.m_bNoRestart ? " /norestart" : "") +
               (strLog.empty() ? "" : " /l*v \"" + strLog + "\"");
    case ESetupKind::Nsis:
        // NSIS set-ups restart only when asked to by a page, which a silent run has not.
        return WithNsisSwitch(strCommand, "/S");
    case ESetupKind::Inno:
        return strCommand + " /VERYSILENT /SUPPRESSMSGBOXES" + (switches.m_bNoRestart ? " /NORESTART" : "") +
               (strLog.empty() ? "" : " /LOG=\"" + strLog + "\"");
    case ESetupKind::Unknown: break;
    }
    return strCommand;
}

bool IsMsiexec(const std::string& strProgram)
{
    const std::string strName = FileBaseName(strProgram);
    return EqualsNoCaseAscii(strName, "msiexec") || EqualsNoCaseAscii(strName, "msiexec.exe");
}

// The product code of an "MsiExec.exe /X{...}" or "/I{...}" removal string; empty for none.
std::string ProductCodeOf(const std::string& strCommand)
{
    for (std::size_t nAt = strCommand.find('/'); nAt != std::string::npos; nAt = strCommand.find('/', nAt + 1))
    {
        if (nAt + 2 >= strCommand.size() || strCommand[nAt + 2] != '{')
            continue;
        const char chVerb = static_cast<char>(std::toupper(static_cast<unsigned char>(strCommand[nAt + 1])));
        const std::size_t nClose = strCommand.find('}', nAt + 2);
        if ((chVerb == 'X' || chVerb == 'I') && nClose != std::string::npos)
            return strCommand.substr(nAt + 2, nClose - nAt - 1);
    }
    return std::string();
}

// The silent form of a removal command by what it starts.
CSilentForm RemovalByKind(const std::string& strCommand, const CSilentSwitches& switches, const std::string& strLog)
{
    CSilentForm form;
    const std::string strProgram = ProgramOfCommand(strCommand);
    if (IsMsiexec(strProgram))
    {
        const std::string strCode = ProductCodeOf(strCommand);
        if (strCode.empty())
            return form;
        form.m_bKnown = true;
        form.m_strHow = SetupKindName(ESetupKind::Package);
        form.m_kind = ESetupKind::Package;
        form.m_command.m_strCommand =
            WithKindSwitches("MsiExec.exe /X" + strCode, ESetupKind::Package, switches, strLog);
        return form;
    }
    const ESetupKind kind = SetupKindOfFile(strProgram);
    if (kind == ESetupKind::Nsis || kind == ESetupKind::Inno)
    {
        form.m_bKnown = true;
        form.m_strHow = SetupKindName(kind);
        form.m_kind = kind;
        form.m_command.m_strCommand = WithKindSwitches(strCommand, kind, switches, strLog);
    }
    return form;
}

} // namespace

std::string EntryName(const CAppEntry& entry)
{
    const std::string& strFile = entry.GetFileName();
    if (strFile.size() > 4 && EqualsNoCaseAscii(std::string_view(strFile).substr(strFile.size() - 4), ".app"))
        return strFile.substr(0, strFile.size() - 4);
    return strFile;
}

std::string WithNsisSwitch(const std::string& strCommand, const std::string& strSwitch)
{
    // Already there as an argument of its own.
    const std::string strPadded = strCommand + " ";
    if (strPadded.find(" " + strSwitch + " ") != std::string::npos)
        return strCommand;
    std::size_t nLast = strCommand.find(" /D=");
    const std::size_t nUninstallerFolder = strCommand.find(" _?=");
    if (nLast == std::string::npos || (nUninstallerFolder != std::string::npos && nUninstallerFolder < nLast))
        nLast = nUninstallerFolder;
    if (nLast == std::string::npos)
        return strCommand + " " + strSwitch;
    return strCommand.substr(0, nLast) + " " + strSwitch + strCommand.substr(nLast);
}

CSilentForm SilentSetupForm(const CAppEntry& entry, CAppCatalog& catalog, const CUnattendFile& unattend,
                            const CSilentSwitches& switches)
{
    CSilentForm form;
    std::string strOwn;
    if (unattend.Find(EntryName(entry), "setup", strOwn))
    {
        form.m_command = ComposeSetupCommand(entry, catalog, strOwn);
        form.m_bKnown = !form.m_command.m_strCommand.empty();
        form.m_strHow = "unattend.ini";
        return form;
    }
    form.m_command = ComposeSetupCommand(entry, catalog);
    if (form.m_command.m_strCommand.empty())
        return form;
    const bool bPackage = !form.m_command.m_strPackage.empty();
    const ESetupKind kind = SetupKindOfFile(bPackage ? form.m_command.m_strPackage : form.m_command.m_strProgram);
    // A package is one only by its contents; a program, only by its own.
    if (kind == ESetupKind::Unknown || (kind == ESetupKind::Package) != bPackage)
    {
        form.m_strHow = SetupKindName(ESetupKind::Unknown);
        return form;
    }
    form.m_bKnown = true;
    form.m_strHow = SetupKindName(kind);
    form.m_kind = kind;
    form.m_command.m_strCommand =
        WithKindSwitches(form.m_command.m_strCommand, kind, switches, SetupLogFile(switches, entry));
    return form;
}

CSilentForm SilentUninstallForm(CAppEntry& entry, CAppCatalog& catalog, const CUnattendFile& unattend,
                                const CSilentSwitches& switches)
{
    CSilentForm form;
    std::string strOwn;
    if (unattend.Find(EntryName(entry), "uninstall", strOwn))
    {
        if (!ComposeCommandOnMedium(strOwn, catalog, form.m_command.m_strCommand))
            form.m_command.m_strCommand = strOwn;
        form.m_bKnown = !form.m_command.m_strCommand.empty();
        form.m_strHow = "unattend.ini";
        return form;
    }
    const std::string strCommand = ComposeUninstallCommand(entry, catalog);
    const int32_t nType = entry.IsPrevReleaseFound() ? entry.GetPrevUninstallType() : entry.GetUninstallType();
    if (strCommand.empty())
        return form;
    if (nType == 0 && !entry.GetQuietUninstallString().empty())
    {
        form.m_bKnown = true;
        form.m_strHow = "QuietUninstallString";
        form.m_command.m_strCommand = entry.GetQuietUninstallString();
        return form;
    }
    // Its own log: a set-up of the same entry in the same run (/uninstall:x /install:x) would
    // empty a shared one.
    form = RemovalByKind(strCommand, switches, SetupLogFile(switches, entry, ".uninstall"));
    if (!form.m_bKnown)
        form.m_strHow = SetupKindName(ESetupKind::Unknown);
    return form;
}
