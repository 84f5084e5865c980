// What an administrator asks of the launcher on its command line when nobody is to answer it:
// which entries to set up or remove, how much of the launcher and of the set-ups shows, whether
// a restart may pass, the log, and a dry run. Portable.
#ifndef KORVELT_UNATTEND_UNATTENDEDOPTIONS_H
#define KORVELT_UNATTEND_UNATTENDEDOPTIONS_H

#include <string>
#include <vector>

struct CUnattendedOptions
{
    enum class EShow
    {
        Full,     // the window, and each set-up as a click on its button runs it
        Passive,  // the window, without notices or boxes; set-ups in their silent form
        Quiet,    // nothing shows; set-ups and removals in their silent form
    };

    // Entry names as given (the entry file's name without ".app"), in the order given, each once.
    std::vector<std::string> m_install;
    bool m_bInstallAll = false;  // "/install:*"
    std::vector<std::string> m_uninstall;
    EShow m_show = EShow::Full;
    bool m_bNoRestart = false;
    bool m_bPlan = false;
    std::string m_strLogFile;  // empty: no log
    // Why the line cannot be run (an unknown option, an empty list); empty when it can.
    std::string m_strError;

    // Reads the arguments after the program name. Options begin with "/" or "-" and are named
    // without regard to case; "/NOZOOMOUT" belongs to the window and is passed over.
    static CUnattendedOptions Parse(const std::vector<std::string>& args);

    // True when the launcher is to work without a user: something is to be set up, removed or
    // planned, or an option of this mode was given (which then needs one of those).
    bool IsUnattended() const { return m_bUnattended; }
    bool ShowsWindow() const { return m_show != EShow::Quiet && !m_bPlan && m_strError.empty(); }
    bool IsSilent() const { return m_show != EShow::Full; }

private:
    bool m_bUnattended = false;
};

#endif
