// libFuzzer target: the command lines the launcher composes and starts, and the copies after a
// set-up, over the host system and a small planted tree. The input is cut at "\n--\n" into a
// byte of settings, the set-up folder, the set-up command, the uninstall command, the registry's
// uninstall string, the copy list and one more command line.
//
// The tree is made once in a temporary folder: drives C: and Q:, the system and Windows folders,
// a program under "C:\Program Files\My App", and programs planted where a careless start would
// take them: beside the launcher, in the current folder, as "C:\Program.exe" and
// "C:\Program Files\My.exe". Processes and copies are recorded, never run or made, and what the
// launcher asked for must hold:
// - a program named without a folder comes from the system or Windows folder or a rooted PATH
//   folder, never from beside the launcher or the current folder;
// - the line the program sees is the composed one, at most with its program quoted; a line left
//   unquoted holds no piece ending in ".exe" longer than its first (the process creation would
//   try the shorter pieces first);
// - a removal runs at the root of its own program's drive or where the launcher runs;
// - set-ups, "%DIRECT_FROM_CD%=" removals and copy sources come from the medium;
// - a copied file keeps its name and stays in its target folder.
#include "catalog/AppCatalog.h"
#include "catalog/AppEntry.h"
#include "catalog/ArchiveReader.h"
#include "catalog/ArchiveWriter.h"
#include "sys/HostSystem.h"
#include "utils/AsciiText.h"
#include "utils/Cp932.h"
#include "utils/DeviceNames.h"
#include "view/LaunchCommands.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

#define FUZZ_CHECK(condition)                                                         \
    do                                                                                \
    {                                                                                 \
        if (!(condition))                                                             \
        {                                                                             \
            std::fprintf(stderr, "fuzz-launch: %s failed (line %d)\n", #condition, __LINE__); \
            std::abort();                                                             \
        }                                                                             \
    } while (false)

const char kSystemFolder[] = "C:\\Windows\\System32";
const char kWindowsFolder[] = "C:\\Windows";
const char kToolsFolder[] = "C:\\Tools";  // the one rooted folder of PATH
const char kFolderMedium[] = "C:\\Users\\bob\\Downloads\\disc";

// Paths with a drive name a folder of that name in the tree; others lie in its current folder.
class CPlantedSystem : public CHostSystem
{
public:
    explicit CPlantedSystem(std::string strRoot) : m_strRoot(std::move(strRoot)) {}

    std::vector<CFoundFile> FindFiles(const std::string& strPattern) override
    {
        const bool bDrive = strPattern.size() >= 2 && strPattern[1] == ':';
        return CHostSystem::FindFiles(m_strRoot + (bDrive ? "\\" : "\\cwd\\") + strPattern);
    }
    bool CopyFileOver(const std::string& strFrom, const std::string& strTo, EReplace) override
    {
        m_copies.emplace_back(strFrom, strTo);
        return true;
    }

    std::vector<std::pair<std::string, std::string>> m_copies;

private:
    std::string m_strRoot;
};

std::string& TreeRoot()
{
    static std::string s_strRoot;
    return s_strRoot;
}

void Plant(const std::string& strPath)
{
    const fs::path path = CHostSystem::NativePath(TreeRoot() + "\\" + strPath);
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "MZ";
}

bool StartsWith(const std::string& strText, const std::string& strStart)
{
    return strText.compare(0, strStart.size(), strStart) == 0;
}

std::string NameOf(const std::string& strPath)
{
    const std::size_t nSeparator = FindLastSeparator(strPath);
    if (nSeparator != std::string::npos)
        return strPath.substr(nSeparator + 1);
    return strPath.size() >= 2 && strPath[1] == ':' ? strPath.substr(2) : strPath;  // "Q:name"
}

bool EndsInExe(const std::string& strPiece)
{
    return strPiece.size() > 4 && EqualsNoCaseAscii(std::string_view(strPiece).substr(strPiece.size() - 4), ".exe");
}

// The line the program sees is the command without its leading blanks, or that with its program
// quoted: the shortest piece that ends in ".exe" when there is one.
void CheckLineOf(const std::string& strCommand, const std::string& strLine)
{
    const std::size_t nStart = strCommand.find_first_not_of(" \t");
    const std::string strGiven = nStart == std::string::npos ? std::string() : strCommand.substr(nStart);
    // The pieces of the line up to a blank, before the first that holds a quote (no path does).
    const auto pieces = [](const std::string& strText) {
        std::vector<std::string> found;
        for (std::size_t nEnd = strText.find_first_of(" \t");; nEnd = strText.find_first_of(" \t", nEnd + 1))
        {
            const std::string strPiece = strText.substr(0, nEnd);
            if (strPiece.find('"') != std::string::npos)
                break;
            found.push_back(strPiece);
            if (nEnd == std::string::npos)
                break;
        }
        return found;
    };
    if (strLine == strGiven)
    {
        // Left unquoted: the first piece is the program (it ends in ".exe", a switch follows it,
        // or it is a bare name), or no piece ends in ".exe".
        if (!strLine.empty() && strLine[0] != '"')
        {
            const std::vector<std::string> found = pieces(strLine);
            bool bAnyExe = false;
            for (const std::string& strPiece : found)
                bAnyExe = bAnyExe || EndsInExe(strPiece);
            const std::string strFirst = found.empty() ? std::string() : found.front();
            const std::size_t nNext = strLine.find_first_not_of(" \t", strFirst.size());
            const bool bSwitchFollows = nNext != std::string::npos && strLine[nNext] == '/';
            const bool bBare = strFirst.find_first_of("\\/:") == std::string::npos;
            FUZZ_CHECK(!bAnyExe || (!strFirst.empty() && (EndsInExe(strFirst) || bSwitchFollows || bBare)));
        }
        return;
    }
    const std::size_t nClose = strLine.find('"', 1);
    FUZZ_CHECK(strLine[0] == '"' && nClose != std::string::npos);
    const std::string strProgram = strLine.substr(1, nClose - 1);
    FUZZ_CHECK(strProgram + strLine.substr(nClose + 1) == strGiven);
    FUZZ_CHECK(strProgram.find_first_of(" \t") != std::string::npos);
    for (const std::string& strPiece : pieces(strGiven))
        FUZZ_CHECK(strPiece.size() >= strProgram.size() || !EndsInExe(strPiece));
}

// Every start since the last call: the program and the line, as the process creation takes them.
// A set-up's program found on the medium (onMedium) may start from there too.
void CheckStarts(CPlantedSystem& system, const std::string& strCommand,
                 const std::function<bool(const std::string&)>& onMedium = nullptr)
{
    const std::string strAllowed[] = {kSystemFolder, kWindowsFolder, kToolsFolder};
    for (const CHostSystem::CStarted& started : system.m_started)
    {
        // The process creation reads the line up to a NUL.
        CheckLineOf(strCommand.c_str(), started.m_strCommandLine);
        if (started.m_strProgram.empty())
        {
            // Named with a folder or a drive: the process creation searches nothing.
            std::string strProgram = started.m_strCommandLine;
            if (!strProgram.empty() && strProgram[0] == '"')
                strProgram = strProgram.substr(1, strProgram.find('"', 1) - 1);
            else
                strProgram = strProgram.substr(0, strProgram.find_first_of(" \t"));
            FUZZ_CHECK(strProgram.find_first_of("\\/:") != std::string::npos);
            continue;
        }
        if (onMedium && onMedium(started.m_strProgram))
            continue;
        const std::size_t nSeparator = FindLastBackslash(started.m_strProgram);
        FUZZ_CHECK(nSeparator != std::string::npos);
        const std::string strFolder = started.m_strProgram.substr(0, nSeparator);
        FUZZ_CHECK(strFolder == strAllowed[0] || strFolder == strAllowed[1] || strFolder == strAllowed[2]);
    }
    // A start refused for want of rights goes through the shell by the program's full path.
    for (const CHostSystem::CStartedElevated& started : system.m_startedElevated)
        FUZZ_CHECK(started.m_strProgram.find_first_of("\\/:") != std::string::npos);
    system.m_started.clear();
    system.m_startedElevated.clear();
}

struct CInput
{
    uint8_t m_nSettings = 0;
    std::vector<std::string> m_pieces;  // always 6

    explicit CInput(const std::string& strInput)
    {
        const std::string kCut = "\n--\n";
        std::size_t nStart = 0;
        while (m_pieces.size() < 6)
        {
            const std::size_t nAt = nStart > strInput.size() ? std::string::npos : strInput.find(kCut, nStart);
            m_pieces.push_back(nStart > strInput.size() ? std::string() : strInput.substr(nStart, nAt - nStart));
            nStart = nAt == std::string::npos ? strInput.size() + 1 : nAt + kCut.size();
        }
    }
};

std::string EntryBytes(const CInput& input)
{
    const std::pair<const char*, std::string> strings[] = {
        {"m_strSetupDir", input.m_pieces[0]},         {"m_strSetupCommand", input.m_pieces[1]},
        {"m_strUninstallCommand", input.m_pieces[2]}, {"m_strUninstallKey", "Software\\U"},
        {"m_strPostInstallCopyList", input.m_pieces[4]}};
    CArchiveWriter writer;
    for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
    {
        const CAppEntry::CStoredField& field = CAppEntry::StoredField(i);
        std::string strValue;
        for (const auto& [pszName, strGiven] : strings)
            if (std::string(field.m_pszName) == pszName)
                strValue = strGiven;
        if (field.m_bString)
            writer.WriteString(strValue);
        else
            writer.WriteInt32(std::string(field.m_pszName) == "m_nUninstallType" ? ((input.m_nSettings >> 2) & 7) % 3 : 0);
    }
    return writer.GetBytes();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char szTemplate[] = "/tmp/korvelt-fuzz-launch-XXXXXX";
    if (!mkdtemp(szTemplate))
        std::abort();
    TreeRoot() = szTemplate;
    for (const char* pszPath : {"C:\\Windows\\System32\\cmd.exe", "C:\\Windows\\System32\\MsiExec.exe",
                                "C:\\Windows\\start.exe", "C:\\Tools\\tool.exe", "C:\\Program Files\\My App\\uninst.exe",
                                "C:\\Program.exe", "C:\\Program Files\\My.exe", "C:\\Users\\bob\\Downloads\\disc\\cmd.exe",
                                "C:\\Users\\bob\\Downloads\\disc\\MsiExec.exe", "C:\\Users\\bob\\Downloads\\disc\\start.exe",
                                "C:\\Users\\bob\\Downloads\\disc\\apps\\memo\\setup.exe", "Q:\\cmd.exe", "Q:\\apps\\memo\\setup.exe",
                                "cwd\\cmd.exe", "cwd\\MsiExec.exe", "cwd\\uninst.exe", "cwd\\start.exe", "cwd\\tool.exe"})
        Plant(pszPath);
    // The tree goes when the fuzzer ends.
    std::atexit([] { std::error_code ec; fs::remove_all(TreeRoot(), ec); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize == 0)
        return 0;
    const CInput input(std::string(reinterpret_cast<const char*>(pData) + 1, nSize - 1));
    const uint8_t nSettings = pData[0];
    CInput withSettings = input;
    withSettings.m_nSettings = nSettings;
    // Bits: 0 the medium is a folder, 1 Windows 95, 2-4 the uninstall type, 5 every start needs
    // administrator rights.

    CPlantedSystem system(TreeRoot());
    const bool bFolderMedium = (nSettings & 1) != 0;
    const std::string strMedium = bFolderMedium ? kFolderMedium : "Q:";
    // What lies on a medium in a folder starts with the folder and a separator.
    const auto onMedium = [&](const std::string& strPath) {
        return bFolderMedium ? StartsWith(strPath, strMedium + "\\") || StartsWith(strPath, strMedium + "/")
                             : StartsWith(strPath, strMedium);
    };
    system.m_strCurrentFolder = bFolderMedium ? strMedium : strMedium + "\\";
    system.m_nVersion = (nSettings & 2) != 0 ? 0xC0000A04 : 0x0A280105;
    system.m_strSystemDirectory = kSystemFolder;
    system.m_strWindowsDirectory = kWindowsFolder;
    system.m_strSearchPath = std::string(".;relative;") + kToolsFolder + "\\;C:bin";
    system.m_strTempPath = "C:\\Temp\\";
    if ((nSettings & 0x20) != 0)
        system.m_startResult = CSystem::EStartResult::ElevationRequired;
    system.SetRegString(CSystem::ERoot::LocalMachine, "Software\\U", "UninstallString", input.m_pieces[3]);
    SetTheSystem(&system);

    CArchiveReader reader(EntryBytes(withSettings));
    CAppEntry entry;
    entry.Serialize(reader);
    CAppCatalog catalog;

    // The set-up comes from the medium and starts in its folder; one that would leave the medium
    // starts nothing.
    const CSetupCommand setup = ComposeSetupCommand(entry, catalog);
    FUZZ_CHECK(catalog.GetSourceDrive() == strMedium);
    if (*entry.GetSetupDir().c_str() != '\0' && !setup.m_strCommand.empty())  // the folder ends at a NUL
    {
        FUZZ_CHECK(onMedium(setup.m_strFolder));
        FUZZ_CHECK(StartsWith(setup.m_strCommand, setup.m_strFolder + "\\") ||
                   StartsWith(setup.m_strCommand, "\"" + setup.m_strFolder + "\\") ||
                   StartsWith(setup.m_strCommand, "msiexec.exe /"));
    }
    FUZZ_CHECK(setup.m_strProgram.empty() || setup.m_strProgram.find_first_of("\\/:") != std::string::npos);
    RunInFolder(setup.m_strFolder, setup.m_strCommand, setup.m_strProgram);
    for (const CHostSystem::CStarted& started : system.m_started)
        FUZZ_CHECK(started.m_bHasFolder == !setup.m_strFolder.empty() && started.m_strFolder == setup.m_strFolder.c_str());
    CheckStarts(system, setup.m_strCommand, onMedium);

    // The removal, and one more line, start on their program's drive.
    const std::string strUninstall = ComposeUninstallCommand(entry, catalog);
    if (entry.GetUninstallType() == 1 && entry.GetUninstallCommand().find("%DIRECT_FROM_CD%=") != std::string::npos)
        FUZZ_CHECK(onMedium(strUninstall));
    for (const std::string& strGiven : {strUninstall, input.m_pieces[5]})
    {
        const std::string strDrive = DriveOfCommand(strGiven);
        const std::string strCommand = strGiven.substr(std::min(strGiven.find_first_not_of(" \t"), strGiven.size()));
        FUZZ_CHECK(strDrive.empty() || (strDrive.size() == 3 && strDrive[1] == ':' && strDrive[2] == '\\' &&
                                        StartsWith(strCommand, strDrive.substr(0, 2)) ^ StartsWith(strCommand, "\"" + strDrive.substr(0, 2))));
        const std::string strQuoted = QuoteProgramPath(strCommand);
        FUZZ_CHECK(QuoteProgramPath(strQuoted) == strQuoted);
        RunDetached(strGiven);
        for (const CHostSystem::CStarted& started : system.m_started)
            FUZZ_CHECK(started.m_bHasFolder == !strDrive.empty() && started.m_strFolder == strDrive);
        CheckStarts(system, strGiven);
    }

    // The copies: from the medium, into their target folders under their own names.
    CopyFileList(input.m_pieces[4], strMedium, CSystem::EReplace::Any);
    for (const auto& [strFrom, strTo] : system.m_copies)
    {
        FUZZ_CHECK(onMedium(strFrom));
        FUZZ_CHECK(!ClimbsAboveStart(strFrom.substr(strMedium.size())) && !HasDeviceComponent(strFrom));
        const std::string strName = NameOf(strTo);
        FUZZ_CHECK(strName == NameOf(strFrom));
        FUZZ_CHECK(!strName.empty() && strName != "." && strName != ".." && strName.find(':') == std::string::npos);
    }
    SetTheSystem(nullptr);
    return 0;
}
