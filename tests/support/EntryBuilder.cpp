#include "tests/support/EntryBuilder.h"

#include "catalog/ArchiveReader.h"
#include "catalog/ArchiveWriter.h"
#include "tests/support/TempDir.h"

std::string MakeEntryBytes(const std::map<std::string, std::string>& strings,
                           const std::map<std::string, int32_t>& ints)
{
    CArchiveWriter writer;
    for (int i = 0; i < CAppEntry::kStoredFieldCount; ++i)
    {
        const CAppEntry::CStoredField& field = CAppEntry::StoredField(i);
        if (field.m_bString)
        {
            const auto it = strings.find(field.m_pszName);
            writer.WriteString(it == strings.end() ? std::string() : it->second);
        }
        else
        {
            const auto it = ints.find(field.m_pszName);
            writer.WriteInt32(it == ints.end() ? 0 : it->second);
        }
    }
    return writer.GetBytes();
}

std::unique_ptr<CAppEntry> MakeEntry(const std::map<std::string, std::string>& strings,
                                     const std::map<std::string, int32_t>& ints)
{
    CArchiveReader reader(MakeEntryBytes(strings, ints));
    auto pEntry = std::make_unique<CAppEntry>();
    pEntry->Serialize(reader);
    return pEntry;
}

void WriteCatalogFolder(const CTempDir& dir, std::string_view folder, const std::vector<CEntryFields>& entries)
{
    const std::string strFolder(folder);
    CArchiveWriter index;
    index.WriteUInt32(static_cast<uint32_t>(entries.size()));
    int n = 0;
    for (const CEntryFields& entry : entries)
    {
        ++n;
        // The entry file's name is the index's, not a stored field.
        std::map<std::string, std::string> strings = entry.strings;
        const auto named = strings.find("m_strFileName");
        const std::string strName = named != strings.end() ? named->second : "entry" + std::to_string(n) + ".app";
        if (named != strings.end())
            strings.erase(named);
        index.WriteString(strName);
        dir.Write(strFolder + "/" + strName, MakeEntryBytes(strings, entry.ints));
    }
    dir.Write(strFolder + "/appdb.dat", index.GetBytes());
}
