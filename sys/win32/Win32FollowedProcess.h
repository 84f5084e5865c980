// A started program followed through its process handle and, where it got one, its job.
#ifndef KORVELT_SYS_WIN32_WIN32FOLLOWEDPROCESS_H
#define KORVELT_SYS_WIN32_WIN32FOLLOWEDPROCESS_H

#include "sys/FollowedProcess.h"
#include "win/ProcessJob.h"
#include "win/ScopedHandle.h"

class CWin32FollowedProcess : public CFollowedProcess
{
public:
    // job may be invalid: the process is then followed alone.
    CWin32FollowedProcess(CScopedKernelHandle process, CProcessJob job);

    bool HasFirstEnded(uint32_t& nExitCode) override;
    bool HaveAllEnded() override;

private:
    CScopedKernelHandle m_process;
    CProcessJob m_job;
};

#endif
