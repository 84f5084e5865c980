#include "tools/korvelt-catalog/CatalogJson.h"

#include "catalog/AppList.h"
#include "catalog/ArchiveWriter.h"
#include "sys/System.h"
#include "tools/korvelt-catalog/HostPath.h"
#include "tools/korvelt-catalog/SourceSchema.h"
#include "tools/korvelt-catalog/TextCodec.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

std::string EntryLabel(std::size_t nIndex, const std::string& strName)
{
    return "entry " + std::to_string(nIndex + 1) + (strName.empty() ? "" : " (" + strName + ")");
}

[[noreturn]] void Fail(std::size_t nIndex, const std::string& strName, const std::string& strField,
                       const std::string& strProblem)
{
    throw std::runtime_error(EntryLabel(nIndex, strName) + ", " + strField + ": " + strProblem);
}

} // namespace

nlohmann::ordered_json CCatalogJson::Dump(const CAppList& list)
{
    nlohmann::ordered_json entries = nlohmann::ordered_json::array();
    for (int n = 1; n <= list.GetCount(); ++n)
    {
        const CAppEntry& entry = *list.GetAt(n);
        const std::size_t nIndex = static_cast<std::size_t>(n - 1);
        nlohmann::ordered_json object;
        std::string strUtf8;
        if (!CTextCodec::Cp932ToUtf8(entry.GetFileName(), strUtf8))
            Fail(nIndex, "", CSourceSchema::kFileNameKey, "not valid code page 932");
        const std::string strName = strUtf8;
        object[CSourceSchema::kFileNameKey] = strUtf8;
        for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
        {
            const CAppEntry::CStoredField& field = CAppEntry::StoredField(i);
            if (!field.m_bString)
            {
                object[field.m_pszName] = entry.GetStoredInt(i);
                continue;
            }
            if (!CTextCodec::Cp932ToUtf8(entry.GetStoredString(i), strUtf8))
                Fail(nIndex, strName, field.m_pszName, "not valid code page 932");
            object[field.m_pszName] = strUtf8;
        }
        entries.push_back(std::move(object));
    }
    nlohmann::ordered_json result;
    result["entries"] = std::move(entries);
    return result;
}

// As any tool with an output folder does.
void CCatalogJson::MakeFolders(const std::string& strDir)
{
    const std::filesystem::path path = FileSystemPath(strDir);
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec)
        throw std::runtime_error("cannot create folder " + strDir + ": " + ec.message());
}

void CCatalogJson::Build(const nlohmann::ordered_json& source, const std::string& strDir)
{
    std::vector<std::string> problems = CSourceSchema::Problems(source);
    if (!problems.empty())
        throw CSourceProblems(std::move(problems));

    // The source is whole from here on: every conversion below has been tried by the check.
    const nlohmann::ordered_json& entries = source["entries"];
    std::vector<std::string> names;
    std::vector<std::string> files;
    for (std::size_t nIndex = 0; nIndex < entries.size(); ++nIndex)
    {
        const nlohmann::ordered_json& object = entries[nIndex];
        std::string strName;
        if (!CTextCodec::Utf8ToCp932(CSourceSchema::EntryFileName(object, nIndex), strName))
            Fail(nIndex, "", CSourceSchema::kFileNameKey, "a character has no code page 932 form");
        CArchiveWriter writer;
        for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
        {
            const CAppEntry::CStoredField& field = CAppEntry::StoredField(i);
            const auto it = object.find(field.m_pszName);
            if (field.m_bString)
            {
                std::string strAnsi;
                if (it != object.end() && !CTextCodec::Utf8ToCp932(it->get<std::string>(), strAnsi))
                    Fail(nIndex, "", field.m_pszName, "a character has no code page 932 form");
                writer.WriteString(strAnsi);
            }
            else
            {
                writer.WriteInt32(it != object.end() ? static_cast<int32_t>(it->get<int64_t>()) : 0);
            }
        }
        names.push_back(strName);
        files.push_back(writer.GetBytes());
    }

    MakeFolders(strDir);
    CArchiveWriter index;
    index.WriteUInt32(static_cast<uint32_t>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        index.WriteString(names[i]);
        const std::string strPath = strDir + kHostSeparator + names[i];
        if (!TheSystem().WriteFile(strPath, files[i]))
            throw std::runtime_error("cannot write " + strPath);
    }
    const std::string strIndexPath = strDir + kHostSeparator + "appdb.dat";
    if (!TheSystem().WriteFile(strIndexPath, index.GetBytes()))
        throw std::runtime_error("cannot write " + strIndexPath);
}
