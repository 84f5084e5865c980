#include "Win32System.h"

#include "ScopedHandle.h"
#include "WideText.h"
#include "Win32Registry.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

constexpr DWORD kErrorElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED of Vista, unknown to older headers

HKEY RootKey(CSystem::ERoot root)
{
    return root == CSystem::ERoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Nothing held when the key cannot be opened, its path included when it is not code page 932.
CScopedRegKey OpenForReading(CSystem::ERoot root, const std::string& strKey, CSystem::ERegView view)
{
    std::wstring strWideKey;
    if (!WideFrom932Exact(strKey, strWideKey))
        return CScopedRegKey();
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(RootKey(root), strWideKey.c_str(), 0, KEY_READ | RegViewAccess(view), &hKey) != ERROR_SUCCESS)
        return CScopedRegKey();
    return CScopedRegKey(hKey);
}

// A path that the system wrote into a buffer of nCapacity characters, n the length it reported.
// Empty when it did not fit, and when code page 932 cannot carry it: such a path is treated like
// a missing folder rather than turned into another one.
std::string PathFromSystem(const wchar_t* pBuffer, DWORD n, DWORD nCapacity)
{
    std::string strPath;
    if (n == 0 || n >= nCapacity || !Cp932FromWide(pBuffer, n, strPath))
        return std::string();
    return strPath;
}

uint64_t FromFileTime(const FILETIME& ft)
{
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME ToFileTime(uint64_t n)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(n);
    ft.dwHighDateTime = static_cast<DWORD>(n >> 32);
    return ft;
}

void ClearReadOnly(const std::wstring& strPath)
{
    const DWORD dwAttributes = ::GetFileAttributesW(strPath.c_str());
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(strPath.c_str(), dwAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

} // namespace

bool CWin32System::ReadFile(const std::string& strPath, std::string& strBytes)
{
    std::wstring strWidePath;
    if (!WideFrom932Exact(strPath, strWidePath))
        return false;
    CScopedKernelHandle file(::CreateFileW(strWidePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    std::string strRead;
    char buffer[16 * 1024];
    for (;;)
    {
        DWORD dwRead = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &dwRead, nullptr))
            return false;
        if (dwRead == 0)
            break;
        strRead.append(buffer, dwRead);
    }
    strBytes.swap(strRead);
    return true;
}

bool CWin32System::WriteFile(const std::string& strPath, const std::string& strBytes)
{
    std::wstring strWidePath;
    if (!WideFrom932Exact(strPath, strWidePath))
        return false;
    CScopedKernelHandle file(::CreateFileW(strWidePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    std::size_t nDone = 0;
    while (nDone < strBytes.size())
    {
        DWORD dwWritten = 0;
        const DWORD dwChunk = static_cast<DWORD>(std::min<std::size_t>(strBytes.size() - nDone, 1 << 20));
        if (!::WriteFile(file.Get(), strBytes.data() + nDone, dwChunk, &dwWritten, nullptr) || dwWritten == 0)
            return false;
        nDone += dwWritten;
    }
    return true;
}

bool CWin32System::RemoveFile(const std::string& strPath)
{
    std::wstring strWidePath;
    return WideFrom932Exact(strPath, strWidePath) && ::DeleteFileW(strWidePath.c_str()) != FALSE;
}

bool CWin32System::CopyFileOver(const std::string& strFrom, const std::string& strTo)
{
    std::wstring strWideFrom, strWideTo;
    if (!WideFrom932Exact(strFrom, strWideFrom) || !WideFrom932Exact(strTo, strWideTo))
        return false;
    // A read-only target would refuse the overwrite; files copied from a CD arrive read-only.
    ClearReadOnly(strWideTo);
    if (!::CopyFileW(strWideFrom.c_str(), strWideTo.c_str(), FALSE))
        return false;
    ClearReadOnly(strWideTo);
    return true;
}

std::vector<CFoundFile> CWin32System::FindFiles(const std::string& strPattern)
{
    std::vector<CFoundFile> found;
    std::wstring strWidePattern;
    if (!WideFrom932Exact(strPattern, strWidePattern))
        return found;
    WIN32_FIND_DATAW data;
    CScopedFindHandle find(::FindFirstFileW(strWidePattern.c_str(), &data));
    if (!find.IsValid())
        return found;
    do
    {
        CFoundFile file;
        file.m_bNameCarried = Cp932FromWide(data.cFileName, std::wcslen(data.cFileName), file.m_strName);
        file.m_bDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        file.m_nLastWriteTime = FromFileTime(data.ftLastWriteTime);
        found.push_back(file);
    } while (::FindNextFileW(find.Get(), &data));
    return found;
}

std::string CWin32System::GetWindowsFolder()
{
    wchar_t buffer[MAX_PATH];
    return PathFromSystem(buffer, ::GetWindowsDirectoryW(buffer, MAX_PATH), MAX_PATH);
}

std::string CWin32System::GetTempFolder()
{
    wchar_t buffer[MAX_PATH];
    return PathFromSystem(buffer, ::GetTempPathW(MAX_PATH, buffer), MAX_PATH);
}

std::string CWin32System::GetProgramPath()
{
    wchar_t buffer[MAX_PATH];
    return PathFromSystem(buffer, ::GetModuleFileNameW(nullptr, buffer, MAX_PATH), MAX_PATH);
}

uint32_t CWin32System::GetVersion()
{
    return ::GetVersion();
}

bool CWin32System::RegKeyExists(ERoot root, const std::string& strKey, ERegView view)
{
    return OpenForReading(root, strKey, view).IsValid();
}

bool CWin32System::RegQueryString(ERoot root, const std::string& strKey, const std::string& strValue,
                                  std::size_t nMaxBytes, std::string& strOut, ERegView view)
{
    const CScopedRegKey key = OpenForReading(root, strKey, view);
    std::wstring strWideValue;
    if (!key.IsValid() || !WideFrom932Exact(strValue, strWideValue))
        return false;
    // Every code page 932 character takes at least one byte for its one UTF-16 unit, so data of
    // more than nMaxBytes units cannot fit; the extra unit stops data stored without terminator.
    std::vector<wchar_t> buffer(nMaxBytes + 1, L'\0');
    DWORD dwType = 0;
    DWORD dwSize = static_cast<DWORD>(nMaxBytes * sizeof(wchar_t));
    if (::RegQueryValueExW(key.Get(), strWideValue.c_str(), nullptr, &dwType,
                           reinterpret_cast<BYTE*>(buffer.data()), &dwSize) != ERROR_SUCCESS)
        return false;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return false;
    // The room is counted in code page 932 bytes of the data as stored, terminator included when
    // it is stored, as the ANSI function counts it.
    const int nStored = static_cast<int>(dwSize / sizeof(wchar_t));
    const int nBytes =
        nStored == 0 ? 0 : ::WideCharToMultiByte(kCodePage932, 0, buffer.data(), nStored, nullptr, 0, nullptr, nullptr);
    if (nBytes < 0 || static_cast<std::size_t>(nBytes) > nMaxBytes)
        return false;
    // A text with a character that code page 932 lacks is no value the launcher can use: a
    // display name with a stand-in would match another, an uninstall string would name another file.
    return Cp932FromWide(buffer.data(), std::wcslen(buffer.data()), strOut);
}

CSystem::EEnumResult CWin32System::RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                                                 std::size_t nMaxChars, std::string& strName, ERegView view)
{
    const CScopedRegKey key = OpenForReading(root, strKey, view);
    if (!key.IsValid())
        return EEnumResult::NoMore;
    // Key names have at most 255 characters.
    wchar_t buffer[256];
    DWORD dwLength = sizeof buffer / sizeof buffer[0];
    const LONG lResult = ::RegEnumKeyExW(key.Get(), nIndex, buffer, &dwLength, nullptr, nullptr, nullptr, nullptr);
    if (lResult == ERROR_MORE_DATA)
        return EEnumResult::TooLong;
    if (lResult != ERROR_SUCCESS)
        return EEnumResult::NoMore;
    std::string strCarried;
    if (!Cp932FromWide(buffer, dwLength, strCarried))
        return EEnumResult::NotCp932;
    if (strCarried.size() > nMaxChars)
        return EEnumResult::TooLong;
    strName.swap(strCarried);
    return EEnumResult::Found;
}

bool CWin32System::DosDateTimeToFileTime(uint16_t nDate, uint16_t nTime, uint64_t& nFileTime)
{
    FILETIME ft;
    if (!::DosDateTimeToFileTime(nDate, nTime, &ft))
        return false;
    nFileTime = FromFileTime(ft);
    return true;
}

uint64_t CWin32System::FileTimeToLocalFileTime(uint64_t nFileTime)
{
    const FILETIME ft = ToFileTime(nFileTime);
    FILETIME local;
    if (!::FileTimeToLocalFileTime(&ft, &local))
        return nFileTime;
    return FromFileTime(local);
}

CSystem::EStartResult CWin32System::StartProcess(const std::string& strCommandLine, const char* pszFolder,
                                                 bool bDetached)
{
    std::wstring strWideCommand, strWideFolder;
    if (!WideFrom932Exact(strCommandLine, strWideCommand) ||
        (pszFolder && !WideFrom932Exact(pszFolder, strWideFolder)))
        return EStartResult::Failed;
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> commandLine(strWideCommand.begin(), strWideCommand.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const DWORD dwFlags = NORMAL_PRIORITY_CLASS | (bDetached ? DETACHED_PROCESS : 0);
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, dwFlags, nullptr,
                          pszFolder ? strWideFolder.c_str() : nullptr, &startup, &info))
        return ::GetLastError() == kErrorElevationRequired ? EStartResult::ElevationRequired : EStartResult::Failed;
    // The launcher never waits for its children: their handles are closed at once.
    CScopedKernelHandle process(info.hProcess);
    CScopedKernelHandle thread(info.hThread);
    return EStartResult::Started;
}

CSystem& DefaultSystem()
{
    static CWin32System s_system;
    return s_system;
}

bool CWin32System::Utf16ToAnsi(const std::u16string& strWide, bool bExact, std::string& strOut)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
    const wchar_t* pWide = reinterpret_cast<const wchar_t*>(strWide.data());
    if (bExact)
        return Cp932FromWide(pWide, strWide.size(), strOut);
    std::string strLossy = Cp932FromWideLossy(std::wstring(pWide, strWide.size()));
    if (strLossy.empty() && !strWide.empty())
        return false;
    strOut.swap(strLossy);
    return true;
}

bool CWin32System::AnsiToUtf16(const std::string& strAnsi, std::u16string& strOut)
{
    std::wstring strWide;
    if (!WideFrom932Exact(strAnsi, strWide))
        return false;
    strOut.assign(strWide.begin(), strWide.end());
    return true;
}
