// A job object that holds a started program and every program that it starts, on the systems that
// have them (Windows 2000 and later). Its functions are looked up when first needed, so the
// binaries still load on Windows 95, 98 and NT 4.0, where a job is never valid.
#ifndef KORVELT_WIN_PROCESSJOB_H
#define KORVELT_WIN_PROCESSJOB_H

#include "win/ScopedHandle.h"

#include <windows.h>

class CProcessJob
{
public:
    // A new job of its own; an invalid one where the system has none. Closing it ends nothing:
    // what runs in it goes on when the launcher ends.
    static CProcessJob Create();

    bool IsValid() const { return m_job.Get() != nullptr; }
    // Puts a process (best one started suspended, before it can start others) in the job. False
    // when the system refuses: the launcher itself runs in a job that allows none inside it, or
    // the process is another user's (elevated).
    bool Assign(HANDLE hProcess);
    // The processes of the job that are still running; -1 when the job cannot tell.
    long ActiveProcesses() const;

private:
    CScopedKernelHandle m_job;
};

#endif
