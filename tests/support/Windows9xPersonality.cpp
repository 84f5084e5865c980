// Windows 95/98 as the test programs' second builds (*9x) see it: there, without the Microsoft
// Layer for Unicode, most wide (...W) functions exist only as stubs that fail with
// ERROR_CALL_NOT_IMPLEMENTED, while Wine's Windows 98 mode implements every one of them and so
// would never notice a wide call left on that path. This object takes the import slots of those
// functions (the linker then never pulls the system's import object in), so the program fails
// there as it would on the real system. The few wide functions that Windows 95/98 do implement
// stay real: lstrlenW, MessageBoxW, MessageBoxExW, TextOutW, ExtTextOutW, GetTextExtentPoint32W,
// GetTextExtentPointW, GetCharWidthW, MultiByteToWideChar, WideCharToMultiByte,
// EnumResourceLanguagesW/NamesW/TypesW, FindResourceW, FindResourceExW and GetCommandLineW;
// so do the runtime's wide string functions, which call no system function.
#include <windows.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace
{
template <std::size_t>
using Word = std::uintptr_t;

// A stub of a function with these many 4-byte arguments (WINAPI: the callee pops them).
template <std::intptr_t nFailure, class TIndexes>
struct CStub;

template <std::intptr_t nFailure, std::size_t... nIndex>
struct CStub<nFailure, std::index_sequence<nIndex...>>
{
    static std::intptr_t WINAPI Call(Word<nIndex>...)
    {
        ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nFailure;
    }
};

// The runtime's wide file functions reach the system's stubs there and fail; the runtime maps
// error 120 to EINVAL. Theirs is the C calling convention: the caller pops the arguments, so a
// stub may take any.
void* RuntimeFailsWithNull()
{
    _doserrno = ERROR_CALL_NOT_IMPLEMENTED;
    errno = EINVAL;
    return nullptr;
}

std::intptr_t RuntimeFailsWithMinusOne()
{
    _doserrno = ERROR_CALL_NOT_IMPLEMENTED;
    errno = EINVAL;
    return -1;
}

constexpr std::intptr_t kNoHandle = -1;       // INVALID_HANDLE_VALUE
constexpr std::intptr_t kNoAttributes = -1;   // INVALID_FILE_ATTRIBUTES
constexpr std::intptr_t kNotImplemented = ERROR_CALL_NOT_IMPLEMENTED;  // the registry's result
constexpr std::intptr_t kNotImplementedHresult = static_cast<std::int32_t>(0x80070078);  // HRESULT of 120
}

// name, bytes of arguments (the decoration @N), the value the stub returns.
#define KORVELT_STUB(name, bytes, failure) \
    extern "C" void* korvelt9x_##name __asm__("__imp__" #name "@" #bytes); \
    void* korvelt9x_##name = reinterpret_cast<void*>(&CStub<failure, std::make_index_sequence<bytes / 4>>::Call);

// Parts of the runtime (std::filesystem's) call these by their plain names, which would pull the
// import objects in all the same: the plain names are defined here too.
#define KORVELT_RUNTIME_STUB(name, type, stub) \
    extern "C" type __cdecl korvelt9xCall##name(...) __asm__("_" #name); \
    type __cdecl korvelt9xCall##name(...) { return stub(); } \
    extern "C" void* korvelt9x_##name __asm__("__imp__" #name); \
    void* korvelt9x_##name = reinterpret_cast<void*>(&korvelt9xCall##name);

// advapi32, shlwapi, shell32: the registry's functions return their error.
KORVELT_STUB(RegCreateKeyExW, 36, kNotImplemented)
KORVELT_STUB(RegDeleteKeyExW, 16, kNotImplemented)
KORVELT_STUB(RegEnumKeyExW, 32, kNotImplemented)
KORVELT_STUB(RegOpenKeyExW, 20, kNotImplemented)
KORVELT_STUB(RegQueryValueExW, 24, kNotImplemented)
KORVELT_STUB(RegSetValueExW, 24, kNotImplemented)
KORVELT_STUB(SHDeleteKeyW, 8, kNotImplemented)
KORVELT_STUB(SHGetFolderPathW, 20, kNotImplementedHresult)
// comdlg32, gdi32. GetFileTitle's success is 0, its error a negative number.
KORVELT_STUB(GetFileTitleW, 12, -1)
KORVELT_STUB(GetOpenFileNameW, 4, 0)
KORVELT_STUB(GetSaveFileNameW, 4, 0)
KORVELT_STUB(CreateFontIndirectW, 4, 0)
KORVELT_STUB(GetObjectW, 12, 0)
// kernel32
KORVELT_STUB(CopyFileW, 12, 0)
KORVELT_STUB(CreateDirectoryW, 8, 0)
KORVELT_STUB(CreateFileW, 28, kNoHandle)
KORVELT_STUB(CreateHardLinkW, 12, 0)
KORVELT_STUB(CreateProcessW, 40, 0)
KORVELT_STUB(DeleteFileW, 4, 0)
KORVELT_STUB(FindFirstFileW, 8, kNoHandle)
KORVELT_STUB(FindFirstVolumeW, 8, kNoHandle)
KORVELT_STUB(FindNextFileW, 8, 0)
KORVELT_STUB(FindNextVolumeW, 12, 0)
KORVELT_STUB(GetDiskFreeSpaceExW, 16, 0)
KORVELT_STUB(GetFileAttributesW, 4, kNoAttributes)
KORVELT_STUB(GetFullPathNameW, 16, 0)
KORVELT_STUB(GetModuleFileNameW, 12, 0)
KORVELT_STUB(GetModuleHandleW, 4, 0)
KORVELT_STUB(GetPrivateProfileIntW, 16, 0)
KORVELT_STUB(GetPrivateProfileStringW, 24, 0)
KORVELT_STUB(GetEnvironmentVariableW, 12, 0)
KORVELT_STUB(GetSystemDirectoryW, 8, 0)
KORVELT_STUB(GetTempFileNameW, 16, 0)
KORVELT_STUB(GetTempPathW, 8, 0)
KORVELT_STUB(GetVolumeInformationW, 32, 0)
KORVELT_STUB(GetWindowsDirectoryW, 8, 0)
KORVELT_STUB(LoadLibraryW, 4, 0)
KORVELT_STUB(MoveFileExW, 12, 0)
KORVELT_STUB(RemoveDirectoryW, 4, 0)
KORVELT_STUB(SetFileAttributesW, 8, 0)
KORVELT_STUB(WritePrivateProfileStringW, 16, 0)
// user32. DialogBoxParam's failure is -1; 0 would read as a dialog ended with 0.
KORVELT_STUB(AppendMenuW, 16, 0)
KORVELT_STUB(CreateDialogParamW, 20, 0)
KORVELT_STUB(CreateWindowExW, 48, 0)
KORVELT_STUB(DefWindowProcW, 16, 0)
KORVELT_STUB(DialogBoxParamW, 20, -1)
KORVELT_STUB(DispatchMessageW, 4, 0)
KORVELT_STUB(FindWindowW, 8, 0)
KORVELT_STUB(GetClassInfoW, 12, 0)
KORVELT_STUB(GetClassNameW, 12, 0)
KORVELT_STUB(GetDlgItemTextW, 16, 0)
KORVELT_STUB(GetMenuStringW, 20, 0)
KORVELT_STUB(GetMessageW, 16, 0)
KORVELT_STUB(GetWindowLongW, 8, 0)
KORVELT_STUB(GetWindowTextLengthW, 4, 0)
KORVELT_STUB(GetWindowTextW, 12, 0)
KORVELT_STUB(IsDialogMessageW, 8, 0)
KORVELT_STUB(LoadAcceleratorsW, 8, 0)
KORVELT_STUB(LoadCursorW, 8, 0)
KORVELT_STUB(LoadIconW, 8, 0)
KORVELT_STUB(LoadMenuW, 8, 0)
KORVELT_STUB(LoadStringW, 16, 0)
KORVELT_STUB(ModifyMenuW, 20, 0)
KORVELT_STUB(PeekMessageW, 20, 0)
KORVELT_STUB(PostMessageW, 16, 0)
KORVELT_STUB(RegisterClassW, 4, 0)
KORVELT_STUB(SendMessageW, 16, 0)
KORVELT_STUB(SetDlgItemTextW, 12, 0)
KORVELT_STUB(SetWindowLongW, 12, 0)
KORVELT_STUB(SetWindowTextW, 8, 0)
KORVELT_STUB(TranslateAcceleratorW, 12, 0)
// msvcrt, under each name the import library gives the same function.
KORVELT_RUNTIME_STUB(_wchdir, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wchmod, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wfindfirst, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wfindfirst32, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wfindnext, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wfindnext32, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wfopen, void*, RuntimeFailsWithNull)
KORVELT_RUNTIME_STUB(_wfsopen, void*, RuntimeFailsWithNull)
KORVELT_RUNTIME_STUB(_wfullpath, void*, RuntimeFailsWithNull)
KORVELT_RUNTIME_STUB(_wgetcwd, void*, RuntimeFailsWithNull)
KORVELT_RUNTIME_STUB(_wmkdir, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wopen, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wstat64, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wutime, std::intptr_t, RuntimeFailsWithMinusOne)
KORVELT_RUNTIME_STUB(_wutime32, std::intptr_t, RuntimeFailsWithMinusOne)
