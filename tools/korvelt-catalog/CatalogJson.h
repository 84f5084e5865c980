// Turns a loaded catalogue into the tool's JSON shape and builds catalogue files from it:
// {"entries": [{"m_strFileName": ..., "m_strTitle": ..., ...}, ...]}, keys named after the
// entry's members, texts in UTF-8, integers as numbers. Problems throw std::runtime_error with a
// text that names the entry and the field.
#ifndef KORVELT_TOOLS_CATALOGJSON_H
#define KORVELT_TOOLS_CATALOGJSON_H

#include <nlohmann/json.hpp>

#include <string>

class CAppList;

class CCatalogJson
{
public:
    static nlohmann::ordered_json Dump(const CAppList& list);
    // Writes appdb.dat and one entry file per entry into strDir, making the folder and its parents
    // when they are missing (and nothing at all when the source is bad). An entry without a file
    // name gets "entry<N>.app" (N counting from 1); missing keys are empty or 0.
    static void Build(const nlohmann::json& source, const std::string& strDir);

    static constexpr const char* kFileNameKey = "m_strFileName";
};

#endif
