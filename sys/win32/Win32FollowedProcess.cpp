#include "sys/win32/Win32FollowedProcess.h"

#include <utility>

CWin32FollowedProcess::CWin32FollowedProcess(CScopedKernelHandle process, CProcessJob job)
    : m_process(std::move(process)), m_job(std::move(job))
{
}

bool CWin32FollowedProcess::HasFirstEnded(uint32_t& nExitCode)
{
    if (::WaitForSingleObject(m_process.Get(), 0) != WAIT_OBJECT_0)
        return false;
    DWORD dwCode = 0;
    nExitCode = ::GetExitCodeProcess(m_process.Get(), &dwCode) ? dwCode : 0;
    return true;
}

bool CWin32FollowedProcess::HaveAllEnded()
{
    uint32_t nExitCode = 0;
    if (!HasFirstEnded(nExitCode))
        return false;
    // A job that cannot tell counts as empty: the first process's end is all that is known.
    return !m_job.IsValid() || m_job.ActiveProcesses() <= 0;
}
