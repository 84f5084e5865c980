#include "win/Kernel932.h"

#include "utils/Cp932.h"
#include "win/ScopedHandle.h"
#include "win/WideText.h"
#include "win/Windows9x.h"

#include <cwchar>
#include <stdlib.h>
#include <vector>

namespace
{
// A path that the system wrote into a buffer of nCapacity characters, n the length it reported.
bool Fits(DWORD n, DWORD nCapacity)
{
    return n != 0 && n < nCapacity;
}

std::string PathFromSystemW(const wchar_t* pBuffer, DWORD n, DWORD nCapacity)
{
    std::string strPath;
    if (!Fits(n, nCapacity) || !CodePageFromWideExact(kCodePage932, pBuffer, n, strPath))
        return std::string();
    return strPath;
}

std::string PathFromSystemA(const char* pBuffer, DWORD n, DWORD nCapacity)
{
    return Fits(n, nCapacity) ? std::string(pBuffer, n) : std::string();
}

// A path of at most MAX_PATH characters that the system writes into a buffer: fillA(buffer,
// MAX_PATH) on Windows 95/98, fillW likewise on NT; each returns the length it wrote.
template <class FillA, class FillW>
std::string PathFromSystem(FillA fillA, FillW fillW)
{
    if (IsWindows9x())
    {
        char buffer[MAX_PATH];
        return PathFromSystemA(buffer, fillA(buffer, MAX_PATH), MAX_PATH);
    }
    wchar_t buffer[MAX_PATH];
    return PathFromSystemW(buffer, fillW(buffer, MAX_PATH), MAX_PATH);
}
}

HANDLE CreateFile932(const std::string& strPath, DWORD dwAccess, DWORD dwShare, DWORD dwDisposition)
{
    if (IsWindows9x())
    {
        if (!IsCp932Text(strPath))
            return INVALID_HANDLE_VALUE;
        return ::CreateFileA(strPath.c_str(), dwAccess, dwShare, nullptr, dwDisposition, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    }
    std::wstring strWide;
    if (!WideFromCodePageExact(kCodePage932, strPath, strWide))
        return INVALID_HANDLE_VALUE;
    return ::CreateFileW(strWide.c_str(), dwAccess, dwShare, nullptr, dwDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool DeleteFile932(const std::string& strPath)
{
    return WithText932(strPath, false, [](const char* p) { return ::DeleteFileA(p) != FALSE; },
                       [](const wchar_t* p) { return ::DeleteFileW(p) != FALSE; });
}

bool CopyFile932(const std::string& strFrom, const std::string& strTo)
{
    return WithTexts932(strFrom, strTo, false, [](const char* a, const char* b) { return ::CopyFileA(a, b, FALSE) != FALSE; },
                        [](const wchar_t* a, const wchar_t* b) { return ::CopyFileW(a, b, FALSE) != FALSE; });
}

std::string CreateTempFile932(const std::string& strFolder)
{
    if (IsWindows9x())
    {
        char szPath[MAX_PATH] = {};
        if (!IsCp932Text(strFolder) || ::GetTempFileNameA(strFolder.c_str(), "kvt", 0, szPath) == 0)
            return std::string();
        return szPath;
    }
    std::wstring strWide;
    wchar_t szPath[MAX_PATH] = {};
    std::string strPath;
    if (!WideFromCodePageExact(kCodePage932, strFolder, strWide) ||
        ::GetTempFileNameW(strWide.c_str(), L"kvt", 0, szPath) == 0)
        return std::string();
    if (!CodePageFromWideExact(kCodePage932, szPath, std::char_traits<wchar_t>::length(szPath), strPath))
    {
        ::DeleteFileW(szPath);
        return std::string();
    }
    return strPath;
}

bool ReplaceFile932(const std::string& strNew, const std::string& strTarget)
{
    if (IsWindows9x())
    {
        // Windows 95/98 cannot move over a file: the target steps aside first, under a free name
        // of its folder, and comes back when neither a move nor a copy of the new file takes its
        // place (a scanner holding the new file, say).
        if (!IsCp932Text(strNew) || !IsCp932Text(strTarget))
            return false;
        std::string strAside;
        if (::GetFileAttributesA(strTarget.c_str()) != INVALID_FILE_ATTRIBUTES)
        {
            const std::size_t nSlash = FindLastBackslash(strTarget);
            strAside = CreateTempFile932(nSlash == std::string::npos ? "." : strTarget.substr(0, nSlash));
            if (strAside.empty() || !::DeleteFileA(strAside.c_str()) || !::MoveFileA(strTarget.c_str(), strAside.c_str()))
            {
                if (!strAside.empty())
                    ::DeleteFileA(strAside.c_str());
                return false;
            }
        }
        bool bReplaced = ::MoveFileA(strNew.c_str(), strTarget.c_str()) != FALSE;
        if (!bReplaced && ::CopyFileA(strNew.c_str(), strTarget.c_str(), TRUE))
        {
            ::DeleteFileA(strNew.c_str());
            bReplaced = true;
        }
        if (!strAside.empty())
        {
            if (bReplaced)
                ::DeleteFileA(strAside.c_str());
            else
                ::MoveFileA(strAside.c_str(), strTarget.c_str());
        }
        return bReplaced;
    }
    std::wstring strWideNew, strWideTarget;
    return WideFromCodePageExact(kCodePage932, strNew, strWideNew) &&
           WideFromCodePageExact(kCodePage932, strTarget, strWideTarget) &&
           ::MoveFileExW(strWideNew.c_str(), strWideTarget.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::vector<CFound932> FindFiles932(const std::string& strPattern)
{
    std::vector<CFound932> found;
    const auto add = [&found](const auto& data, bool bCarried, std::string strName) {
        CFound932 file;
        file.m_bNameCarried = bCarried;
        if (bCarried)
            file.m_strName.swap(strName);
        file.m_dwAttributes = data.dwFileAttributes;
        file.m_ftLastWrite = data.ftLastWriteTime;
        found.push_back(std::move(file));
    };
    if (IsWindows9x())
    {
        WIN32_FIND_DATAA data;
        const CScopedFindHandle find(IsCp932Text(strPattern) ? ::FindFirstFileA(strPattern.c_str(), &data)
                                                             : INVALID_HANDLE_VALUE);
        if (!find.IsValid())
            return found;
        do
            add(data, true, data.cFileName);
        while (::FindNextFileA(find.Get(), &data));
        return found;
    }
    std::wstring strWidePattern;
    if (!WideFromCodePageExact(kCodePage932, strPattern, strWidePattern))
        return found;
    WIN32_FIND_DATAW data;
    const CScopedFindHandle find(::FindFirstFileW(strWidePattern.c_str(), &data));
    if (!find.IsValid())
        return found;
    do
    {
        std::string strName;
        const bool bCarried = CodePageFromWideExact(kCodePage932, data.cFileName, std::wcslen(data.cFileName), strName);
        add(data, bCarried, strName);
    } while (::FindNextFileW(find.Get(), &data));
    return found;
}

DWORD GetFileAttributes932(const std::string& strPath)
{
    return WithText932(strPath, static_cast<DWORD>(INVALID_FILE_ATTRIBUTES), &::GetFileAttributesA,
                       &::GetFileAttributesW);
}

bool SetFileAttributes932(const std::string& strPath, DWORD dwAttributes)
{
    return WithText932(strPath, false, [dwAttributes](const char* p) { return ::SetFileAttributesA(p, dwAttributes) != FALSE; },
                       [dwAttributes](const wchar_t* p) { return ::SetFileAttributesW(p, dwAttributes) != FALSE; });
}

bool GetFullPathName932(const std::string& strPath, std::string& strFull)
{
    std::string strResult;
    if (IsWindows9x())
    {
        char szFull[MAX_PATH] = {};
        if (!IsCp932Text(strPath))
            return false;
        strResult = PathFromSystemA(szFull, ::GetFullPathNameA(strPath.c_str(), MAX_PATH, szFull, nullptr), MAX_PATH);
    }
    else
    {
        std::wstring strWide;
        wchar_t szFull[MAX_PATH] = {};
        if (!WideFromCodePageExact(kCodePage932, strPath, strWide))
            return false;
        strResult = PathFromSystemW(szFull, ::GetFullPathNameW(strWide.c_str(), MAX_PATH, szFull, nullptr), MAX_PATH);
    }
    if (strResult.empty())
        return false;
    strFull.swap(strResult);
    return true;
}

std::string GetWindowsDirectory932()
{
    return PathFromSystem([](char* p, UINT n) { return ::GetWindowsDirectoryA(p, n); },
                          [](wchar_t* p, UINT n) { return ::GetWindowsDirectoryW(p, n); });
}

std::string GetTempPath932()
{
    return PathFromSystem([](char* p, DWORD n) { return ::GetTempPathA(n, p); },
                          [](wchar_t* p, DWORD n) { return ::GetTempPathW(n, p); });
}

std::string GetSystemDirectory932()
{
    return PathFromSystem([](char* p, UINT n) { return ::GetSystemDirectoryA(p, n); },
                          [](wchar_t* p, UINT n) { return ::GetSystemDirectoryW(p, n); });
}

std::string GetEnvironmentVariable932(const char* pszName)
{
    // PATH may be long; the variable's limit is 32767 characters.
    constexpr DWORD kRoom = 32768;
    if (IsWindows9x())
    {
        std::vector<char> buffer(kRoom);
        return PathFromSystemA(buffer.data(), ::GetEnvironmentVariableA(pszName, buffer.data(), kRoom), kRoom);
    }
    std::vector<wchar_t> buffer(kRoom);
    return PathFromSystemW(
        buffer.data(),
        ::GetEnvironmentVariableW(WideFromCodePageLossy(kCodePage932, pszName).c_str(), buffer.data(), kRoom), kRoom);
}

std::string GetModuleFileName932(HMODULE hModule)
{
    return PathFromSystem([hModule](char* p, DWORD n) { return ::GetModuleFileNameA(hModule, p, n); },
                          [hModule](wchar_t* p, DWORD n) { return ::GetModuleFileNameW(hModule, p, n); });
}

std::string GetCurrentDirectory932()
{
    if (IsWindows9x())
    {
        char buffer[MAX_PATH];
        return PathFromSystemA(buffer, ::GetCurrentDirectoryA(MAX_PATH, buffer), MAX_PATH);
    }
    // A folder below a deep one can be longer than MAX_PATH; only its short form could then be
    // handed on to the process creation.
    constexpr DWORD kRoom = 32768;
    std::vector<wchar_t> buffer(kRoom);
    const DWORD nLength = ::GetCurrentDirectoryW(kRoom, buffer.data());
    std::string strFolder = PathFromSystemW(buffer.data(), nLength, MAX_PATH);
    if (!strFolder.empty() || !Fits(nLength, kRoom))
        return strFolder;
    wchar_t szShort[MAX_PATH];
    return PathFromSystemW(szShort, ::GetShortPathNameW(buffer.data(), szShort, MAX_PATH), MAX_PATH);
}

bool ExpandEnvironmentStrings932(const std::string& strText, std::string& strOut)
{
    constexpr DWORD kRoom = 32768;
    std::string strExpanded;
    if (IsWindows9x())
    {
        std::vector<char> buffer(kRoom);
        if (!IsCp932Text(strText) || !Fits(::ExpandEnvironmentStringsA(strText.c_str(), buffer.data(), kRoom), kRoom))
            return false;
        strExpanded.assign(buffer.data());
    }
    else
    {
        std::wstring strWide;
        std::vector<wchar_t> buffer(kRoom);
        if (!WideFromCodePageExact(kCodePage932, strText, strWide))
            return false;
        const DWORD nLength = ::ExpandEnvironmentStringsW(strWide.c_str(), buffer.data(), kRoom);
        if (!Fits(nLength, kRoom) ||
            !CodePageFromWideExact(kCodePage932, buffer.data(), std::wcslen(buffer.data()), strExpanded))
            return false;
    }
    strOut.swap(strExpanded);
    return true;
}

std::string GetModuleFileName932Lossy(HMODULE hModule)
{
    if (IsWindows9x())
        return GetModuleFileName932(hModule);
    wchar_t buffer[MAX_PATH] = {};
    const DWORD nLength = ::GetModuleFileNameW(hModule, buffer, MAX_PATH);
    return CodePageFromWideLossy(kCodePage932, buffer, nLength < MAX_PATH ? nLength : MAX_PATH);
}

bool CreateProcess932(const std::string& strProgram, const std::string& strCommandLine, const char* pszFolder,
                      DWORD dwFlags, PROCESS_INFORMATION& info)
{
    const char* pszProgram = strProgram.empty() ? nullptr : strProgram.c_str();
    if (IsWindows9x())
    {
        if (!IsCp932Text(strProgram) || !IsCp932Text(strCommandLine) ||
            (pszFolder != nullptr && !IsCp932Text(pszFolder)))
        {
            ::SetLastError(ERROR_INVALID_NAME);
            return false;
        }
        // CreateProcess may write into the command line, so it gets a copy of its own.
        std::vector<char> commandLine(strCommandLine.begin(), strCommandLine.end());
        commandLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        return ::CreateProcessA(pszProgram, commandLine.data(), nullptr, nullptr, FALSE, dwFlags, nullptr, pszFolder,
                                &startup, &info) != FALSE;
    }
    std::wstring strWideProgram, strWideCommand, strWideFolder;
    if (!WideFromCodePageExact(kCodePage932, strProgram, strWideProgram) ||
        !WideFromCodePageExact(kCodePage932, strCommandLine, strWideCommand) ||
        (pszFolder != nullptr && !WideFromCodePageExact(kCodePage932, pszFolder, strWideFolder)))
    {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    std::vector<wchar_t> commandLine(strWideCommand.begin(), strWideCommand.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return ::CreateProcessW(pszProgram != nullptr ? strWideProgram.c_str() : nullptr, commandLine.data(), nullptr,
                            nullptr, FALSE, dwFlags, nullptr,
                            pszFolder != nullptr ? strWideFolder.c_str() : nullptr, &startup, &info) != FALSE;
}

HMODULE LoadSystemLibrary932(const char* pszName)
{
    const std::string strFolder = GetSystemDirectory932();
    if (strFolder.empty())
        return nullptr;
    const std::string strPath = strFolder + "\\" + pszName;
    if (IsWindows9x())
        return ::LoadLibraryA(strPath.c_str());
    std::wstring strWide;
    return WideFromCodePageExact(kCodePage932, strPath, strWide) ? ::LoadLibraryW(strWide.c_str()) : nullptr;
}

void KeepLibrariesToTheSystem()
{
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    if (hKernel == nullptr)
        return;
    using PfnSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    using PfnSetDllDirectoryW = BOOL(WINAPI*)(LPCWSTR);
    const auto pfnDefault = reinterpret_cast<PfnSetDefaultDllDirectories>(
        reinterpret_cast<void*>(::GetProcAddress(hKernel, "SetDefaultDllDirectories")));
    if (pfnDefault != nullptr && pfnDefault(kSearchSystem32))
        return;
    // An empty folder takes the current folder out of the search.
    const auto pfnDirectory =
        reinterpret_cast<PfnSetDllDirectoryW>(reinterpret_cast<void*>(::GetProcAddress(hKernel, "SetDllDirectoryW")));
    if (pfnDirectory != nullptr)
        pfnDirectory(L"");
}

std::string GetPrivateProfileString932(const char* pszSection, const std::string& strKey, const std::string& strFile)
{
    if (IsWindows9x())
    {
        char szValue[MAX_PATH] = {};
        if (!IsCp932Text(strKey) || !IsCp932Text(strFile))
            return std::string();
        const DWORD nLength =
            ::GetPrivateProfileStringA(pszSection, strKey.c_str(), "", szValue, MAX_PATH, strFile.c_str());
        return std::string(szValue, nLength < MAX_PATH ? nLength : 0);
    }
    std::wstring strWideKey, strWideFile;
    if (!WideFromCodePageExact(kCodePage932, strKey, strWideKey) ||
        !WideFromCodePageExact(kCodePage932, strFile, strWideFile))
        return std::string();
    wchar_t szValue[MAX_PATH] = {};
    const DWORD nLength = ::GetPrivateProfileStringW(WideFromCodePageLossy(kCodePage932, pszSection).c_str(),
                                                     strWideKey.c_str(), L"", szValue, MAX_PATH, strWideFile.c_str());
    std::string strValue;
    if (nLength >= MAX_PATH || !CodePageFromWideExact(kCodePage932, szValue, nLength, strValue))
        return std::string();
    return strValue;
}

UINT GetPrivateProfileInt932(const char* pszSection, const char* pszKey, const std::string& strFile)
{
    if (IsWindows9x())
        return IsCp932Text(strFile) ? ::GetPrivateProfileIntA(pszSection, pszKey, 0, strFile.c_str()) : 0;
    std::wstring strWideFile;
    if (!WideFromCodePageExact(kCodePage932, strFile, strWideFile))
        return 0;
    return ::GetPrivateProfileIntW(WideFromCodePageLossy(kCodePage932, pszSection).c_str(),
                                   WideFromCodePageLossy(kCodePage932, pszKey).c_str(), 0, strWideFile.c_str());
}

bool WritePrivateProfileString932(const char* pszSection, const std::string* pKey, const std::string* pValue,
                                  const std::string& strFile)
{
    if (IsWindows9x())
    {
        if (!IsCp932Text(strFile))
            return false;
        return ::WritePrivateProfileStringA(pszSection, pKey != nullptr ? pKey->c_str() : nullptr,
                                            pValue != nullptr ? pValue->c_str() : nullptr, strFile.c_str()) != FALSE;
    }
    std::wstring strWideFile;
    if (!WideFromCodePageExact(kCodePage932, strFile, strWideFile))
        return false;
    const std::wstring strWideKey = pKey != nullptr ? WideFromCodePageLossy(kCodePage932, *pKey) : std::wstring();
    const std::wstring strWideValue = pValue != nullptr ? WideFromCodePageLossy(kCodePage932, *pValue) : std::wstring();
    return ::WritePrivateProfileStringW(
               WideFromCodePageLossy(kCodePage932, pszSection).c_str(), pKey != nullptr ? strWideKey.c_str() : nullptr,
               pValue != nullptr ? strWideValue.c_str() : nullptr, strWideFile.c_str()) != FALSE;
}

namespace {

// False when the system cannot split the line (shell32 without CommandLineToArgvW).
bool ArgumentsFromWideCommandLine(std::vector<std::string>& args)
{
    using PfnCommandLineToArgvW = LPWSTR*(WINAPI*)(LPCWSTR, int*);
    HMODULE hShell = LoadSystemLibrary932("shell32.dll");
    const auto pfnSplit = hShell != nullptr ? reinterpret_cast<PfnCommandLineToArgvW>(
                                                  reinterpret_cast<void*>(::GetProcAddress(hShell, "CommandLineToArgvW")))
                                            : nullptr;
    int nArgs = 0;
    LPWSTR* ppArgs = pfnSplit != nullptr ? pfnSplit(::GetCommandLineW(), &nArgs) : nullptr;
    if (ppArgs != nullptr)
    {
        for (int i = 1; i < nArgs; ++i)
            args.push_back(CodePageFromWideLossy(kCodePage932, ppArgs[i]));
        ::LocalFree(ppArgs);
    }
    if (hShell != nullptr)
        ::FreeLibrary(hShell);
    return ppArgs != nullptr;
}

} // namespace

std::vector<std::string> GetCommandLineArguments932()
{
    std::vector<std::string> args;
    if (!IsWindows9x() && ArgumentsFromWideCommandLine(args))
        return args;
    for (int i = 1; i < __argc; ++i)
        args.push_back(__argv[i] != nullptr ? __argv[i] : "");
    return args;
}

void BeginUnicodeProfile932(const std::string& strPath)
{
    if (IsWindows9x() || ::GetACP() == kCodePage932 || strPath.empty())
        return;
    const CScopedKernelHandle file(CreateFile932(strPath, GENERIC_WRITE, 0, CREATE_NEW));
    if (!file.IsValid())
        return;
    const unsigned char bom[] = {0xFF, 0xFE};
    DWORD nWritten = 0;
    ::WriteFile(file.Get(), bom, sizeof bom, &nWritten, nullptr);
}
