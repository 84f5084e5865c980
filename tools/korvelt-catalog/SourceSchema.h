// The catalogue source's rules in one table: every key an entry may hold, its JSON type, an
// integer's range, and what a text is to the launcher (code page 932 text, a path on the medium,
// a registry key, ...). The JSON Schema that `schema` prints and the checks that `build` makes are
// both made from this table, so an editor and the tool never disagree about a key.
#ifndef KORVELT_TOOLS_SOURCESCHEMA_H
#define KORVELT_TOOLS_SOURCESCHEMA_H

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

class CSourceSchema
{
public:
    // What a text names, for editors and readers of the schema ("x-korvelt-path").
    enum class EPath
    {
        None,
        Catalogue,      // a file of the catalogue folder
        Medium,         // a file or folder on the medium
        MediumCommand,  // a command whose program lies on the medium
        StartMenu,      // below the Start-menu Programs folder
        Registry,       // a registry key
        System,         // a file on the user's system
        CopyList,       // lines of "file on the medium>folder on the user's system"
    };

    struct CField
    {
        std::string m_strName;
        bool m_bString;          // code page 932 text, else a 32-bit integer or flag
        int64_t m_nMin;          // integers only
        int64_t m_nMax;
        EPath m_path;
        int m_nFilePosition;     // 1 to 32 in the entry file; 0 for the file name, which the index holds
        std::vector<int> m_examples;  // integers only: the values that mean something
        std::string m_strDescription;
    };

    static constexpr const char* kFileNameKey = "m_strFileName";

    // The file name first, then the entry file's stored fields in file order.
    static const std::vector<CField>& Fields();
    static const CField* Find(const std::string& strName);

    // A JSON Schema (draft-07) of the source that `build` reads.
    static nlohmann::ordered_json Schema();

    // Every problem of a source, one text each ("entry 2 (b.app), m_strTitle: not a string"), in
    // entry order; empty when the source may be built.
    static std::vector<std::string> Problems(const nlohmann::ordered_json& source);

    // The file name an entry gets, in UTF-8: its m_strFileName, else "entry<N>.app".
    static std::string EntryFileName(const nlohmann::ordered_json& entry, std::size_t nIndex);
};

#endif
