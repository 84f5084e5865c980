// Checks a whole medium as the launcher would meet it: the message file, the catalogue, the text
// files, copy lists and set-up programs its entries name, the two bitmaps, and the programs and
// icon that an autorun.inf names. Writes one line per problem, a note for each program that is
// still a placeholder of `new` (no problem: the medium is whole, only not yet real), and a note
// for each entry on how an unattended run would set it up.
#ifndef KORVELT_TOOLS_MEDIUMCHECKER_H
#define KORVELT_TOOLS_MEDIUMCHECKER_H

#include <ostream>
#include <set>
#include <string>

class CAppEntry;
class CUnattendFile;

class CMediumChecker
{
public:
    CMediumChecker(std::string strMedium, std::ostream& out, std::ostream& notes)
        : m_strMedium(std::move(strMedium)), m_out(out), m_notes(notes)
    {
    }

    // Returns the number of problems found.
    int Run();

    // The program of a command line: the text up to the first blank, or inside leading quotes.
    static std::string ProgramOf(const std::string& strCommand);

private:
    void CheckMessageFile();
    void CheckCatalogue();
    void CheckEntry(int nNumber, const CAppEntry& entry, const CUnattendFile& unattend);
    // Every line of the entry's copy list that the launcher skips, with its reason.
    void CheckCopyList(const std::string& strLabel, const CAppEntry& entry);
    // The set-up (and removal) that an unattended run would start for the entry, or that none is
    // known; a note, since a medium need not serve unattended runs.
    void NoteSilentForms(const std::string& strLabel, const CAppEntry& entry, const CUnattendFile& unattend);
    void CheckBitmap(const char* pszName);
    void CheckAutorun();
    // A program file at this path, as given or with ".exe" when it names none.
    bool IsProgramOnMedium(const std::string& strPath);
    // Why the set-up program at this path (found) cannot start; null when it can.
    static const char* NotStartable(const std::string& strPath);
    void NoteIfPlaceholder(const std::string& strPath, const std::string& strBytes);
    // A path on the medium: relative paths from its top folder, a leading backslash from its root.
    std::string OnMedium(const std::string& strPath) const;
    void Problem(const std::string& strText);

    std::string m_strMedium;
    std::ostream& m_out;
    std::ostream& m_notes;
    int m_nProblems = 0;
    std::set<std::string> m_placeholders;
};

#endif
