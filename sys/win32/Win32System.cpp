#include "Win32System.h"

#include "ScopedHandle.h"
#include "Win32Registry.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kErrorElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED of Vista, unknown to older headers

HKEY RootKey(CSystem::ERoot root)
{
    return root == CSystem::ERoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Nothing held when the key cannot be opened.
CScopedRegKey OpenForReading(CSystem::ERoot root, const std::string& strKey, CSystem::ERegView view)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(RootKey(root), strKey.c_str(), 0, KEY_READ | RegViewAccess(view), &hKey) != ERROR_SUCCESS)
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
    const DWORD dwAttributes = ::GetFileAttributesA(strPath.c_str());
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesA(strPath.c_str(), dwAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

} // namespace

bool CWin32System::ReadFile(const std::string& strPath, std::string& strBytes)
{
    CScopedKernelHandle file(::CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
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
    CScopedKernelHandle file(::CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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
    return ::DeleteFileA(strPath.c_str()) != FALSE;
}

bool CWin32System::CopyFileOver(const std::string& strFrom, const std::string& strTo)
{
    // A read-only target would refuse the overwrite; files copied from a CD arrive read-only.
    ClearReadOnly(strTo);
    if (!::CopyFileA(strFrom.c_str(), strTo.c_str(), FALSE))
        return false;
    ClearReadOnly(strTo);
    return true;
}

std::vector<CFoundFile> CWin32System::FindFiles(const std::string& strPattern)
{
    std::vector<CFoundFile> found;
    WIN32_FIND_DATAA data;
    CScopedFindHandle find(::FindFirstFileA(strPattern.c_str(), &data));
    if (!find.IsValid())
        return found;
    do
    {
        CFoundFile file;
        file.m_strName = data.cFileName;
        file.m_bDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        file.m_nLastWriteTime = FromFileTime(data.ftLastWriteTime);
        found.push_back(file);
    } while (::FindNextFileA(find.Get(), &data));
    return found;
}

std::string CWin32System::GetWindowsFolder()
{
    char buffer[256];
    const UINT n = ::GetWindowsDirectoryA(buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string CWin32System::GetTempFolder()
{
    char buffer[MAX_PATH];
    const DWORD n = ::GetTempPathA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string CWin32System::GetProgramPath()
{
    char buffer[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
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
    if (!key.IsValid())
        return false;
    std::vector<char> buffer(nMaxBytes + 1, '\0');
    DWORD dwType = 0;
    DWORD dwSize = static_cast<DWORD>(nMaxBytes);
    if (::RegQueryValueExA(key.Get(), strValue.c_str(), nullptr, &dwType,
                           reinterpret_cast<BYTE*>(buffer.data()), &dwSize) != ERROR_SUCCESS)
        return false;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return false;
    // The stored data need not end in a terminator; the extra byte of the buffer stops it.
    strOut.assign(buffer.data());
    return true;
}

CSystem::EEnumResult CWin32System::RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                                                 std::size_t nMaxChars, std::string& strName, ERegView view)
{
    const CScopedRegKey key = OpenForReading(root, strKey, view);
    if (!key.IsValid())
        return EEnumResult::NoMore;
    std::vector<char> buffer(nMaxChars + 1, '\0');
    DWORD dwLength = static_cast<DWORD>(buffer.size());
    const LONG lResult = ::RegEnumKeyExA(key.Get(), nIndex, buffer.data(), &dwLength, nullptr, nullptr,
                                         nullptr, nullptr);
    if (lResult == ERROR_MORE_DATA)
        return EEnumResult::TooLong;
    if (lResult != ERROR_SUCCESS)
        return EEnumResult::NoMore;
    strName.assign(buffer.data(), dwLength);
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
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> commandLine(strCommandLine.begin(), strCommandLine.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const DWORD dwFlags = NORMAL_PRIORITY_CLASS | (bDetached ? DETACHED_PROCESS : 0);
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, dwFlags, nullptr, pszFolder,
                          &startup, &info))
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

namespace {
constexpr UINT kCodePage932 = 932;
}

bool CWin32System::Utf16ToAnsi(const std::u16string& strWide, bool bExact, std::string& strOut)
{
    if (strWide.empty())
    {
        strOut.clear();
        return true;
    }
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
    const wchar_t* pWide = reinterpret_cast<const wchar_t*>(strWide.data());
    const int nWide = static_cast<int>(strWide.size());
    // Best-fit mapping would turn characters that code page 932 lacks into look-alikes (some of
    // them path separators); they become "?" instead, or fail an exact conversion.
    const DWORD dwFlags = WC_NO_BEST_FIT_CHARS;
    BOOL bUsedDefault = FALSE;
    const int nBytes = ::WideCharToMultiByte(kCodePage932, dwFlags, pWide, nWide, nullptr, 0, nullptr,
                                             bExact ? &bUsedDefault : nullptr);
    if (nBytes <= 0 || bUsedDefault)
        return false;
    std::string strAnsi(static_cast<std::size_t>(nBytes), '\0');
    if (::WideCharToMultiByte(kCodePage932, dwFlags, pWide, nWide, &strAnsi[0], nBytes, nullptr,
                              bExact ? &bUsedDefault : nullptr) != nBytes || bUsedDefault)
        return false;
    strOut.swap(strAnsi);
    return true;
}

bool CWin32System::AnsiToUtf16(const std::string& strAnsi, std::u16string& strOut)
{
    if (strAnsi.empty())
    {
        strOut.clear();
        return true;
    }
    const int nAnsi = static_cast<int>(strAnsi.size());
    const int nWide = ::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, strAnsi.data(), nAnsi, nullptr, 0);
    if (nWide <= 0)
        return false;
    std::u16string strWide(static_cast<std::size_t>(nWide), u'\0');
    if (::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, strAnsi.data(), nAnsi,
                              reinterpret_cast<wchar_t*>(&strWide[0]), nWide) != nWide)
        return false;
    strOut.swap(strWide);
    return true;
}
