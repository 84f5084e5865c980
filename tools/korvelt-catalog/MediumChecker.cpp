#include "tools/korvelt-catalog/MediumChecker.h"

#include "catalog/AppCatalog.h"
#include "catalog/CatalogException.h"
#include "msgcat/MessageCatalog.h"
#include "res/MessageNumbers.h"
#include "sys/System.h"
#include "tools/korvelt-catalog/CatalogFolder.h"
#include "tools/korvelt-catalog/CollectingReporter.h"
#include "tools/korvelt-catalog/HostPath.h"
#include "tools/korvelt-catalog/MediumStarter.h"
#include "tools/korvelt-catalog/TextCodec.h"
#include "utils/AsciiText.h"
#include "unattend/SilentForm.h"
#include "unattend/UnattendFile.h"
#include "view/PostInstallCopy.h"

#include <vector>

namespace {

const char* CopySkipText(ECopySkip skip)
{
    switch (skip)
    {
    case ECopySkip::NoArrow: return "no \">\" between the source and the target folder";
    case ECopySkip::NoName: return "the source names no file";
    case ECopySkip::NameWithDrive: return "the file's name holds a \":\"";
    case ECopySkip::HalfCharacter: return "the target folder ends in half a double-byte character";
    case ECopySkip::LeavesMedium: return "the source leaves the medium";
    case ECopySkip::DeviceName: return "a device name on Windows, not a file";
    case ECopySkip::DevicePath: return "the target folder is a device path (\\\\.\\ or \\\\?\\), not a folder";
    case ECopySkip::TargetRelative: return "the target folder is not a full path";
    case ECopySkip::HoldsNul: return "the line holds a NUL byte";
    case ECopySkip::SourceMissing: return "the source is not on the medium";
    case ECopySkip::None: break;
    }
    return "";
}

} // namespace

std::string CMediumChecker::ProgramOf(const std::string& strCommand)
{
    const std::size_t nStart = strCommand.find_first_not_of(" \t");
    if (nStart == std::string::npos)
        return std::string();
    if (strCommand[nStart] == '"')
    {
        const std::size_t nEnd = strCommand.find('"', nStart + 1);
        return strCommand.substr(nStart + 1, nEnd == std::string::npos ? std::string::npos : nEnd - nStart - 1);
    }
    // As the launcher reads it: the shortest piece that ends in ".exe", ".msi" or ".msp" (a
    // program's name may hold blanks), else the text up to the first blank.
    for (std::size_t nEnd = strCommand.find_first_of(" \t", nStart);; nEnd = strCommand.find_first_of(" \t", nEnd + 1))
    {
        const std::string_view piece =
            std::string_view(strCommand).substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
        if (piece.find('"') != std::string_view::npos)
            break;
        for (const char* pszExtension : {".exe", ".msi", ".msp"})
            if (piece.size() > 4 && EqualsNoCaseAscii(piece.substr(piece.size() - 4), pszExtension))
                return std::string(piece);
        if (nEnd == std::string::npos)
            break;
    }
    const std::size_t nEnd = strCommand.find_first_of(" \t", nStart);
    return strCommand.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
}

int CMediumChecker::Run()
{
    CheckMessageFile();
    CheckCatalogue();
    CheckBitmap("instapp.bmp");
    CheckBitmap("instttl.bmp");
    CheckAutorun();
    // Nothing on the medium names the launcher's DLL: it is looked at only for a placeholder.
    std::string strBytes;
    if (TheSystem().ReadFile(m_strMedium + "\\tarven.dll", strBytes))
        NoteIfPlaceholder(m_strMedium + "\\tarven.dll", strBytes);
    return m_nProblems;
}

void CMediumChecker::Problem(const std::string& strText)
{
    m_out << strText << '\n';
    ++m_nProblems;
}

std::string CMediumChecker::OnMedium(const std::string& strPath) const
{
    std::string strRelative = strPath;
    if (strRelative.rfind(".\\", 0) == 0)
        strRelative.erase(0, 2);
    if (!strRelative.empty() && strRelative[0] == '\\')
        return m_strMedium + strRelative;
    return m_strMedium + "\\" + strRelative;
}

void CMediumChecker::CheckMessageFile()
{
    const std::string strPath = m_strMedium + "/KORVELT.MSG";
    std::string strContent;
    if (!CMessageCatalog::ReadWholeFile(strPath.c_str(), strContent))
    {
        Problem("KORVELT.MSG: cannot be read");
        return;
    }
    CMessageCatalog messages;
    messages.SetMessageFile(strPath.c_str());
    const CMessageList* pList = messages.GetCurrentList();
    for (int nNumber : kUsedMessageNumbers)
        if (!pList || !pList->Find(nNumber))
            Problem("KORVELT.MSG: message " + std::to_string(nNumber) + " is not defined");
}

void CMediumChecker::CheckCatalogue()
{
    CAppCatalog catalog;
    CCollectingReporter reporter;
    bool bFound = true;
    try
    {
        bFound = CCatalogFolder::Load(catalog, reporter, m_strMedium + "\\korvelt");
    }
    catch (const CCatalogException& e)
    {
        Problem(std::string("korvelt: catalogue read error: ") + e.what());
    }
    if (!bFound)
        Problem("korvelt: no catalogue (neither appdb.dat nor any *.app file)");
    for (int nMessage : reporter.m_messages)
        Problem("korvelt: message " + std::to_string(nMessage) + " (catalogue index or entry file unreadable)");
    const CUnattendFile unattend = CUnattendFile::Read(m_strMedium + "\\korvelt\\unattend.ini");
    for (int n = 1; n <= catalog.GetCount(); ++n)
        CheckEntry(n, *catalog.GetAt(n), unattend);
}

bool CMediumChecker::IsProgramOnMedium(const std::string& strPath)
{
    std::string strBytes;
    // Process creation adds ".exe" to a program named without an extension.
    const std::size_t nSlash = strPath.find_last_of("\\/");
    const bool bHasExtension = strPath.find('.', nSlash == std::string::npos ? 0 : nSlash) != std::string::npos;
    std::string strFound = strPath;
    if (!TheSystem().ReadFile(strFound, strBytes))
    {
        strFound += ".exe";
        if (bHasExtension || !TheSystem().ReadFile(strFound, strBytes))
            return false;
    }
    NoteIfPlaceholder(strFound, strBytes);
    return true;
}

const char* CMediumChecker::NotStartable(const std::string& strPath)
{
    // What the process creation starts (a program, or a batch file through the command
    // interpreter) and what msiexec opens (a compound file named as a package or patch).
    static const char kCompoundFile[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    std::string strBytes;
    std::string strFound = strPath;
    if (!TheSystem().ReadFile(strFound, strBytes))
        TheSystem().ReadFile(strFound += ".exe", strBytes);
    const auto endsIn = [&strFound](const char* pszExtension) {
        const std::size_t nLength = std::char_traits<char>::length(pszExtension);
        return strFound.size() > nLength && EqualsNoCaseAscii(std::string_view(strFound).substr(strFound.size() - nLength), pszExtension);
    };
    const bool bPackageName = endsIn(".msi") || endsIn(".msp");
    const bool bCompound = strBytes.compare(0, sizeof kCompoundFile - 1, kCompoundFile) == 0;
    if (bPackageName)
        return bCompound ? nullptr : "is named as a Windows Installer package but is none";
    if (CMediumStarter::IsPlaceholder(strBytes) || strBytes.compare(0, 2, "MZ") == 0 || endsIn(".bat") || endsIn(".cmd"))
        return nullptr;
    return bCompound ? "is a Windows Installer package without the name of one (.msi, .msp)"
                     : "is neither a program nor a Windows Installer package";
}

void CMediumChecker::NoteIfPlaceholder(const std::string& strPath, const std::string& strBytes)
{
    if (CMediumStarter::IsPlaceholder(strBytes) && m_placeholders.insert(strPath).second)
        m_notes << "note: " << HostPath(CTextCodec::PrintableUtf8(strPath.substr(m_strMedium.size() + 1)))
                << " is a placeholder; put the real program there\n";
}

// A disc's autorun.inf starts a program and shows an icon from the disc: both must be there.
void CMediumChecker::CheckAutorun()
{
    std::string strBytes;
    if (!TheSystem().ReadFile(m_strMedium + "\\autorun.inf", strBytes))
        return;
    bool bInSection = false;
    std::size_t nPos = 0;
    for (std::string_view line; NextTrimmedLine(strBytes, nPos, line);)
    {
        if (!line.empty() && line.front() == '[')
        {
            bInSection = EqualsNoCaseAscii(line, "[autorun]");
            continue;
        }
        const std::size_t nEquals = line.find('=');
        if (!bInSection || nEquals == std::string_view::npos)
            continue;
        const std::string_view key = Trim(line.substr(0, nEquals));
        const std::string strValue(Trim(line.substr(nEquals + 1)));
        std::string strFile;
        if (EqualsNoCaseAscii(key, "open"))
            strFile = ProgramOf(strValue);
        else if (EqualsNoCaseAscii(key, "icon"))
            strFile = strValue.substr(0, strValue.find(','));  // "file,index"
        else
            continue;
        if (strFile.empty() || !IsProgramOnMedium(OnMedium(strFile)))
            Problem("autorun.inf: " + std::string(key) + "=" + HostPath(CTextCodec::PrintableUtf8(strFile)) +
                    " names no file on the medium");
    }
}

void CMediumChecker::CheckEntry(int nNumber, const CAppEntry& entry, const CUnattendFile& unattend)
{
    const std::string strLabel =
        "korvelt: entry " + std::to_string(nNumber) + " (" + CTextCodec::PrintableUtf8(entry.GetFileName()) + ")";
    std::string strBytes;
    if (!entry.GetTextFile().empty() && !TheSystem().ReadFile(OnMedium(entry.GetTextFile()), strBytes))
        Problem(strLabel + ": text file " + HostPath(CTextCodec::PrintableUtf8(entry.GetTextFile())) +
                " cannot be read");
    CheckCopyList(strLabel, entry);

    const std::string strProgram = ProgramOf(entry.GetSetupCommand());
    if (strProgram.empty())
    {
        Problem(strLabel + ": no set-up command");
        return;
    }
    const std::string strPath = entry.GetSetupDir().empty() ? OnMedium(strProgram)
                                                             : OnMedium(entry.GetSetupDir()) + "\\" + strProgram;
    const std::string strShown = HostPath(CTextCodec::PrintableUtf8(strPath.substr(m_strMedium.size())));
    if (!IsProgramOnMedium(strPath))
    {
        Problem(strLabel + ": set-up program " + strShown + " not found");
        return;
    }
    if (const char* pszWhy = NotStartable(strPath))
        Problem(strLabel + ": set-up program " + strShown + " " + pszWhy);
    else
        NoteSilentForms(strLabel, entry, unattend);
}

void CMediumChecker::NoteSilentForms(const std::string& strLabel, const CAppEntry& entry,
                                     const CUnattendFile& unattend)
{
    CAppCatalog catalog;
    catalog.SetMediumFolder(m_strMedium);
    const CSilentForm form = SilentSetupForm(entry, catalog, unattend, CSilentSwitches());
    // Paths on the medium as the catalogue writes them, from its root.
    std::string strCommand = form.m_command.m_strCommand;
    for (std::size_t nAt; (nAt = strCommand.find(m_strMedium)) != std::string::npos;)
        strCommand.erase(nAt, m_strMedium.size());
    if (form.m_bKnown)
        m_notes << "note: " << strLabel << ": unattended set-up (" << form.m_strHow
                << "): " << CTextCodec::PrintableUtf8(strCommand) << '\n';
    else
        m_notes << "note: " << strLabel << ": no unattended set-up: its kind is " << form.m_strHow
                << "; korvelt\\unattend.ini can give one\n";
    std::string strRemoval;
    if (unattend.Find(EntryName(entry), "uninstall", strRemoval))
        m_notes << "note: " << strLabel << ": unattended removal (unattend.ini): " << CTextCodec::PrintableUtf8(strRemoval)
                << '\n';
}

void CMediumChecker::CheckCopyList(const std::string& strLabel, const CAppEntry& entry)
{
    // The launcher copies the list only of an entry that asks for the copy.
    if (!entry.IsPostInstallCopy())
        return;
    const std::vector<CCopyLine> lines = ParseCopyList(entry.GetPostInstallCopyList());
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        ECopySkip skip = lines[i].m_skip;
        std::string strBytes;
        if (skip == ECopySkip::None && !TheSystem().ReadFile(PathOnMedium(m_strMedium, lines[i].m_strSource), strBytes))
            skip = ECopySkip::SourceMissing;
        if (skip != ECopySkip::None)
            Problem(strLabel + ": copy list line " + std::to_string(i + 1) + " (\"" +
                    CTextCodec::PrintableUtf8(lines[i].m_strLine) + "\"): " + CopySkipText(skip));
    }
}

void CMediumChecker::CheckBitmap(const char* pszName)
{
    std::string strBytes;
    const std::string strPath = m_strMedium + "\\korvelt\\" + pszName;
    const std::string strShown = std::string("korvelt") + kHostSeparator + pszName;
    if (!TheSystem().ReadFile(strPath, strBytes))
        Problem(strShown + ": cannot be read");
    else if (strBytes.compare(0, 2, "BM") != 0)
        Problem(strShown + ": not a bitmap file");
}
