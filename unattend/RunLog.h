// The log of an unattended run (/log:FILE): lines added in UTF-8 with CR LF, so that a log kept
// across runs grows and any tool reads it whatever the system's code page. Portable.
#ifndef KORVELT_UNATTEND_RUNLOG_H
#define KORVELT_UNATTEND_RUNLOG_H

#include <string>

class CRunLog
{
public:
    // No path: nothing is ever written.
    explicit CRunLog(std::string strPath) : m_strPath(std::move(strPath)) {}

    bool IsKept() const { return !m_strPath.empty(); }
    // Makes the file when it is missing; false when it cannot be written.
    bool Open();
    // One line of code page 932 text; bytes that are not code page 932 are written as "?".
    void Write(const std::string& strLine);

    // The line as the log holds it: UTF-8 and CR LF.
    static std::string Utf8Line(const std::string& strLine);

private:
    std::string m_strPath;
};

#endif
