#include "Win32System.h"

#include "Cp932.h"
#include "Kernel932.h"
#include "ScopedHandle.h"
#include "WideText.h"
#include "Win32Registry.h"
#include "Windows9x.h"

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
    if (IsWindows9x())
    {
        HKEY hKey = nullptr;
        if (!IsCp932Text(strKey) ||
            ::RegOpenKeyExA(RootKey(root), strKey.c_str(), 0, KEY_READ | RegViewAccess(view), &hKey) != ERROR_SUCCESS)
            return CScopedRegKey();
        return CScopedRegKey(hKey);
    }
    std::wstring strWideKey;
    if (!WideFromCodePageExact(kCodePage932, strKey, strWideKey))
        return CScopedRegKey();
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(RootKey(root), strWideKey.c_str(), 0, KEY_READ | RegViewAccess(view), &hKey) != ERROR_SUCCESS)
        return CScopedRegKey();
    return CScopedRegKey(hKey);
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

void ClearReadOnly(const std::string& strPath)
{
    const DWORD dwAttributes = GetFileAttributes932(strPath);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributes932(strPath, dwAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

// One entry of a search, from the find data of either character form.
template <class TData>
CFoundFile FoundFrom(const TData& data, bool bNameCarried, std::string strName)
{
    CFoundFile file;
    file.m_bNameCarried = bNameCarried;
    if (bNameCarried)
        file.m_strName.swap(strName);
    file.m_bDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    file.m_nLastWriteTime = FromFileTime(data.ftLastWriteTime);
    return file;
}

// The ANSI forms, for Windows 95/98: texts are the system's bytes, which are code page 932 on the
// Japanese systems the launcher is made for.
bool QueryStringA(HKEY hKey, const std::string& strValue, std::size_t nMaxBytes, std::string& strOut,
                  bool* pbExpandable)
{
    std::vector<char> buffer(nMaxBytes + 1, '\0');
    DWORD dwType = 0;
    DWORD dwSize = static_cast<DWORD>(nMaxBytes);
    if (::RegQueryValueExA(hKey, strValue.c_str(), nullptr, &dwType, reinterpret_cast<BYTE*>(buffer.data()),
                           &dwSize) != ERROR_SUCCESS)
        return false;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return false;
    strOut.assign(buffer.data());
    *pbExpandable = dwType == REG_EXPAND_SZ;
    return true;
}

CSystem::EEnumResult EnumSubKeyA(HKEY hKey, uint32_t nIndex, std::size_t nMaxChars, std::string& strName)
{
    char buffer[256];
    DWORD dwLength = sizeof buffer;
    const LONG lResult = ::RegEnumKeyExA(hKey, nIndex, buffer, &dwLength, nullptr, nullptr, nullptr, nullptr);
    if (lResult == ERROR_MORE_DATA)
        return CSystem::EEnumResult::TooLong;
    if (lResult != ERROR_SUCCESS)
        return CSystem::EEnumResult::NoMore;
    if (dwLength > nMaxChars)
        return CSystem::EEnumResult::TooLong;
    strName.assign(buffer, dwLength);
    return CSystem::EEnumResult::Found;
}

} // namespace

bool CWin32System::ReadFile(const std::string& strPath, std::string& strBytes)
{
    CScopedKernelHandle file(CreateFile932(strPath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
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
    CScopedKernelHandle file(CreateFile932(strPath, GENERIC_WRITE, 0, CREATE_ALWAYS));
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
    return DeleteFile932(strPath);
}

bool CWin32System::CopyFileOver(const std::string& strFrom, const std::string& strTo)
{
    if (!IsCp932Text(strFrom) || !IsCp932Text(strTo))
        return false;
    // The copy goes to a new file beside the target first, which then takes the target's place:
    // a copy that fails part-way (a scratched CD) leaves the old file and its read-only flag as
    // they were. Files copied from a CD arrive read-only; the copy loses that flag.
    const std::size_t nSlash = FindLastBackslash(strTo);
    const std::string strTemp = CreateTempFile932(nSlash == std::string::npos ? "." : strTo.substr(0, nSlash));
    if (strTemp.empty())
        return false;
    if (!CopyFile932(strFrom, strTemp))
    {
        DeleteFile932(strTemp);
        return false;
    }
    ClearReadOnly(strTemp);
    const DWORD dwOld = GetFileAttributes932(strTo);
    ClearReadOnly(strTo);
    if (!ReplaceFile932(strTemp, strTo))
    {
        if (dwOld != INVALID_FILE_ATTRIBUTES)
            SetFileAttributes932(strTo, dwOld);
        DeleteFile932(strTemp);
        return false;
    }
    return true;
}

std::vector<CFoundFile> CWin32System::FindFiles(const std::string& strPattern)
{
    std::vector<CFoundFile> found;
    if (IsWindows9x())
    {
        WIN32_FIND_DATAA data;
        CScopedFindHandle find(IsCp932Text(strPattern) ? ::FindFirstFileA(strPattern.c_str(), &data)
                                                       : INVALID_HANDLE_VALUE);
        if (!find.IsValid())
            return found;
        do
            found.push_back(FoundFrom(data, true, data.cFileName));
        while (::FindNextFileA(find.Get(), &data));
        return found;
    }
    std::wstring strWidePattern;
    if (!WideFromCodePageExact(kCodePage932, strPattern, strWidePattern))
        return found;
    WIN32_FIND_DATAW data;
    CScopedFindHandle find(::FindFirstFileW(strWidePattern.c_str(), &data));
    if (!find.IsValid())
        return found;
    do
    {
        std::string strName;
        const bool bCarried = CodePageFromWideExact(kCodePage932, data.cFileName, std::wcslen(data.cFileName), strName);
        found.push_back(FoundFrom(data, bCarried, strName));
    } while (::FindNextFileW(find.Get(), &data));
    return found;
}

std::string CWin32System::GetWindowsFolder()
{
    return GetWindowsDirectory932();
}

std::string CWin32System::GetTempFolder()
{
    return GetTempPath932();
}

std::string CWin32System::GetSystemFolder()
{
    return GetSystemDirectory932();
}

std::string CWin32System::GetSearchPath()
{
    return GetEnvironmentVariable932("PATH");
}

std::string CWin32System::GetCurrentFolder()
{
    return GetCurrentDirectory932();
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
    bool bExpandable = false;
    return QueryString(root, strKey, strValue, nMaxBytes, strOut, view, &bExpandable);
}

bool CWin32System::RegQueryCommand(ERoot root, const std::string& strKey, const std::string& strValue,
                                   std::size_t nMaxBytes, std::string& strOut, ERegView view)
{
    std::string strStored;
    bool bExpandable = false;
    if (!QueryString(root, strKey, strValue, nMaxBytes, strStored, view, &bExpandable))
        return false;
    if (!bExpandable)
    {
        strOut.swap(strStored);
        return true;
    }
    return ExpandEnvironmentStrings932(strStored, strOut);
}

bool CWin32System::QueryString(ERoot root, const std::string& strKey, const std::string& strValue,
                               std::size_t nMaxBytes, std::string& strOut, ERegView view, bool* pbExpandable)
{
    const CScopedRegKey key = OpenForReading(root, strKey, view);
    if (!key.IsValid())
        return false;
    if (IsWindows9x())
        return QueryStringA(key.Get(), strValue, nMaxBytes, strOut, pbExpandable);
    std::wstring strWideValue;
    if (!WideFromCodePageExact(kCodePage932, strValue, strWideValue))
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
    if (!CodePageFromWideExact(kCodePage932, buffer.data(), std::wcslen(buffer.data()), strOut))
        return false;
    *pbExpandable = dwType == REG_EXPAND_SZ;
    return true;
}

CSystem::EEnumResult CWin32System::RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                                                 std::size_t nMaxChars, std::string& strName, ERegView view)
{
    const CScopedRegKey key = OpenForReading(root, strKey, view);
    if (!key.IsValid())
        return EEnumResult::NoMore;
    if (IsWindows9x())
        return EnumSubKeyA(key.Get(), nIndex, nMaxChars, strName);
    // Key names have at most 255 characters.
    wchar_t buffer[256];
    DWORD dwLength = sizeof buffer / sizeof buffer[0];
    const LONG lResult = ::RegEnumKeyExW(key.Get(), nIndex, buffer, &dwLength, nullptr, nullptr, nullptr, nullptr);
    if (lResult == ERROR_MORE_DATA)
        return EEnumResult::TooLong;
    if (lResult != ERROR_SUCCESS)
        return EEnumResult::NoMore;
    std::string strCarried;
    if (!CodePageFromWideExact(kCodePage932, buffer, dwLength, strCarried))
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

CSystem::EStartResult CWin32System::StartProcess(const std::string& strProgram, const std::string& strCommandLine,
                                                 const char* pszFolder, bool bDetached)
{
    PROCESS_INFORMATION info = {};
    const DWORD dwFlags = NORMAL_PRIORITY_CLASS | (bDetached ? DETACHED_PROCESS : 0);
    if (!CreateProcess932(strProgram, strCommandLine, pszFolder, dwFlags, info))
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

bool CWin32System::Utf16ToCp932(const std::u16string& strWide, bool bExact, std::string& strOut)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
    const wchar_t* pWide = reinterpret_cast<const wchar_t*>(strWide.data());
    if (bExact)
        return CodePageFromWideExact(kCodePage932, pWide, strWide.size(), strOut);
    std::string strLossy = CodePageFromWideLossy(kCodePage932, pWide, strWide.size());
    if (strLossy.empty() && !strWide.empty())
        return false;
    strOut.swap(strLossy);
    return true;
}

bool CWin32System::Cp932ToUtf16(const std::string& strText, std::u16string& strOut)
{
    std::wstring strWide;
    if (!WideFromCodePageExact(kCodePage932, strText, strWide))
        return false;
    strOut.assign(strWide.begin(), strWide.end());
    return true;
}
