#include "view/LaunchCommands.h"

#include "catalog/AppCatalog.h"
#include "catalog/AppChecks.h"
#include "catalog/AppEntry.h"
#include "res/MessageNumbers.h"
#include "sys/System.h"
#include "utils/AsciiText.h"
#include "utils/Cp932.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <vector>

namespace {

const std::string kDirectFromCd = "%DIRECT_FROM_CD%=";

// A plain file, or with bFolder a folder, at this path, as the process creation would take it.
bool NamesAFile(const std::string& strPath, bool bFolder = false)
{
    // A search pattern would stand for other files than the one named.
    if (strPath.empty() || strPath.find_first_of("*?\"") != std::string::npos)
        return false;
    const std::vector<CFoundFile> found = TheSystem().FindFiles(strPath);
    return !found.empty() && found.front().m_bDirectory == bFolder;
}

// ".exe" is never the end of a code page 932 character's bytes: "." cannot be a second byte.
bool EndsInNoCase(const std::string& strPiece, std::string_view extension)
{
    return strPiece.size() > extension.size() &&
           EqualsNoCaseAscii(std::string_view(strPiece).substr(strPiece.size() - extension.size()), extension);
}

bool EndsInExe(const std::string& strPiece)
{
    return EndsInNoCase(strPiece, ".exe");
}

// A Windows Installer package or patch, which the system's msiexec opens.
bool IsPackage(const std::string& strProgram)
{
    return EndsInNoCase(strProgram, ".msi") || EndsInNoCase(strProgram, ".msp");
}

const char* const kBlanks = " \t";

std::string WithoutLeadingBlanks(const std::string& strLine)
{
    const std::size_t nStart = strLine.find_first_not_of(kBlanks);
    return nStart == std::string::npos ? std::string() : strLine.substr(nStart);
}

// How a program path is written: what it is taken relative to.
enum class EPathKind
{
    Bare,      // a name alone: looked for in folders
    FromRoot,  // "\\apps\\x.exe": from the root, which on a medium in a folder is that folder
    Relative,  // "apps\\x.exe"
    Full,      // with a drive or a share
};

EPathKind KindOfPath(const std::string& strPath)
{
    const bool bShare = strPath.size() >= 2 && (strPath[0] == '\\' || strPath[0] == '/') &&
                        (strPath[1] == '\\' || strPath[1] == '/');
    if (bShare || strPath.find(':') != std::string::npos)
        return EPathKind::Full;
    if (!strPath.empty() && (strPath[0] == '\\' || strPath[0] == '/'))
        return EPathKind::FromRoot;
    return FindLastSeparator(strPath) == std::string::npos ? EPathKind::Bare : EPathKind::Relative;
}

std::string LocateProgram(const std::string& strProgram, const std::string& strFirst = std::string());

// The end of the word that follows the blanks at nFrom: up to the next blank or separator. A
// double-byte character is stepped over whole: its second byte may be 0x5C.
std::size_t EndOfNextWord(const std::string& strLine, std::size_t nFrom)
{
    std::size_t i = std::min(strLine.find_first_not_of(kBlanks, nFrom), strLine.size());
    while (i < strLine.size() && strLine[i] != ' ' && strLine[i] != '\t' && strLine[i] != '\\' && strLine[i] != '/')
        i += IsCp932LeadByte(static_cast<unsigned char>(strLine[i])) && i + 1 < strLine.size() ? 2 : 1;
    return i;
}

// The end of the program in an unquoted command line, whose blanks may lie inside the program's
// path or between it and its arguments. In order:
// - The shortest piece up to a blank that ends in ".exe" is the program whether or not it is
//   there: a missing program then fails to start rather than a shorter piece planted beside it
//   ("C:\\Tools\\My.exe" for "C:\\Tools\\My App\\x.exe"), and a later ".exe" is an argument
//   ("SETUP.EXE /copy APP.EXE").
// - In a removal's line, a bare first piece that the system's folders hold ("cmd", "rundll32")
//   is the program. A set-up's (bSetup) comes from the medium, and may be a package.
// - A switch ("/s") after a blank starts the arguments: the program is all before it, where that
//   names a file where onDisk puts it (as written, or with ".exe") or no shorter piece does ("setup
//   /copy APP.EXE", "C:\\My Tools\\uninst /x").
// - Else the longest piece that names a file.
// A piece that names a file but goes on into a folder of the same name with a blank ("Program"
// beside "Program Files") is never the program. When that ruled one out and no other is found,
// the longest piece is the program, so that nothing shorter starts. npos when no piece is found.
using OnDisk = std::function<std::string(const std::string& strPiece)>;

std::size_t FindProgramEnd(const std::string& strLine, const OnDisk& onDisk, bool bSetup)
{
    std::size_t nFileEnd = std::string::npos;
    std::size_t nLongest = 0;  // the longest piece looked at
    bool bRuledOut = false;
    const std::size_t nFirstEnd = strLine.find_first_of(kBlanks);
    for (std::size_t nEnd = nFirstEnd;; nEnd = strLine.find_first_of(kBlanks, nEnd + 1))
    {
        const std::string strPrefix = strLine.substr(0, nEnd);
        // No path holds a quote: from one on ("cmd /c "C:\\x.exe /q"") the pieces are arguments.
        if (strPrefix.find('"') != std::string::npos)
            break;
        nLongest = strPrefix.size();
        if (EndsInExe(strPrefix) || (bSetup && IsPackage(strPrefix)))
            return strPrefix.size();
        const bool bLast = nEnd == std::string::npos;
        if (!bSetup && !bLast && nEnd == nFirstEnd && KindOfPath(strPrefix) == EPathKind::Bare && !LocateProgram(strPrefix).empty())
            return strPrefix.size();
        const std::string strOnDisk = onDisk(strPrefix);
        const bool bFile = NamesAFile(strOnDisk) || NamesAFile(strOnDisk + ".exe");
        if (bFile)
        {
            if (!bLast && NamesAFile(onDisk(strLine.substr(0, EndOfNextWord(strLine, nEnd))), true))
                bRuledOut = true;
            else
                nFileEnd = strPrefix.size();
        }
        if (bLast)
            break;
        const std::size_t nNext = strLine.find_first_not_of(kBlanks, nEnd);
        // Where only a shorter piece names a file, that one may be planted: the rules below
        // decide.
        if (nNext != std::string::npos && strLine[nNext] == '/' && (nFileEnd == strPrefix.size() || nFileEnd == std::string::npos))
            return strPrefix.size();
    }
    if (nFileEnd == std::string::npos && bRuledOut)
        return nLongest;
    return nFileEnd;
}

// The program and the arguments of a command line, read as the process creation reads them: a
// quoted first token, or the text up to the first blank.
void SplitCommandLine(const std::string& strLine, std::string& strProgram, std::string& strParameters)
{
    std::size_t nRest = 0;
    if (!strLine.empty() && strLine[0] == '"')
    {
        const std::size_t nClose = strLine.find('"', 1);
        strProgram = strLine.substr(1, nClose == std::string::npos ? std::string::npos : nClose - 1);
        nRest = nClose == std::string::npos ? strLine.size() : nClose + 1;
    }
    else
    {
        nRest = std::min(strLine.find_first_of(" \t"), strLine.size());
        strProgram = strLine.substr(0, nRest);
    }
    nRest = std::min(strLine.find_first_not_of(" \t", nRest), strLine.size());
    strParameters = strLine.substr(nRest);
}

// A folder that the search for a bare program may use: one from a root, never one relative to
// the current folder (a "." in PATH, "C:bin").
bool IsRootedFolder(const std::string& strFolder)
{
    const bool bDriveRoot = strFolder.size() >= 3 && strFolder[1] == ':' && (strFolder[2] == '\\' || strFolder[2] == '/');
    return bDriveRoot || (!strFolder.empty() && (strFolder[0] == '\\' || strFolder[0] == '/'));
}

// The process creation looks for a program named without a folder ("cmd", "MsiExec.exe") beside
// the launcher and in the current folder first, where a medium copied into Downloads may hold one
// of that name. Such a program comes from the system folder, the Windows folder or a full folder
// of PATH instead, with ".exe" added to a name without extension as the process creation does;
// a set-up named so on the medium comes from the medium first (strFirst). Empty when none of them
// has it. A program named with a folder is left as it is.
std::string LocateProgram(const std::string& strProgram, const std::string& strFirst)
{
    if (FindFirstBackslash(strProgram) != std::string::npos || strProgram.find_first_of("/:") != std::string::npos)
        return strProgram;
    if (strProgram.empty())
        return std::string();
    CSystem& sys = TheSystem();
    std::vector<std::string> folders = {sys.GetSystemFolder(), sys.GetWindowsFolder()};
    if (!strFirst.empty())
        folders.insert(folders.begin(), strFirst);
    const std::string strPath = sys.GetSearchPath();
    for (std::size_t nPos = 0; nPos <= strPath.size();)
    {
        const std::size_t nEnd = std::min(strPath.find(';', nPos), strPath.size());
        std::string strFolder = strPath.substr(nPos, nEnd - nPos);
        strFolder.erase(std::remove(strFolder.begin(), strFolder.end(), '"'), strFolder.end());
        folders.push_back(strFolder);
        nPos = nEnd + 1;
    }
    const bool bExtension = strProgram.find('.') != std::string::npos;
    for (std::string strFolder : folders)
    {
        if (!IsRootedFolder(strFolder))
            continue;
        if (FindLastBackslash(strFolder) + 1 == strFolder.size())
            strFolder.pop_back();
        const std::string strCandidate = strFolder + "\\" + strProgram;
        if (NamesAFile(strCandidate))
            return strCandidate;
        if (!bExtension && NamesAFile(strCandidate + ".exe"))
            return strCandidate + ".exe";
    }
    return std::string();
}

// Creates the process; a program whose manifest asks for administrator rights, which the
// system refuses to a process that has none, is started again through the shell, which asks the
// user. The launcher itself never runs elevated. The program sees the command line as written.
// strProgram, when given, is the full path of the program that the line names; otherwise the
// line's program comes from where it says, or from the system's folders when it names none.
bool StartCommand(const std::string& strProgram, const std::string& strCommand, const char* pszFolder,
                  bool bDetached, std::unique_ptr<CFollowedProcess>* pFollow)
{
    CSystem& sys = TheSystem();
    // The line ends at a NUL for the process creation; what is looked at is what starts.
    const std::string strLine = strProgram.empty() ? QuoteProgramPath(strCommand.c_str()) : strCommand.c_str();
    std::string strNamed;
    std::string strParameters;
    SplitCommandLine(strLine, strNamed, strParameters);
    const std::string strLocated = strProgram.empty() ? LocateProgram(strNamed) : strProgram;
    if (strLocated.empty())
        return false;
    const std::string strApplication = strLocated == strNamed ? std::string() : strLocated;
    const CSystem::EStartResult result = sys.StartProcess(strApplication, strLine, pszFolder, bDetached, pFollow);
    if (result != CSystem::EStartResult::ElevationRequired)
        return result == CSystem::EStartResult::Started;
    return sys.StartElevated(strLocated, strParameters, pszFolder, pFollow);
}

std::string QuotedIfBlank(const std::string& strPath)
{
    return strPath.find_first_of(kBlanks) == std::string::npos ? strPath : '"' + strPath + '"';
}

} // namespace

void PadLines(std::string& strText, int nMinLines)
{
    int nLines = 1 + static_cast<int>(std::count(strText.begin(), strText.end(), '\n'));
    for (; nLines < nMinLines; ++nLines)
        strText += "\r\n";
}

std::string DriveOfCommand(const std::string& strCommand)
{
    // Only a drive at the start of the program path counts ("uninst.exe /log:x" names none), and
    // it means that drive's root, not the launcher's current folder on it.
    const std::string strLine = WithoutLeadingBlanks(strCommand);
    const std::size_t nStart = !strLine.empty() && strLine[0] == '"' ? 1 : 0;
    if (strLine.size() < nStart + 2 || strLine[nStart + 1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(strLine[nStart])))
        return std::string();
    return strLine.substr(nStart, 2) + "\\";
}

CSetupCommand ComposeSetupCommand(const CAppEntry& entry, CAppCatalog& catalog)
{
    return ComposeSetupCommand(entry, catalog, entry.GetSetupCommand());
}

CSetupCommand ComposeSetupCommand(const CAppEntry& entry, CAppCatalog& catalog, const std::string& strSetupCommand)
{
    catalog.UpdateSourceDrive();
    const std::string& strMedium = catalog.GetSourceDrive();
    // Texts end at a NUL, as the process creation reads them.
    const std::string strDir = entry.GetSetupDir().c_str();
    CSetupCommand setup;
    // The set-up is the medium's own: a medium whose folder cannot be named, or a folder that
    // climbs out of it, starts nothing (an empty command fails as a missing program does).
    if (!strDir.empty() && (strMedium.empty() || ClimbsAboveStart(strDir)))
        return setup;
    const std::string strSetup = WithoutLeadingBlanks(strSetupCommand.c_str());
    const std::string strFolder = strDir.empty() ? std::string() : PathOnMedium(strMedium, strDir);
    std::string strProgram;
    std::string strRest;
    const bool bQuoted = !strSetup.empty() && strSetup[0] == '"';
    if (bQuoted)
    {
        const std::size_t nClose = strSetup.find('"', 1);
        strProgram = strSetup.substr(1, nClose == std::string::npos ? std::string::npos : nClose - 1);
        strRest = nClose == std::string::npos ? std::string() : strSetup.substr(nClose + 1);
    }
    else
    {
        // A piece lies in the set-up folder; without one, where the program will be looked for:
        // on the medium, unless it is a full path.
        const OnDisk onDisk = [&](const std::string& strPiece) {
            if (!strFolder.empty())
                return strFolder + "\\" + strPiece;
            if (strMedium.empty() || KindOfPath(strPiece) == EPathKind::Full)
                return strPiece;
            return PathOnMedium(strMedium, strPiece);
        };
        std::size_t nEnd = FindProgramEnd(strSetup, onDisk, true);
        if (nEnd == std::string::npos)
            nEnd = std::min(strSetup.find_first_of(kBlanks), strSetup.size());
        strProgram = strSetup.substr(0, nEnd);
        strRest = strSetup.substr(nEnd);
    }

    // Where the program lies: in the set-up folder; without one, a full path as written, a path
    // from the root or relative on the medium, a bare name on the medium or else in the
    // system's folders (found when it starts).
    std::string strFull;
    const EPathKind kind = KindOfPath(strProgram);
    if (!strFolder.empty())
    {
        strFull = strFolder + "\\" + strProgram;
    }
    else if (kind == EPathKind::Full)
    {
        strFull = strProgram;
    }
    else if (kind == EPathKind::Bare)
    {
        strFull = LocateProgram(strProgram, strMedium.empty() ? std::string() : strMedium + "\\");
    }
    else
    {
        if (strMedium.empty() || ClimbsAboveStart(strProgram))
            return setup;
        strFull = PathOnMedium(strMedium, strProgram);
    }

    // A package found nowhere would be opened from msiexec's current folder: nothing starts, as
    // for a program found nowhere.
    if (strFull.empty() && IsPackage(strProgram))
        return setup;
    // The process creation adds ".exe" to a program's name only where it reads the name from
    // the line, not to the program it is given: the medium's program gets it here. (A full path
    // that only names a file with ".exe" may be a shorter piece planted beside the one meant.)
    const std::size_t nNameStart = FindLastSeparator(strFull) == std::string::npos ? 0 : FindLastSeparator(strFull) + 1;
    if ((!strFolder.empty() || kind == EPathKind::FromRoot || kind == EPathKind::Relative) &&
        strFull.find('.', nNameStart) == std::string::npos && !NamesAFile(strFull) && NamesAFile(strFull + ".exe"))
        strFull += ".exe";
    setup.m_strFolder = strFolder;
    if (IsPackage(strProgram))
    {
        // As a double-click opens it: the system's msiexec installs a package, applies a patch.
        setup.m_strPackage = strFull;
        setup.m_strCommand = std::string("msiexec.exe ") + (EndsInNoCase(strProgram, ".msp") ? "/p" : "/i") + " \"" +
                             setup.m_strPackage + '"' + strRest;
        return setup;
    }
    setup.m_strProgram = strFull;
    // A program written in quotes stays so: its arguments may follow the quote without a blank.
    const std::string& strNamed = strFolder.empty() ? strProgram : strFull;
    setup.m_strCommand = (bQuoted ? '"' + strNamed + '"' : QuotedIfBlank(strNamed)) + strRest;
    return setup;
}

bool ComposeCommandOnMedium(const std::string& strWritten, CAppCatalog& catalog, std::string& strCommand)
{
    const std::string strTrimmed(TrimRight(strWritten));
    const std::size_t nMarker = strTrimmed.find(kDirectFromCd);
    if (nMarker == std::string::npos)
        return false;
    // What stands before the marker is dropped; the rest is a path on the source drive, which
    // must be named and must not be left.
    catalog.UpdateSourceDrive();
    const std::string strPath = strTrimmed.substr(nMarker + kDirectFromCd.size());
    if (catalog.GetSourceDrive().empty() || ClimbsAboveStart(strPath.substr(0, strPath.find_first_of(kBlanks))))
        strCommand.clear();
    else
        strCommand = PathOnMedium(catalog.GetSourceDrive(), strPath);
    return true;
}

std::string ProgramOfCommand(const std::string& strCommand)
{
    std::string strNamed;
    std::string strParameters;
    SplitCommandLine(QuoteProgramPath(strCommand.c_str()), strNamed, strParameters);
    return LocateProgram(strNamed);
}

std::string ComposeUninstallCommand(CAppEntry& entry, CAppCatalog& catalog)
{
    const int nType = entry.IsPrevReleaseFound() ? entry.GetPrevUninstallType() : entry.GetUninstallType();
    if (nType == 0)
        return entry.GetUninstallString(catalog.GetCheckContext());
    if (nType != 1)
        return std::string();

    std::string strOnMedium;
    if (ComposeCommandOnMedium(entry.GetUninstallCommand(), catalog, strOnMedium))
        return strOnMedium;
    const std::string& strPath =
        entry.IsPrevReleaseFound() ? entry.GetPrevUninstallCommand() : entry.GetUninstallPath(catalog.GetCheckContext());
    return std::string(GetPlatform() == PLATFORM_WIN95 ? "start " : "cmd /c ") + "\"" + strPath + "\"";
}

std::string QuoteProgramPath(const std::string& strCommand)
{
    const std::string strLine = WithoutLeadingBlanks(strCommand);
    if (strLine.empty() || strLine[0] == '"')
        return strLine;
    // Blanks and tabs separate, as the process creation takes them; neither is ever the second
    // byte of a code page 932 character, so the line splits safely.
    const std::size_t nProgramEnd = FindProgramEnd(strLine, [](const std::string& strPiece) { return strPiece; }, false);
    if (nProgramEnd == std::string::npos || strLine.find_first_of(kBlanks) >= nProgramEnd)
        return strLine;
    return '"' + strLine.substr(0, nProgramEnd) + '"' + strLine.substr(nProgramEnd);
}

int RunInFolder(const std::string& strFolder, const std::string& strCommand, const std::string& strProgram,
                std::unique_ptr<CFollowedProcess>* pFollow)
{
    const char* pszFolder = strFolder.empty() ? nullptr : strFolder.c_str();
    return StartCommand(strProgram, strCommand, pszFolder, false, pFollow) ? 0 : MSG_SETUP_FAILED;
}

int RunDetached(const std::string& strCommand, std::unique_ptr<CFollowedProcess>* pFollow)
{
    // The child runs at the root of its program's drive. A command without one runs where the
    // launcher runs, as a set-up without a folder does, rather than being refused for an empty
    // working directory.
    const std::string strDrive = DriveOfCommand(strCommand);
    const char* pszFolder = strDrive.empty() ? nullptr : strDrive.c_str();
    return StartCommand(std::string(), strCommand, pszFolder, true, pFollow) ? 0 : MSG_UNINSTALL_FAILED;
}
