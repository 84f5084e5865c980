#include "sys/win32/Win32System.h"

#include "sys/DosTime.h"
#include "sys/win32/Win32FollowedProcess.h"
#include "sys/win32/Win32Registry.h"
#include "utils/Cp932.h"
#include "win/Kernel932.h"
#include "win/ProcessJob.h"
#include "win/Registry932.h"
#include "win/ScopedHandle.h"
#include "win/WideText.h"
#include "win/Windows9x.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

constexpr DWORD kErrorElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED of Vista, unknown to older headers

HKEY RootKey(CSystem::ERoot root)
{
    return root == CSystem::ERoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

CScopedRegKey OpenForReading(CSystem::ERoot root, const std::string& strKey, CSystem::ERegView view)
{
    return RegOpenForReading932(RootKey(root), strKey, RegViewAccess(view));
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

// A file's last-write time, through a handle: GetFileAttributesEx is not on Windows 95.
bool LastWriteTime(const std::string& strPath, uint64_t& nTime)
{
    CScopedKernelHandle file(CreateFile932(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    FILETIME written;
    if (!file.IsValid() || !::GetFileTime(file.Get(), nullptr, nullptr, &written))
        return false;
    nTime = FromFileTime(written);
    return true;
}

// Writes all the bytes at the file's current position.
bool WriteAll(HANDLE hFile, const std::string& strBytes)
{
    std::size_t nDone = 0;
    while (nDone < strBytes.size())
    {
        DWORD dwWritten = 0;
        const DWORD dwChunk = static_cast<DWORD>(std::min<std::size_t>(strBytes.size() - nDone, 1 << 20));
        if (!::WriteFile(hFile, strBytes.data() + nDone, dwChunk, &dwWritten, nullptr) || dwWritten == 0)
            return false;
        nDone += dwWritten;
    }
    return true;
}

} // namespace

bool CWin32System::ReadFile(const std::string& strPath, std::string& strBytes, std::size_t nMaxBytes)
{
    CScopedKernelHandle file(CreateFile932(strPath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    if (!file.IsValid())
        return false;
    std::string strRead;
    char buffer[16 * 1024];
    while (strRead.size() < nMaxBytes)
    {
        DWORD dwRead = 0;
        const DWORD dwWant = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, nMaxBytes - strRead.size()));
        if (!::ReadFile(file.Get(), buffer, dwWant, &dwRead, nullptr))
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
    return file.IsValid() && WriteAll(file.Get(), strBytes);
}

bool CWin32System::AppendFile(const std::string& strPath, const std::string& strBytes)
{
    CScopedKernelHandle file(CreateFile932(strPath, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS));
    if (!file.IsValid() || SetFilePointer(file.Get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER)
        return false;
    return WriteAll(file.Get(), strBytes);
}

bool CWin32System::RemoveFile(const std::string& strPath)
{
    return DeleteFile932(strPath);
}

bool CWin32System::CopyFileOver(const std::string& strFrom, const std::string& strTo, EReplace replace)
{
    if (!IsCp932Text(strFrom) || !IsCp932Text(strTo))
        return false;
    // The system's own copy fails on a read-only or hidden target and leaves it; so does this one.
    const DWORD dwOld = GetFileAttributes932(strTo);
    const bool bTargetThere = dwOld != INVALID_FILE_ATTRIBUTES;
    if (bTargetThere && (dwOld & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;
    uint64_t nTarget = 0;
    uint64_t nSource = 0;
    if (bTargetThere && replace == EReplace::Older &&
        (!LastWriteTime(strTo, nTarget) || !LastWriteTime(strFrom, nSource) || !IsOlderFileTime(nTarget, nSource)))
        return false;
    // The copy goes to a new file beside the target first, which then takes the target's place:
    // a copy that fails part-way (a scratched CD) leaves the old file as it was. Files copied from
    // a CD arrive read-only; the copy loses that flag.
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
    if (ReplaceFile932(strTemp, strTo))
        return true;
    // Were the target ever gone after a failed replace, the temporary would be the one file left
    // of the two, and it stays.
    if (!bTargetThere || GetFileAttributes932(strTo) != INVALID_FILE_ATTRIBUTES)
        DeleteFile932(strTemp);
    return false;
}

std::vector<CFoundFile> CWin32System::FindFiles(const std::string& strPattern)
{
    std::vector<CFoundFile> found;
    for (CFound932& entry : FindFiles932(strPattern))
    {
        CFoundFile file;
        file.m_strName.swap(entry.m_strName);
        file.m_bNameCarried = entry.m_bNameCarried;
        file.m_bDirectory = (entry.m_dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        file.m_nLastWriteTime = FromFileTime(entry.m_ftLastWrite);
        found.push_back(std::move(file));
    }
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

COsVersion CWin32System::GetOsVersion()
{
    return RunningWindows();
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
    return key.IsValid() && RegQueryString932(key.Get(), strValue, nMaxBytes, strOut, *pbExpandable);
}

CSystem::EEnumResult CWin32System::RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                                                 std::size_t nMaxChars, std::string& strName, ERegView view)
{
    const CScopedRegKey key = OpenForReading(root, strKey, view);
    if (!key.IsValid())
        return EEnumResult::NoMore;
    switch (RegEnumKey932(key.Get(), nIndex, nMaxChars, strName))
    {
    case ERegEnum932::Found: return EEnumResult::Found;
    case ERegEnum932::TooLong: return EEnumResult::TooLong;
    case ERegEnum932::NotCp932: return EEnumResult::NotCp932;
    case ERegEnum932::NoMore: break;
    }
    return EEnumResult::NoMore;
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

uint64_t CWin32System::GetNow()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

void CWin32System::Pause(uint32_t nMilliseconds)
{
    Sleep(nMilliseconds);
}

CSystem::EStartResult CWin32System::StartProcess(const std::string& strProgram, const std::string& strCommandLine,
                                                 const char* pszFolder, bool bDetached,
                                                 std::unique_ptr<CFollowedProcess>* pFollow)
{
    // A followed program starts suspended inside its job, so that none of its own children can
    // start outside it.
    CProcessJob job = pFollow != nullptr ? CProcessJob::Create() : CProcessJob();
    PROCESS_INFORMATION info = {};
    const DWORD dwFlags =
        NORMAL_PRIORITY_CLASS | (bDetached ? DETACHED_PROCESS : 0) | (job.IsValid() ? CREATE_SUSPENDED : 0);
    if (!CreateProcess932(strProgram, strCommandLine, pszFolder, dwFlags, info))
        return ::GetLastError() == kErrorElevationRequired ? EStartResult::ElevationRequired : EStartResult::Failed;
    CScopedKernelHandle process(info.hProcess);
    CScopedKernelHandle thread(info.hThread);
    if (job.IsValid())
    {
        // Refused (the launcher runs in a job that allows none inside it): the handle alone.
        if (!job.Assign(process.Get()))
            job = CProcessJob();
        ::ResumeThread(thread.Get());
    }
    if (pFollow != nullptr)
        *pFollow = std::make_unique<CWin32FollowedProcess>(std::move(process), std::move(job));
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
