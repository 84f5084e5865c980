#include "win/ProcessJob.h"

#include "win/Windows9x.h"

namespace
{
// JOBOBJECT_BASIC_ACCOUNTING_INFORMATION, class 1 of QueryInformationJobObject.
struct CJobAccounting
{
    LARGE_INTEGER m_times[4];
    DWORD m_nTotalPageFaults;
    DWORD m_nTotalProcesses;
    DWORD m_nActiveProcesses;
    DWORD m_nTotalTerminated;
};
constexpr int kJobBasicAccounting = 1;

using PfnCreateJobObjectA = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCSTR);
using PfnAssignProcessToJobObject = BOOL(WINAPI*)(HANDLE, HANDLE);
using PfnQueryInformationJobObject = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD, LPDWORD);

struct CJobFunctions
{
    PfnCreateJobObjectA m_pfnCreate = nullptr;
    PfnAssignProcessToJobObject m_pfnAssign = nullptr;
    PfnQueryInformationJobObject m_pfnQuery = nullptr;
};

template <typename TPfn>
TPfn KernelFunction(HMODULE hKernel, const char* pszName)
{
    return reinterpret_cast<TPfn>(reinterpret_cast<void*>(::GetProcAddress(hKernel, pszName)));
}

// All three, or none: Windows NT 4.0 and 95/98 have no jobs (and a system that calls itself one
// of them is taken at its word).
const CJobFunctions& JobFunctions()
{
    static const CJobFunctions s_functions = [] {
        CJobFunctions functions;
        HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
        if (hKernel == nullptr || !RunningWindows().IsNT5OrLater())
            return functions;
        functions.m_pfnCreate = KernelFunction<PfnCreateJobObjectA>(hKernel, "CreateJobObjectA");
        functions.m_pfnAssign = KernelFunction<PfnAssignProcessToJobObject>(hKernel, "AssignProcessToJobObject");
        functions.m_pfnQuery = KernelFunction<PfnQueryInformationJobObject>(hKernel, "QueryInformationJobObject");
        if (functions.m_pfnCreate == nullptr || functions.m_pfnAssign == nullptr || functions.m_pfnQuery == nullptr)
            return CJobFunctions();
        return functions;
    }();
    return s_functions;
}
} // namespace

CProcessJob CProcessJob::Create()
{
    CProcessJob job;
    const CJobFunctions& functions = JobFunctions();
    if (functions.m_pfnCreate != nullptr)
        job.m_job.Reset(functions.m_pfnCreate(nullptr, nullptr));
    return job;
}

bool CProcessJob::Assign(HANDLE hProcess)
{
    return IsValid() && JobFunctions().m_pfnAssign(m_job.Get(), hProcess) != FALSE;
}

long CProcessJob::ActiveProcesses() const
{
    CJobAccounting accounting = {};
    if (!IsValid() ||
        !JobFunctions().m_pfnQuery(m_job.Get(), kJobBasicAccounting, &accounting, sizeof accounting, nullptr))
        return -1;
    return static_cast<long>(accounting.m_nActiveProcesses);
}
