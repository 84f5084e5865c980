// The command lines behind the set-up and uninstall buttons, the padding of notice texts and
// the post-install copy. Portable: processes and copies go through the system interface.
#ifndef KORVELT_VIEW_LAUNCHCOMMANDS_H
#define KORVELT_VIEW_LAUNCHCOMMANDS_H

#include <string>

class CAppCatalog;
class CAppEntry;

// Working folder and command line of an entry's set-up program; an empty folder means the
// launcher's own current directory.
struct CSetupCommand
{
    std::string m_strFolder;
    std::string m_strCommand;
};

// Appends CR LF pairs until the text has at least nMinLines lines (1 + its LF count).
void PadLines(std::string& strText, int nMinLines);

// "X:\" for a command line whose program path begins with the drive X; empty otherwise.
std::string DriveOfCommand(const std::string& strCommand);

// The set-up program on the source drive (the catalogue's, refreshed first).
CSetupCommand ComposeSetupCommand(const CAppEntry& entry, CAppCatalog& catalog);

// The removal command: the registry's uninstall string (type 0), the catalogue command on the
// source drive ("%DIRECT_FROM_CD%=") or through the platform's start program or command
// interpreter (type 1); empty for any other type.
std::string ComposeUninstallCommand(CAppEntry& entry, CAppCatalog& catalog);

// An unquoted command line whose program path holds a space would let the process creation try
// every shorter piece first ("C:\Program.exe" for "C:\Program Files\..."), so a program planted
// there would run instead. The longest space-delimited piece that names a file (as written or
// with ".exe") is the program the line means; it comes back quoted when a space lies inside it.
// Quoted lines, lines whose program has no space and lines where no piece names a file come back
// as they are.
std::string QuoteProgramPath(const std::string& strCommand);

// Starts the set-up in its folder: 0, or MSG_SETUP_FAILED when the process could not be created.
// A program that asks for administrator rights is started elevated, in the same folder.
int RunInFolder(const std::string& strFolder, const std::string& strCommand);

// Starts a removal command detached, on its command's drive: 0, or MSG_UNINSTALL_FAILED when it
// failed. A program that asks for administrator rights is started elevated.
int RunDetached(const std::string& strCommand);

// Copies each "\source>target folder" line of a copy list from the source drive; always 1,
// failures are skipped silently.
int CopyFileList(const std::string& strList, const std::string& strDrive);

// Copies over an existing target, leaving the copy writable; false when it failed.
bool CopyOneFile(const std::string& strFrom, const std::string& strTo);

#endif
