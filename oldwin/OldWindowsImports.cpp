// Kernel functions that the statically linked run-times (winpthread) import but Windows 95, 98 or
// NT 4.0 do not export. A program importing one of them does not even load there, so korvelt.exe
// and tarven.dll take these definitions of both the function and its import slot instead of
// kernel32's import objects; each looks the real function up at run time and uses it where the
// system has it, and otherwise does what the caller can live with.
#include <windows.h>

#include <atomic>

#include "oldwin/TickCount64.h"

namespace {

// The lookup runs at the first call, not in a constructor: the run-times may call before this
// file's initialisers have run. Constant-initialised, so no guard (which would itself lock).
template <typename Fn>
class CKernel32Function
{
public:
    constexpr explicit CKernel32Function(const char* pszName) : m_pszName(pszName) {}

    // Null where kernel32 has no such function. Two threads may both look it up: same answer.
    Fn Get()
    {
        if (!m_bLookedUp.load(std::memory_order_acquire)) {
            FARPROC pfn = GetProcAddress(GetModuleHandleA("kernel32.dll"), m_pszName);
            m_pfn.store(reinterpret_cast<Fn>(reinterpret_cast<void*>(pfn)), std::memory_order_relaxed);
            m_bLookedUp.store(true, std::memory_order_release);
        }
        return m_pfn.load(std::memory_order_relaxed);
    }

private:
    const char* m_pszName;
    std::atomic<Fn> m_pfn{nullptr};
    std::atomic<bool> m_bLookedUp{false};
};

using GetTickCount64Fn = ULONGLONG(WINAPI*)();
using VectoredHandlerFn = LONG(WINAPI*)(EXCEPTION_POINTERS*);
using AddVectoredExceptionHandlerFn = PVOID(WINAPI*)(ULONG, VectoredHandlerFn);
using RemoveVectoredExceptionHandlerFn = ULONG(WINAPI*)(PVOID);
using TryEnterCriticalSectionFn = BOOL(WINAPI*)(CRITICAL_SECTION*);
using IsDebuggerPresentFn = BOOL(WINAPI*)();
using GetHandleInformationFn = BOOL(WINAPI*)(HANDLE, DWORD*);
using GetProcessAffinityMaskFn = BOOL(WINAPI*)(HANDLE, DWORD_PTR*, DWORD_PTR*);
using SetProcessAffinityMaskFn = BOOL(WINAPI*)(HANDLE, DWORD_PTR);

CKernel32Function<GetTickCount64Fn> g_getTickCount64("GetTickCount64");
CKernel32Function<AddVectoredExceptionHandlerFn> g_addVectoredExceptionHandler("AddVectoredExceptionHandler");
CKernel32Function<RemoveVectoredExceptionHandlerFn> g_removeVectoredExceptionHandler("RemoveVectoredExceptionHandler");
CKernel32Function<TryEnterCriticalSectionFn> g_tryEnterCriticalSection("TryEnterCriticalSection");
CKernel32Function<IsDebuggerPresentFn> g_isDebuggerPresent("IsDebuggerPresent");
CKernel32Function<GetHandleInformationFn> g_getHandleInformation("GetHandleInformation");
CKernel32Function<GetProcessAffinityMaskFn> g_getProcessAffinityMask("GetProcessAffinityMask");
CKernel32Function<SetProcessAffinityMaskFn> g_setProcessAffinityMask("SetProcessAffinityMask");

// Windows 95 has no compare-and-swap in kernel32; an exchange is enough for a lock held for
// a few instructions.
LONG g_nTickLock = 0;
CTickCount64 g_tickCount;

} // namespace

extern "C" {

ULONGLONG WINAPI OldWinGetTickCount64() __asm__("_GetTickCount64@0");
PVOID WINAPI OldWinAddVectoredExceptionHandler(ULONG, VectoredHandlerFn) __asm__("_AddVectoredExceptionHandler@8");
ULONG WINAPI OldWinRemoveVectoredExceptionHandler(PVOID) __asm__("_RemoveVectoredExceptionHandler@4");
BOOL WINAPI OldWinTryEnterCriticalSection(CRITICAL_SECTION*) __asm__("_TryEnterCriticalSection@4");
BOOL WINAPI OldWinIsDebuggerPresent() __asm__("_IsDebuggerPresent@0");
BOOL WINAPI OldWinGetHandleInformation(HANDLE, DWORD*) __asm__("_GetHandleInformation@8");
BOOL WINAPI OldWinGetProcessAffinityMask(HANDLE, DWORD_PTR*, DWORD_PTR*) __asm__("_GetProcessAffinityMask@12");
BOOL WINAPI OldWinSetProcessAffinityMask(HANDLE, DWORD_PTR) __asm__("_SetProcessAffinityMask@8");

ULONGLONG WINAPI OldWinGetTickCount64()
{
    if (GetTickCount64Fn pfn = g_getTickCount64.Get())
        return pfn();
    while (InterlockedExchange(&g_nTickLock, 1) != 0)
        Sleep(0);
    ULONGLONG nNow = g_tickCount.Extend(GetTickCount());
    InterlockedExchange(&g_nTickLock, 0);
    return nNow;
}

// winpthread installs its handler only to swallow the exception that names a thread for a
// debugger, and raises that exception only when a handler or a debugger is there: with none
// installed it simply does not name threads.
PVOID WINAPI OldWinAddVectoredExceptionHandler(ULONG nFirst, VectoredHandlerFn pfnHandler)
{
    if (AddVectoredExceptionHandlerFn pfn = g_addVectoredExceptionHandler.Get())
        return pfn(nFirst, pfnHandler);
    return nullptr;
}

ULONG WINAPI OldWinRemoveVectoredExceptionHandler(PVOID pHandler)
{
    if (RemoveVectoredExceptionHandlerFn pfn = g_removeVectoredExceptionHandler.Get())
        return pfn(pHandler);
    return 0;
}

// Windows 95 and 98 have no way to try a critical section without waiting. winpthread tries
// only the internal lock of a condition variable that it is destroying, and no other thread may
// use a condition variable while it is destroyed: the lock is then free, or the caller's own (a
// critical section may be entered again), and entering it gives what trying would have given.
// Only a program breaking that rule would wait here instead of hearing "busy"; this one runs
// a single thread.
BOOL WINAPI OldWinTryEnterCriticalSection(CRITICAL_SECTION* pSection)
{
    if (TryEnterCriticalSectionFn pfn = g_tryEnterCriticalSection.Get())
        return pfn(pSection);
    EnterCriticalSection(pSection);
    return TRUE;
}

// Windows 95 cannot tell; "no debugger" only makes winpthread skip naming its threads.
BOOL WINAPI OldWinIsDebuggerPresent()
{
    if (IsDebuggerPresentFn pfn = g_isDebuggerPresent.Get())
        return pfn();
    return FALSE;
}

// The thread run-time asks these of thread handles and of the process's processors, which the
// Windows 95/98 family does not manage: such a call fails there as an unsupported call does,
// and the process runs on the one processor those systems use.
BOOL WINAPI OldWinGetHandleInformation(HANDLE hObject, DWORD* pFlags)
{
    if (GetHandleInformationFn pfn = g_getHandleInformation.Get())
        return pfn(hObject, pFlags);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

BOOL WINAPI OldWinGetProcessAffinityMask(HANDLE hProcess, DWORD_PTR* pProcessMask, DWORD_PTR* pSystemMask)
{
    if (GetProcessAffinityMaskFn pfn = g_getProcessAffinityMask.Get())
        return pfn(hProcess, pProcessMask, pSystemMask);
    *pProcessMask = 1;
    *pSystemMask = 1;
    return TRUE;
}

BOOL WINAPI OldWinSetProcessAffinityMask(HANDLE hProcess, DWORD_PTR nMask)
{
    if (SetProcessAffinityMaskFn pfn = g_setProcessAffinityMask.Get())
        return pfn(hProcess, nMask);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

// The slots the run-times' calls go through, as the import table would fill them.
void* korveltImpGetTickCount64 __asm__("__imp__GetTickCount64@0") =
    reinterpret_cast<void*>(&OldWinGetTickCount64);
void* korveltImpAddVectoredExceptionHandler __asm__("__imp__AddVectoredExceptionHandler@8") =
    reinterpret_cast<void*>(&OldWinAddVectoredExceptionHandler);
void* korveltImpRemoveVectoredExceptionHandler __asm__("__imp__RemoveVectoredExceptionHandler@4") =
    reinterpret_cast<void*>(&OldWinRemoveVectoredExceptionHandler);
void* korveltImpTryEnterCriticalSection __asm__("__imp__TryEnterCriticalSection@4") =
    reinterpret_cast<void*>(&OldWinTryEnterCriticalSection);
void* korveltImpIsDebuggerPresent __asm__("__imp__IsDebuggerPresent@0") =
    reinterpret_cast<void*>(&OldWinIsDebuggerPresent);
void* korveltImpGetHandleInformation __asm__("__imp__GetHandleInformation@8") =
    reinterpret_cast<void*>(&OldWinGetHandleInformation);
void* korveltImpGetProcessAffinityMask __asm__("__imp__GetProcessAffinityMask@12") =
    reinterpret_cast<void*>(&OldWinGetProcessAffinityMask);
void* korveltImpSetProcessAffinityMask __asm__("__imp__SetProcessAffinityMask@8") =
    reinterpret_cast<void*>(&OldWinSetProcessAffinityMask);
}
