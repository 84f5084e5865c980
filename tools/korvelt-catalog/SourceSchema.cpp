#include "tools/korvelt-catalog/SourceSchema.h"

#include "catalog/AppEntry.h"
#include "tools/korvelt-catalog/TextCodec.h"
#include "utils/DeviceNames.h"

#include <limits>
#include <map>
#include <stdexcept>

namespace {

using EPath = CSourceSchema::EPath;

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// What the tool knows about a key beyond its name and type, which come from the catalogue's own
// list of stored fields. The rows follow the entry file's order.
struct CAnnotation
{
    const char* m_pszName;
    EPath m_path;
    std::vector<int> m_examples;
    const char* m_pszDescription;
};

const CAnnotation kAnnotations[] = {
    {"m_strTitle", EPath::None, {}, "Application title: the list's first column."},
    {"m_strReserved", EPath::None, {}, "Stored and kept; the launcher does not use it."},
    {"m_strSubItemText", EPath::None, {}, "Description: the list's second column."},
    {"m_strTextFile", EPath::Medium, {},
     "Text file that the description button shows, from the medium's top folder (korvelt\\app.txt); empty: none."},
    {"m_strSetupDir", EPath::Medium, {},
     "Folder of the set-up program, from the root of the medium's drive (\\apps\\app); empty: the command is "
     "started as it is written."},
    {"m_strSetupCommand", EPath::MediumCommand, {},
     "Set-up program and its arguments, started in the set-up folder."},
    {"m_nCheckType", EPath::None, {0, 1, 2},
     "How the launcher tells that the application is installed: 0 registry key (m_strCheckKey), 1 Start-menu "
     "file (m_strCheckFile), any other value no check."},
    {"m_strCheckKey", EPath::Registry, {},
     "Registry key (HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER) whose existence means installed; may end in "
     "%OS%=95, %OS%=98 or %OS%=NT."},
    {"m_strCheckFile", EPath::StartMenu, {},
     "File below the Start-menu Programs folder whose existence means installed."},
    {"m_bAlwaysInstall", EPath::None, {0, 1}, "Not 0: set-up is always offered, removal never."},
    {"m_nReserved", EPath::None, {0}, "Stored and kept; the launcher does not use it."},
    {"m_bCanUninstall", EPath::None, {0, 1}, "Not 0: removal is offered once the application is installed."},
    {"m_nUninstallType", EPath::None, {0, 1},
     "Where the removal command comes from: 0 the UninstallString of m_strUninstallKey, 1 m_strUninstallCommand, "
     "any other value nowhere."},
    {"m_strUninstallKey", EPath::Registry, {},
     "Registry key that holds UninstallString, or the parent key searched when m_bSearchUninstallKey is set."},
    {"m_bSearchUninstallKey", EPath::None, {0, 1},
     "Not 0: the uninstall key is the subkey of m_strUninstallKey whose DisplayName is m_strDisplayName."},
    {"m_strDisplayName", EPath::None, {}, "DisplayName that identifies the uninstall key in a search."},
    {"m_strUninstallCommand", EPath::StartMenu, {},
     "Removal command of uninstall type 1: a path below the Start-menu Programs folder, or %DIRECT_FROM_CD%= "
     "followed by a program on the medium and its arguments."},
    {"m_bHasPrevRelease", EPath::None, {0, 1},
     "Not 0: the launcher also looks for the previous release that the m_...Prev... fields describe."},
    {"m_nPrevCheckType", EPath::None, {0, 1, 2}, "As m_nCheckType, for the previous release."},
    {"m_strPrevCheckKey", EPath::Registry, {}, "As m_strCheckKey, for the previous release."},
    {"m_strPrevCheckFile", EPath::StartMenu, {}, "As m_strCheckFile, for the previous release."},
    {"m_nPrevUninstallType", EPath::None, {0, 1}, "As m_nUninstallType, for the previous release."},
    {"m_strPrevUninstallKey", EPath::Registry, {}, "As m_strUninstallKey, for the previous release."},
    {"m_bPrevSearchUninstallKey", EPath::None, {0, 1}, "As m_bSearchUninstallKey, for the previous release."},
    {"m_strPrevDisplayName", EPath::None, {}, "As m_strDisplayName, for the previous release."},
    {"m_strPrevUninstallCommand", EPath::System, {},
     "Removal program of the previous release for uninstall type 1, on the user's system, used unchanged."},
    {"m_strInstallNotice", EPath::None, {}, "Shown before the set-up program starts; empty: none."},
    {"m_strUninstallNotice", EPath::None, {}, "Shown before removal; empty: none."},
    {"m_bPostInstallCopy", EPath::None, {0, 1}, "Not 0: the copy list is carried out once a set-up has installed."},
    {"m_strPostInstallCopyList", EPath::CopyList, {},
     "Lines of a file on the medium, \">\" and a folder on the user's system (\\korvelt\\read.txt>C:\\App)."},
    {"m_strPrevReleaseDate", EPath::None, {},
     "YEAR/MONTH/DAY: the previous release is there only when m_strPrevReleaseFile was last written before "
     "this day ended. Text that is no date from 1980/1/1 to 2107/12/31 means no previous release."},
    {"m_strPrevReleaseFile", EPath::System, {},
     "File on the user's system whose last-write time tells whether the previous release is there."},
};

const char* PathName(EPath path)
{
    switch (path)
    {
    case EPath::Catalogue: return "catalogue";
    case EPath::Medium: return "medium";
    case EPath::MediumCommand: return "medium-command";
    case EPath::StartMenu: return "start-menu";
    case EPath::Registry: return "registry";
    case EPath::System: return "system";
    case EPath::CopyList: return "copy-list";
    case EPath::None: break;
    }
    return "";
}

// Characters that no Windows file name holds, besides the control characters.
constexpr const char kNotInFileName[] = "\\/:*?\"<>|";

// The same rule as FileNameProblem's first two, for editors.
std::string FileNamePattern()
{
    std::string strClass;
    for (const char* p = kNotInFileName; *p; ++p)
        strClass += *p == '\\' ? std::string("\\\\") : std::string(1, *p);
    strClass += "\\x00-\\x1F";
    return "^[^" + strClass + "]*[^" + strClass + ". ]$";
}

std::string FoldAscii(std::string strUtf8)
{
    // UTF-8 never uses ASCII bytes inside a longer character, so this folds only letters A to Z.
    for (char& ch : strUtf8)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return strUtf8;
}

// The launcher opens the name inside the catalogue folder, and the medium is written on a file
// system that folds letter case: anything else could name a file elsewhere, or none.
std::string FileNameProblem(const std::string& strUtf8)
{
    if (strUtf8.empty())
        return "empty; leave the key out for a made-up name";
    for (const char ch : strUtf8)
        if (static_cast<unsigned char>(ch) < 0x20 || std::string(kNotInFileName).find(ch) != std::string::npos)
            return "not a plain file name (no folders, no \\ / : * ? \" < > | or control characters)";
    if (strUtf8.back() == '.' || strUtf8.back() == ' ')
        return "not a plain file name (Windows drops a final dot or blank)";
    const std::string strFolded = FoldAscii(strUtf8);
    if (IsDeviceName(strFolded))
        return "a device name on Windows, not a file";
    if (strFolded == "appdb.dat")
        return "the name of the catalogue's index";
    return std::string();
}

std::string ValueProblem(const CSourceSchema::CField& field, const nlohmann::ordered_json& value)
{
    if (field.m_bString)
    {
        if (!value.is_string())
            return "not a string";
        std::string strAnsi;
        if (!CTextCodec::Utf8ToCp932(value.get<std::string>(), strAnsi))
            return "a character has no code page 932 form";
        return std::string();
    }
    if (!value.is_number_integer())
        return "not an integer";
    // Read through int64_t, a value above 2^63 would wrap into the range.
    const bool bInRange = value.is_number_unsigned()
                              ? field.m_nMax >= 0 && value.get<uint64_t>() <= static_cast<uint64_t>(field.m_nMax)
                              : value.get<int64_t>() >= field.m_nMin && value.get<int64_t>() <= field.m_nMax;
    if (!bInRange)
        return "outside the range " + std::to_string(field.m_nMin) + " to " + std::to_string(field.m_nMax);
    return std::string();
}

std::vector<CSourceSchema::CField> MakeFields()
{
    std::vector<CSourceSchema::CField> fields;
    fields.push_back({CSourceSchema::kFileNameKey, true, 0, 0, EPath::Catalogue, 0, {},
                      "Name of the entry's file in the catalogue folder: a plain file name, not appdb.dat nor a "
                      "Windows device name, used by no other entry whatever the letter case. Missing: "
                      "entry<N>.app for the N-th entry."});
    constexpr int nAnnotations = static_cast<int>(sizeof(kAnnotations) / sizeof(kAnnotations[0]));
    static_assert(nAnnotations == CAppEntry::kStoredFieldCount, "one annotation per stored field");
    for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
    {
        const CAppEntry::CStoredField& stored = CAppEntry::StoredField(i);
        const CAnnotation& annotation = kAnnotations[i];
        if (std::string(stored.m_pszName) != annotation.m_pszName)
            throw std::logic_error(std::string("the source table names ") + annotation.m_pszName + " where the entry file stores " +
                                   stored.m_pszName);
        fields.push_back({stored.m_pszName, stored.m_bString, stored.m_bString ? 0 : kInt32Min,
                          stored.m_bString ? 0 : kInt32Max, annotation.m_path, i + 1, annotation.m_examples,
                          annotation.m_pszDescription});
    }
    return fields;
}

} // namespace

const std::vector<CSourceSchema::CField>& CSourceSchema::Fields()
{
    static const std::vector<CField> fields = MakeFields();
    return fields;
}

const CSourceSchema::CField* CSourceSchema::Find(const std::string& strName)
{
    for (const CField& field : Fields())
        if (field.m_strName == strName)
            return &field;
    return nullptr;
}

std::string CSourceSchema::EntryFileName(const nlohmann::ordered_json& entry, std::size_t nIndex)
{
    const auto it = entry.find(kFileNameKey);
    if (it != entry.end() && it->is_string())
        return it->get<std::string>();
    return "entry" + std::to_string(nIndex + 1) + ".app";
}

nlohmann::ordered_json CSourceSchema::Schema()
{
    nlohmann::ordered_json properties = nlohmann::ordered_json::object();
    for (const CField& field : Fields())
    {
        nlohmann::ordered_json property;
        property["description"] = field.m_strDescription;
        if (field.m_bString)
        {
            property["type"] = "string";
            if (field.m_path == EPath::Catalogue)
                property["pattern"] = FileNamePattern();
            else
                property["default"] = "";
            property["x-korvelt-encoding"] = "cp932";
            if (field.m_path != EPath::None)
                property["x-korvelt-path"] = PathName(field.m_path);
        }
        else
        {
            property["type"] = "integer";
            property["minimum"] = field.m_nMin;
            property["maximum"] = field.m_nMax;
            property["default"] = 0;
            property["examples"] = field.m_examples;
        }
        if (field.m_nFilePosition > 0)
            property["x-korvelt-field"] = field.m_nFilePosition;
        properties[field.m_strName] = std::move(property);
    }

    nlohmann::ordered_json entry;
    entry["type"] = "object";
    entry["description"] = "One application. A key left out is empty text or 0.";
    entry["properties"] = std::move(properties);
    entry["additionalProperties"] = false;

    nlohmann::ordered_json schema;
    schema["$schema"] = "http://json-schema.org/draft-07/schema#";
    schema["title"] = "Korvelt catalogue source";
    schema["description"] =
        "What korvelt-catalog build reads. Texts are written in UTF-8 and stored in code page 932 "
        "(x-korvelt-encoding); x-korvelt-path tells what a text names, x-korvelt-field its place in the entry file.";
    schema["type"] = "object";
    schema["required"] = {"entries"};
    schema["properties"]["$schema"] = {{"type", "string"}, {"description", "Where an editor finds this schema."}};
    schema["properties"]["entries"] = {{"type", "array"},
                                       {"description", "The applications, in the order of the launcher's list."},
                                       {"items", std::move(entry)}};
    return schema;
}

std::vector<std::string> CSourceSchema::Problems(const nlohmann::ordered_json& source)
{
    std::vector<std::string> problems;
    if (!source.is_object() || !source.contains("entries") || !source["entries"].is_array())
    {
        problems.push_back("the source must be an object with an \"entries\" array");
        return problems;
    }
    const nlohmann::ordered_json& entries = source["entries"];
    std::map<std::string, std::size_t> owners;  // folded file name, entry that has it
    for (std::size_t nIndex = 0; nIndex < entries.size(); ++nIndex)
    {
        const nlohmann::ordered_json& entry = entries[nIndex];
        std::string strLabel = "entry " + std::to_string(nIndex + 1);
        if (!entry.is_object())
        {
            problems.push_back(strLabel + ": not an object");
            continue;
        }
        const auto itName = entry.find(kFileNameKey);
        if (itName != entry.end() && itName->is_string())
            strLabel += " (" + itName->get<std::string>() + ")";
        const auto Add = [&](const std::string& strKey, const std::string& strProblem) {
            problems.push_back(strLabel + ", " + strKey + ": " + strProblem);
        };

        for (const CField& field : Fields())
        {
            const auto it = entry.find(field.m_strName);
            const bool bMadeUp = it == entry.end();
            if (bMadeUp && field.m_path != EPath::Catalogue)
                continue;
            std::string strProblem = bMadeUp ? std::string() : ValueProblem(field, *it);
            if (strProblem.empty() && field.m_path == EPath::Catalogue)
            {
                const std::string strName = EntryFileName(entry, nIndex);
                strProblem = FileNameProblem(strName);
                const auto owner = owners.emplace(FoldAscii(strName), nIndex);
                if (strProblem.empty() && !owner.second)
                    strProblem = (bMadeUp ? strName + ", made up for an entry without one, is" : std::string("already"))
                                 + " the file of entry " + std::to_string(owner.first->second + 1) +
                                 " (letter case aside)";
            }
            if (!strProblem.empty())
                Add(field.m_strName, strProblem);
        }
        for (const auto& item : entry.items())
            if (!Find(item.key()))
                Add(item.key(), "unknown key");
    }
    return problems;
}
