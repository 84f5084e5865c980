// The command line shared by the stand-in set-up and removal programs of the sample medium:
//   /key KEY  /name DISPLAYNAME  /startmenu RELATIVE-PATH  /dir FOLDER
// and, to stand in for how set-ups end:
//   /exit CODE     ends with CODE (without /key, writes nothing)
//   /delay MS      waits MS milliseconds before it writes anything
//   /relaunch      starts a copy of itself with the other options and ends at once
//   /leave         after writing, starts a copy of itself that waits ten seconds, and ends
//   /sleep MS      only waits MS milliseconds
// Values with blanks are written in double quotes. Also finds the All Users Start-menu Programs
// folder the way the launcher's file check does.
#ifndef KORVELT_TOOLS_STANDINOPTIONS_H
#define KORVELT_TOOLS_STANDINOPTIONS_H

#include <string>
#include <vector>

class CStandinOptions
{
public:
    // Parses the arguments after the program name; unknown options are ignored.
    void Parse(const char* pszCommandLine);

    std::string m_strKey;        // key under HKEY_LOCAL_MACHINE
    std::string m_strName;       // its DisplayName; the key when not given
    std::string m_strStartMenu;  // a file relative to the Start-menu Programs folder
    std::string m_strFolder;     // a folder the application "installs" into
    std::string m_strArguments;  // the arguments as given, for the removal command line
    unsigned long m_nExitCode = 0;
    bool m_bExitCode = false;
    unsigned long m_nDelayMs = 0;
    unsigned long m_nSleepMs = 0;
    bool m_bRelaunch = false;
    bool m_bLeave = false;
    // The arguments without /relaunch and /leave, for the copy that they start.
    std::string m_strCopyArguments;

    // The Windows folder, the All Users piece on the NT family, the Programs folder and the path.
    static std::string StartMenuPath(const std::string& strRelative);
    // The folder of the running program, without a trailing backslash.
    static std::string OwnFolder();

private:
    static std::vector<std::string> SplitArguments(const char* pszArguments);
};

#endif
