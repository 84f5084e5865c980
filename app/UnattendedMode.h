// The launcher started by an administrator's command line: runs what needs no window (a line it
// cannot run, a dry run, a quiet run) and holds the one unattended run of the session, so that a
// second one ends at once with 1618.
#ifndef KORVELT_APP_UNATTENDEDMODE_H
#define KORVELT_APP_UNATTENDEDMODE_H

#include "unattend/UnattendedOptions.h"
#include "win/ScopedHandle.h"

#include <string>

class CUnattendedMode
{
public:
    explicit CUnattendedMode(const CUnattendedOptions& options) : m_options(options) {}

    // Runs a line that shows no window; the process exit code.
    int RunWithoutWindow();
    // Before any run: 0 when it may go on, else the exit code it ends with (87 for a line it cannot
    // run or a log that cannot be written, 1618 while another run works), said in the log or on
    // the console. A run that may go on, and is no dry run, holds the session's one run.
    int Refusal();

private:
    // Claims the session's one unattended run; false while another holds it.
    bool Claim();
    // A line for the administrator: to the log when there is one, else to the console.
    void Tell(const std::string& strLine);

    CUnattendedOptions m_options;
    CScopedKernelHandle m_running;
};

#endif
