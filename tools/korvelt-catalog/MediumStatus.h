// `status`: what the launcher started from a medium would show on this machine, entry by entry,
// and why: the status column, the three buttons, what each check looked at, the set-up and
// removal command lines a click would start and the folders they start in. The launcher's own
// checks and command composition do the work; a check observer records what they looked at.
#ifndef KORVELT_TOOLS_MEDIUMSTATUS_H
#define KORVELT_TOOLS_MEDIUMSTATUS_H

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>

class CMediumStatus
{
public:
    explicit CMediumStatus(std::string strMedium) : m_strMedium(std::move(strMedium)) {}

    // The whole answer as JSON (UTF-8). Throws CCatalogException when the catalogue cannot be
    // read and std::runtime_error when the medium has none.
    nlohmann::ordered_json Evaluate();

    // The same answer for a reader, one block per entry.
    static void WriteText(const nlohmann::ordered_json& status, std::ostream& out);

private:
    // The path the launcher would have on this medium, which its source drive comes from.
    std::string MediumFolder() const;

    std::string m_strMedium;
};

#endif
