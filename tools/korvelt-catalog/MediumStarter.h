// A medium to start from, written into a missing or empty folder: the message file with every
// message the launcher shows, a catalogue source with one entry of each kind next to its schema,
// the catalogue built from it, the two pictures, autorun.inf, and placeholder files where the
// launcher and the set-up programs go. `check` passes on it as it is; the placeholders say what
// belongs in their place, and `check` names them until they are replaced.
#ifndef KORVELT_TOOLS_MEDIUMSTARTER_H
#define KORVELT_TOOLS_MEDIUMSTARTER_H

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

class CMediumStarter
{
public:
    explicit CMediumStarter(std::string strDir) : m_strDir(std::move(strDir)) {}

    // Throws std::runtime_error when the folder holds anything already (nothing is written
    // then) or when writing fails (what was written is taken away again).
    void Write();

    // The catalogue source of a new medium.
    static nlohmann::ordered_json ExampleSource();

    // A placeholder's bytes begin with this mark.
    static constexpr const char* kPlaceholderMark = "korvelt-catalog placeholder";
    static bool IsPlaceholder(const std::string& strBytes);

private:
    void WriteAll();
    void MakeFolder(const std::string& strRelative);
    void WriteFile(const std::string& strRelative, const std::string& strBytes);
    std::string PathOf(const std::string& strRelative) const;
    void Undo();

    std::string m_strDir;
    std::vector<std::filesystem::path> m_made;  // files and folders this run made, in order
};

#endif
