#include "CatalogJson.h"

#include "AppList.h"
#include "ArchiveWriter.h"
#include "HostPath.h"
#include "System.h"
#include "TextCodec.h"

#include <filesystem>
#include <limits>
#include <set>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

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

int FieldIndex(const std::string& strKey)
{
    for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
        if (strKey == CAppEntry::StoredField(i).m_pszName)
            return i;
    return -1;
}

// A plain file name: the launcher opens it inside the catalogue folder and nowhere else.
bool IsPlainFileName(const std::string& strName)
{
    return !strName.empty() && strName != "." && strName != ".." &&
           strName.find_first_of("\\/:") == std::string::npos;
}

// The output folder and its parents, as any tool with an output folder does.
void MakeFolders(const std::string& strDir)
{
#ifdef _WIN32
    // The command line comes in the ANSI code page; a narrow path would be read as UTF-8.
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, strDir.c_str(), -1, nullptr, 0);
    std::wstring strWide(nChars > 0 ? static_cast<std::size_t>(nChars) : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, strDir.c_str(), -1, &strWide[0], nChars);
    strWide.resize(strWide.size() - 1);
    const std::filesystem::path path(strWide);
#else
    const std::filesystem::path path(strDir);
#endif
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec)
        throw std::runtime_error("cannot create folder " + strDir + ": " + ec.message());
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
        if (!CTextCodec::AnsiToUtf8(entry.GetFileName(), strUtf8))
            Fail(nIndex, "", kFileNameKey, "not valid code page 932");
        const std::string strName = strUtf8;
        object[kFileNameKey] = strUtf8;
        for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
        {
            const CAppEntry::CStoredField& field = CAppEntry::StoredField(i);
            if (!field.m_bString)
            {
                object[field.m_pszName] = entry.GetStoredInt(i);
                continue;
            }
            if (!CTextCodec::AnsiToUtf8(entry.GetStoredString(i), strUtf8))
                Fail(nIndex, strName, field.m_pszName, "not valid code page 932");
            object[field.m_pszName] = strUtf8;
        }
        entries.push_back(std::move(object));
    }
    nlohmann::ordered_json result;
    result["entries"] = std::move(entries);
    return result;
}

void CCatalogJson::Build(const nlohmann::json& source, const std::string& strDir)
{
    if (!source.is_object() || !source.contains("entries") || !source["entries"].is_array())
        throw std::runtime_error("the source must be an object with an \"entries\" array");
    const nlohmann::json& entries = source["entries"];

    std::vector<std::string> names;
    std::vector<std::string> files;
    std::set<std::string> seen;
    for (std::size_t nIndex = 0; nIndex < entries.size(); ++nIndex)
    {
        const nlohmann::json& object = entries[nIndex];
        if (!object.is_object())
            Fail(nIndex, "", "entry", "not an object");

        std::string strName = "entry" + std::to_string(nIndex + 1) + ".app";
        std::string strLabel;
        if (object.contains(kFileNameKey))
        {
            const nlohmann::json& value = object[kFileNameKey];
            if (!value.is_string())
                Fail(nIndex, "", kFileNameKey, "not a string");
            strLabel = value.get<std::string>();
            if (!CTextCodec::Utf8ToAnsi(strLabel, strName))
                Fail(nIndex, strLabel, kFileNameKey, "a character has no code page 932 form");
        }
        if (!IsPlainFileName(strName))
            Fail(nIndex, strLabel, kFileNameKey, "not a plain file name");
        if (!seen.insert(strName).second)
            Fail(nIndex, strLabel, kFileNameKey, "used by an earlier entry");

        for (const auto& item : object.items())
            if (item.key() != kFileNameKey && FieldIndex(item.key()) < 0)
                Fail(nIndex, strLabel, item.key(), "unknown key");

        CArchiveWriter writer;
        for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
        {
            const CAppEntry::CStoredField& field = CAppEntry::StoredField(i);
            const bool bPresent = object.contains(field.m_pszName);
            const nlohmann::json& value = bPresent ? object[field.m_pszName] : nlohmann::json();
            if (field.m_bString)
            {
                std::string strAnsi;
                if (bPresent)
                {
                    if (!value.is_string())
                        Fail(nIndex, strLabel, field.m_pszName, "not a string");
                    if (!CTextCodec::Utf8ToAnsi(value.get<std::string>(), strAnsi))
                        Fail(nIndex, strLabel, field.m_pszName, "a character has no code page 932 form");
                }
                writer.WriteString(strAnsi);
            }
            else
            {
                int64_t nValue = 0;
                if (bPresent)
                {
                    if (!value.is_number_integer())
                        Fail(nIndex, strLabel, field.m_pszName, "not an integer");
                    nValue = value.get<int64_t>();
                    if (nValue < std::numeric_limits<int32_t>::min() || nValue > std::numeric_limits<int32_t>::max())
                        Fail(nIndex, strLabel, field.m_pszName, "outside the 32-bit range");
                }
                writer.WriteInt32(static_cast<int32_t>(nValue));
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
