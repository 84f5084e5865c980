// Turns a loaded catalogue into the tool's JSON shape and builds catalogue files from it:
// {"entries": [{"m_strFileName": ..., "m_strTitle": ..., ...}, ...]}, keys named after the
// entry's members, texts in UTF-8, integers as numbers. A bad source throws CSourceProblems with
// every problem found, each naming the entry and the field; other failures std::runtime_error.
#ifndef KORVELT_TOOLS_CATALOGJSON_H
#define KORVELT_TOOLS_CATALOGJSON_H

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <vector>

class CAppList;

class CSourceProblems : public std::runtime_error
{
public:
    explicit CSourceProblems(std::vector<std::string> problems)
        : std::runtime_error(problems.empty() ? std::string() : problems.front()), m_problems(std::move(problems))
    {
    }
    const std::vector<std::string>& Problems() const { return m_problems; }

private:
    std::vector<std::string> m_problems;
};

class CCatalogJson
{
public:
    static nlohmann::ordered_json Dump(const CAppList& list);
    // Writes appdb.dat and one entry file per entry into strDir, making the folder and its parents
    // when they are missing (and nothing at all when the source is bad). An entry without a file
    // name gets "entry<N>.app" (N counting from 1); missing keys are empty or 0.
    static void Build(const nlohmann::ordered_json& source, const std::string& strDir);

    // The output folder and its parents; throws when it cannot be made.
    static void MakeFolders(const std::string& strDir);
};

#endif
