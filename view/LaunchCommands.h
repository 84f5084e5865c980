// The command lines behind the set-up and uninstall buttons and the padding of notice texts (the
// post-install copy is PostInstallCopy.h's). Portable: processes go through the system interface.
#ifndef KORVELT_VIEW_LAUNCHCOMMANDS_H
#define KORVELT_VIEW_LAUNCHCOMMANDS_H

#include "view/PostInstallCopy.h"

#include <memory>
#include <string>

class CFollowedProcess;

class CAppCatalog;
class CAppEntry;

// Working folder and command line of an entry's set-up program; an empty folder means the
// launcher's own current directory. An empty command starts nothing.
struct CSetupCommand
{
    std::string m_strFolder;
    std::string m_strCommand;
    // The full path of the program that the command line names, where it is known (on the
    // medium, or a bare name found in the system's folders); empty: found when it starts.
    std::string m_strProgram;
    // The Windows Installer package or patch that msiexec opens; empty for a program.
    std::string m_strPackage;
};

// Appends CR LF pairs until the text has at least nMinLines lines (1 + its LF count).
void PadLines(std::string& strText, int nMinLines);

// "X:\" for a command line whose program path begins with the drive X; empty otherwise.
std::string DriveOfCommand(const std::string& strCommand);

// The set-up program on the source drive (the catalogue's medium, refreshed first): in the
// entry's set-up folder on the medium; without one, a program named alone on the medium and
// else in the system's folders. A Windows Installer package or patch is opened by the system's
// msiexec ("/i" or "/p" and its full path), as a double-click would. Nothing when the medium
// cannot be named or the set-up folder climbs out of it.
CSetupCommand ComposeSetupCommand(const CAppEntry& entry, CAppCatalog& catalog);
// The same for another set-up command of the entry's, written as the catalogue writes one.
CSetupCommand ComposeSetupCommand(const CAppEntry& entry, CAppCatalog& catalog, const std::string& strSetupCommand);

// The removal command: the registry's uninstall string (type 0), the catalogue command on the
// source drive ("%DIRECT_FROM_CD%=") or through the platform's start program or command
// interpreter (type 1); empty for any other type.
std::string ComposeUninstallCommand(CAppEntry& entry, CAppCatalog& catalog);

// A command written with "%DIRECT_FROM_CD%=": true, with strCommand the path after the marker on
// the source drive (empty when the medium cannot be named or the path leaves it). False for a
// command without the marker.
bool ComposeCommandOnMedium(const std::string& strWritten, CAppCatalog& catalog, std::string& strCommand);

// The full path of the program that a command line starts, read as the start reads it (a bare
// name from the system's folders); empty when none is found.
std::string ProgramOfCommand(const std::string& strCommand);

// An unquoted command line whose program path holds a space would let the process creation try
// every shorter piece first ("C:\Program.exe" for "C:\Program Files\..."), so a program planted
// there would run instead. The program the line means is the shortest blank-delimited piece
// that ends in ".exe"; else a bare first piece that the system's folders hold ("cmd /c ...");
// else all before a switch ("/x") where no shorter piece alone names a file; else the longest
// piece that names a file (as written or with ".exe") without going on into a folder of that
// name. It comes back quoted when a blank lies inside it. Leading blanks go; otherwise quoted
// lines, lines whose program has no blank and lines where no piece is found come back as they
// are.
std::string QuoteProgramPath(const std::string& strCommand);

// Starts the set-up in its folder: 0, or MSG_SETUP_FAILED when the process could not be created.
// A program that asks for administrator rights is started elevated, in the same folder.
// strProgram is the set-up's CSetupCommand::m_strProgram. With pFollow, *pFollow follows the
// started program (it stays empty where the system gave nothing to follow).
int RunInFolder(const std::string& strFolder, const std::string& strCommand,
                const std::string& strProgram = std::string(), std::unique_ptr<CFollowedProcess>* pFollow = nullptr);

// Starts a removal command detached, on its command's drive: 0, or MSG_UNINSTALL_FAILED when it
// failed. A program that asks for administrator rights is started elevated. pFollow as above.
int RunDetached(const std::string& strCommand, std::unique_ptr<CFollowedProcess>* pFollow = nullptr);

#endif
