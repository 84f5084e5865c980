// What the command line asks the framework for: a new document, or opening the first argument
// that is not a flag. Flags (a leading "/" or "-") have no meaning of the framework's here;
// the view reads the raw line for its own option. Portable.
#ifndef KORVELT_FW_COMMANDLINEINFO_H
#define KORVELT_FW_COMMANDLINEINFO_H

#include <string>
#include <vector>

class CCommandLineInfo
{
public:
    enum EShellCommand
    {
        FileNew,
        FileOpen,
    };

    // Arguments after the program name, as the run-time library split them.
    void Parse(const std::vector<std::string>& args);

    EShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
};

#endif
