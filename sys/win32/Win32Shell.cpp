// The shell's folders and the elevated start, through the edge that knows the running Windows.
#include "sys/win32/Win32System.h"

#include "sys/win32/Win32FollowedProcess.h"
#include "win/ProcessJob.h"
#include "win/Shell932.h"

bool CWin32System::GetShellFolder(EShellFolder folder, std::string& strPath)
{
    return GetShellFolderPath932(folder == EShellFolder::CommonPrograms ? kCsidlCommonPrograms : kCsidlPrograms,
                                 strPath);
}

bool CWin32System::StartElevated(const std::string& strProgram, const std::string& strParameters,
                                 const char* pszFolder, std::unique_ptr<CFollowedProcess>* pFollow)
{
    CScopedKernelHandle process;
    if (!StartElevated932(strProgram, strParameters, pszFolder, pFollow != nullptr ? &process : nullptr))
        return false;
    if (pFollow != nullptr && process.Get() != nullptr)
    {
        // Already running: what it started before this is not followed, and a process of another
        // user (the administrator's) may refuse the job.
        CProcessJob job = CProcessJob::Create();
        if (!job.Assign(process.Get()))
            job = CProcessJob();
        *pFollow = std::make_unique<CWin32FollowedProcess>(std::move(process), std::move(job));
    }
    return true;
}
