#include "tools/korvelt-catalog/MediumStatus.h"

#include "catalog/AppCatalog.h"
#include "catalog/AppChecks.h"
#include "catalog/AppEntry.h"
#include "catalog/CheckContext.h"
#include "catalog/CheckObserver.h"
#include "msgcat/MessageCatalog.h"
#include "res/MessageNumbers.h"
#include "sys/System.h"
#include "tools/korvelt-catalog/CatalogFolder.h"
#include "tools/korvelt-catalog/CollectingReporter.h"
#include "tools/korvelt-catalog/EvidenceRecorder.h"
#include "tools/korvelt-catalog/TextCodec.h"
#include "utils/Cp932.h"
#include "view/EntryActions.h"
#include "view/LaunchCommands.h"

#include <filesystem>
#include <stdexcept>

namespace {

using json = nlohmann::ordered_json;

std::string Str(const json& value)
{
    return value.is_string() ? value.get<std::string>() : std::string();
}

json Message(const CMessageCatalog& messages, int nNumber)
{
    return {{"message", nNumber}, {"text", CTextCodec::PrintableUtf8(messages.LoadMessage(nNumber))}};
}

json EvaluateEntry(int nNumber, CAppEntry& entry, CAppCatalog& catalog, const CMessageCatalog& messages,
                   CEvidenceRecorder& recorder)
{
    recorder.Take();
    entry.RefreshState(catalog.GetCheckContext());
    const CEntryActions actions = CEntryActions::For(&entry, false);
    const int nStatus = StatusMessageFor(entry.IsInstalled() != 0, entry.IsPrevReleaseFound() != 0);
    json item = {{"number", nNumber},
                 {"file", CTextCodec::PrintableUtf8(entry.GetFileName())},
                 {"title", CTextCodec::PrintableUtf8(entry.GetTitle())},
                 {"status", nStatus != 0 ? Message(messages, nStatus) : json()},
                 {"buttons", {{"setup", actions.m_bSetup}, {"uninstall", actions.m_bUninstall},
                              {"textFile", actions.m_bTextFile}}},
                 {"checks", recorder.Take()}};

    // The lines as the start takes them: a program path with a space comes quoted.
    const CSetupCommand setup = ComposeSetupCommand(entry, catalog);
    item["setup"] = {{"commandLine", CTextCodec::PrintableUtf8(QuoteProgramPath(setup.m_strCommand))},
                     {"folder", CTextCodec::PrintableUtf8(setup.m_strFolder)}};
    if (entry.CanUninstall() == 0)
    {
        item["removal"] = nullptr;
        return item;
    }
    const bool bPrevious = entry.IsPrevReleaseFound() != 0;
    const int32_t nType = bPrevious ? entry.GetPrevUninstallType() : entry.GetUninstallType();
    const std::string strCommand = ComposeUninstallCommand(entry, catalog);
    item["removal"] = {{"release", bPrevious ? "previous" : "current"},
                       {"type", nType},
                       {"commandLine", CTextCodec::PrintableUtf8(QuoteProgramPath(strCommand))},
                       {"folder", CTextCodec::PrintableUtf8(DriveOfCommand(strCommand))},
                       {"from", recorder.Take()}};
    return item;
}

std::string PlaceText(const json& look)
{
    std::string strText = Str(look["root"]);
    if (look.contains("view"))
        strText += ", " + Str(look["view"]) + " view";
    return strText;
}

std::string ReleaseDateText(const json& look)
{
    std::string strText = "previous-release date \"" + Str(look["releaseDate"]) + "\" against " +
                          Str(look["referenceFile"]) + ": ";
    if (!look["validDate"].get<bool>())
        return strText + "not a date from 1980/1/1 to 2107/12/31, so no previous release";
    if (!look["fileFound"].get<bool>())
        return strText + "no such file, so no previous release";
    strText += "written " + Str(look["written"]) + ", ";
    return strText + (look["older"].get<bool>() ? "before " : "not before ") + Str(look["before"]);
}

// One look of a check as a line.
std::string LookText(const json& look)
{
    if (look.contains("qualifier"))
        return Str(look["key"]) + ": " +
               (Str(look["qualifier"]) == "none" ? std::string("its %OS%= names no platform and is ignored")
                                                 : "%OS%=" + Str(look["qualifier"]) +
                                                       (look["excluded"].get<bool>() ? " excludes it here"
                                                                                     : " holds here"));
    if (look.contains("releaseDate"))
        return ReleaseDateText(look);
    if (look.contains("uninstallString"))
        return "UninstallString of " + Str(look["key"]) + " (" + PlaceText(look) + "): " +
               (look["uninstallString"].is_null() ? std::string("none") : Str(look["uninstallString"]));
    if (look.contains("displayName"))
        return "DisplayName \"" + Str(look["displayName"]) + "\" below " + Str(look["under"]) + ": " +
               (look["found"].is_null() ? std::string("no such key") : Str(look["found"]) + " (" + PlaceText(look) + ")");
    if (look.contains("startMenu"))
        return Str(look["path"]) + " (" + Str(look["startMenu"]) + "): " +
               (look["exists"].get<bool>() ? "found" : "missing");
    return Str(look["key"]) + " (" + PlaceText(look) + "): " + (look["exists"].get<bool>() ? "found" : "missing");
}

// A check's kind as it starts: "registry key (type 0)", or a type that is no check.
std::string CheckText(const json& look)
{
    const int nType = look["type"].get<int>();
    if (nType == 0 || nType == 1)
        return Str(look["check"]) + " (type " + std::to_string(nType) + ")";
    return "type " + std::to_string(nType) + " is no check; the installed flag stays as stored";
}

// Each step's title, then its looks one level deeper.
void WriteLooks(const json& steps, const std::string& strIndent, std::ostream& out)
{
    static const struct
    {
        const char* pszStep;
        const char* pszTitle;
    } kSteps[] = {
        {"previousRelease", "previous release"},
        {"installed", "installed check"},
        {"uninstallString", "from the registry"},
        {"uninstallPath", "from the Start menu"},
    };
    for (const auto& step : kSteps)
    {
        if (!steps.contains(step.pszStep))
            continue;
        out << strIndent << step.pszTitle;
        bool bFirst = true;
        bool bColonDue = true;
        for (const json& look : steps[step.pszStep])
        {
            if (look.contains("check"))
            {
                out << (bFirst ? ", " : "\n" + strIndent + "  then ") << CheckText(look);
                bFirst = false;
                bColonDue = true;
                continue;
            }
            if (bColonDue)
                out << ':';
            out << '\n' << strIndent << "  " << LookText(look);
            bFirst = false;
            bColonDue = false;
        }
        out << '\n';
    }
}

// "D:", "D:\" or a relative path that names the current drive's root. Anything else (a folder,
// a UNC path, a path that cannot be made whole) is not.
bool IsDriveRoot(const std::string& strMedium)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(strMedium, error);
    return !error && full.has_root_name() && full.root_name().string().size() == 2 && full.relative_path().empty();
}

std::string FolderText(const json& folder)
{
    return Str(folder).empty() ? std::string("the launcher's current folder") : Str(folder);
}

} // namespace

std::string CMediumStatus::MediumFolder() const
{
    // The launcher reads the catalogue of its current folder, and set-ups and copy sources come
    // from there: the medium's full path, without a final separator.
    std::string strMedium = m_strMedium;
    const bool bFull = (strMedium.size() >= 2 && strMedium[1] == ':') || strMedium.rfind("\\\\", 0) == 0;
    if (!bFull)
    {
        std::error_code error;
        const std::filesystem::path full = std::filesystem::absolute(strMedium, error);
        if (!error)
            strMedium = full.string();
    }
    while (strMedium.size() > 1 &&
           (strMedium.back() == '/' || FindLastBackslash(strMedium) == strMedium.size() - 1))
        strMedium.pop_back();
    return strMedium;
}

nlohmann::ordered_json CMediumStatus::Evaluate()
{
    CMessageCatalog messages;
    messages.SetMessageFile((m_strMedium + "\\KORVELT.MSG").c_str());
    CSystem& sys = TheSystem();
    CEvidenceRecorder recorder(sys.IsWow64());
    CCheckContext context;
    context.m_strStartMenuPrograms = messages.LoadMessage(MSG_STARTMENU_PROGRAMS);
    context.m_pObserver = &recorder;

    CCollectingReporter reporter;
    CAppCatalog catalog;
    catalog.SetCheckContext(context);
    if (!CCatalogFolder::Load(catalog, reporter, m_strMedium + "\\korvelt"))
        throw std::runtime_error("no catalogue (neither korvelt\\appdb.dat nor any korvelt\\*.app file)");
    catalog.SetMediumFolder(MediumFolder());
    catalog.UpdateSourceDrive();

    const COsVersion version = sys.GetOsVersion();
    json status = {
        {"medium", CTextCodec::PrintableUtf8(m_strMedium)},
        {"sourceDrive", CTextCodec::PrintableUtf8(catalog.GetSourceDrive())},
        {"atDriveRoot", IsDriveRoot(m_strMedium)},
        {"system",
         {{"platform", GetPlatform() == PLATFORM_WIN95 ? "Windows 95/98" : "Windows NT"},
          {"version", std::to_string(version.m_nMajor) + "." + std::to_string(version.m_nMinor)},
          {"wow64", sys.IsWow64()}}},
        {"labels", {{"setup", CTextCodec::PrintableUtf8(messages.LoadMessage(MSG_BUTTON_SETUP))},
                    {"uninstall", CTextCodec::PrintableUtf8(messages.LoadMessage(MSG_BUTTON_UNINSTALL))},
                    {"textFile", CTextCodec::PrintableUtf8(messages.LoadMessage(MSG_BUTTON_TEXTFILE))}}},
        {"reported", json::array()},
        {"entries", json::array()}};
    for (int nMessage : reporter.m_messages)
        status["reported"].push_back(Message(messages, nMessage));
    for (int n = 1; n <= catalog.GetCount(); ++n)
        status["entries"].push_back(EvaluateEntry(n, *catalog.GetAt(n), catalog, messages, recorder));
    return status;
}

void CMediumStatus::WriteText(const nlohmann::ordered_json& status, std::ostream& out)
{
    const json& system = status["system"];
    out << Str(status["medium"]) << " on " << Str(system["platform"]) << ' ' << Str(system["version"])
        << (system["wow64"].get<bool>() ? " (32-bit program on 64-bit Windows)" : "") << "; source drive "
        << (Str(status["sourceDrive"]).empty() ? std::string("none") : Str(status["sourceDrive"])) << '\n';
    for (const json& message : status["reported"])
        out << "reading reported message " << message["message"].get<int>() << ": " << Str(message["text"]) << '\n';
    const json& labels = status["labels"];
    for (const json& entry : status["entries"])
    {
        out << '\n' << entry["number"].get<int>() << ". " << Str(entry["file"]) << ": " << Str(entry["title"]) << '\n';
        out << "  status: "
            << (entry["status"].is_null() ? std::string("(none)")
                                          : Str(entry["status"]["text"]) + " (message " +
                                                std::to_string(entry["status"]["message"].get<int>()) + ")")
            << '\n';
        out << "  buttons:";
        for (const char* pszButton : {"setup", "uninstall", "textFile"})
            out << ' ' << Str(labels[pszButton]) << (entry["buttons"][pszButton].get<bool>() ? " on" : " off")
                << (pszButton[0] == 't' ? "\n" : ",");
        WriteLooks(entry["checks"], "  ", out);
        const json& setup = entry["setup"];
        out << "  set-up: " << Str(setup["commandLine"]) << "\n    in " << FolderText(setup["folder"]) << '\n';
        const json& removal = entry["removal"];
        if (removal.is_null())
        {
            out << "  removal: none (m_bCanUninstall is 0)\n";
            continue;
        }
        out << "  removal of the " << Str(removal["release"]) << " release (type " << removal["type"].get<int>()
            << "): "
            << (Str(removal["commandLine"]).empty() ? std::string("nothing to start (a click reports message 29)")
                                                    : Str(removal["commandLine"]) + "\n    in " +
                                                          FolderText(removal["folder"]))
            << '\n';
        if (removal["from"].empty() && removal["type"].get<int>() == 1)
            out << "    from the catalogue's "
                << (Str(removal["release"]) == "previous" ? "m_strPrevUninstallCommand" : "m_strUninstallCommand") << '\n';
        WriteLooks(removal["from"], "    ", out);
    }
}
