#include "tests/support/System932.h"

#include "win/Kernel932.h"
#include "win/Registry932.h"
#include "win/ScopedHandle.h"
#include "win/WideText.h"

#include <shlwapi.h>

#include <cwchar>

bool CreateFolder932(const std::string& strPath)
{
    return WithText932(strPath, false, [](const char* p) { return ::CreateDirectoryA(p, nullptr) != FALSE; },
                       [](const wchar_t* p) { return ::CreateDirectoryW(p, nullptr) != FALSE; });
}

std::vector<std::string> ListFolder932(const std::string& strPath)
{
    std::vector<std::string> names;
    for (const CFound932& found : FindFiles932(strPath + "\\*"))
    {
        // A name that code page 932 cannot carry is listed as "?", which names no file.
        const std::string strName = found.m_bNameCarried ? found.m_strName : "?";
        if (strName != "." && strName != "..")
            names.push_back(strName);
    }
    return names;
}

bool RemoveTree932(const std::string& strPath)
{
    const DWORD nAttributes = GetFileAttributes932(strPath);
    if (nAttributes == INVALID_FILE_ATTRIBUTES)
        return false;
    // Windows deletes no read-only file, and some tests make one on purpose.
    if (nAttributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributes932(strPath, nAttributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(nAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteFile932(strPath);
    for (const std::string& strName : ListFolder932(strPath))
        RemoveTree932(strPath + "\\" + strName);
    return WithText932(strPath, false, [](const char* p) { return ::RemoveDirectoryA(p) != FALSE; },
                       [](const wchar_t* p) { return ::RemoveDirectoryW(p) != FALSE; });
}

bool WriteFile932(const std::string& strPath, const std::string& strBytes)
{
    CScopedKernelHandle hFile(CreateFile932(strPath, GENERIC_WRITE, 0, CREATE_ALWAYS));
    DWORD nWritten = 0;
    return hFile.IsValid() &&
           ::WriteFile(hFile.Get(), strBytes.data(), static_cast<DWORD>(strBytes.size()), &nWritten, nullptr) &&
           nWritten == strBytes.size();
}

std::optional<std::string> ReadFile932(const std::string& strPath)
{
    CScopedKernelHandle hFile(CreateFile932(strPath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    if (!hFile.IsValid())
        return std::nullopt;
    std::string strBytes;
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(hFile.Get(), buffer, sizeof buffer, &nRead, nullptr) && nRead != 0)
        strBytes.append(buffer, nRead);
    return strBytes;
}

bool SetRegString932(HKEY hRoot, const std::string& strKey, const std::string& strValue, const std::string& strData)
{
    HKEY hKey = nullptr;
    const LONG nCreated = WithText932(
        strKey, LONG{ERROR_INVALID_NAME},
        [&](const char* p) { return ::RegCreateKeyExA(hRoot, p, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr); },
        [&](const wchar_t* p) { return ::RegCreateKeyExW(hRoot, p, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr); });
    const CScopedRegKey key(nCreated == ERROR_SUCCESS ? hKey : nullptr);
    if (!key.IsValid())
        return false;
    return WithTexts932(
        strValue, strData, false,
        [&](const char* pValue, const char* pData) {
            return ::RegSetValueExA(key.Get(), pValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(pData),
                                    static_cast<DWORD>(strData.size() + 1)) == ERROR_SUCCESS;
        },
        [&](const wchar_t* pValue, const wchar_t* pData) {
            return ::RegSetValueExW(key.Get(), pValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(pData),
                                    static_cast<DWORD>((std::wcslen(pData) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        });
}

bool RegKeyExists932(HKEY hRoot, const std::string& strKey)
{
    return RegOpenForReading932(hRoot, strKey, 0).IsValid();
}

void DeleteRegTree932(HKEY hRoot, const std::string& strKey)
{
    WithText932(strKey, false, [hRoot](const char* p) { return ::SHDeleteKeyA(hRoot, p) == ERROR_SUCCESS; },
                [hRoot](const wchar_t* p) { return ::SHDeleteKeyW(hRoot, p) == ERROR_SUCCESS; });
}

std::string ReadProfile932(const std::string& strFile, const char* pszSection, const char* pszKey,
                           const char* pszDefault)
{
    const std::wstring strSection = WideFromCodePageLossy(kCodePage932, pszSection);
    const std::wstring strKey = WideFromCodePageLossy(kCodePage932, pszKey);
    const std::wstring strDefault = WideFromCodePageLossy(kCodePage932, pszDefault);
    const std::wstring strWideFile = WideFromCodePageLossy(kCodePage932, strFile);
    return TextFromSystem932<MAX_PATH>(
        [&](char* p, DWORD n) { return ::GetPrivateProfileStringA(pszSection, pszKey, pszDefault, p, n, strFile.c_str()); },
        [&](wchar_t* p, DWORD n) {
            return ::GetPrivateProfileStringW(strSection.c_str(), strKey.c_str(), strDefault.c_str(), p, n,
                                              strWideFile.c_str());
        },
        false);
}

std::string GetClassName932(HWND hWnd)
{
    return TextFromSystem932<64>([hWnd](char* p, DWORD n) { return static_cast<DWORD>(::GetClassNameA(hWnd, p, static_cast<int>(n))); },
                                 [hWnd](wchar_t* p, DWORD n) { return static_cast<DWORD>(::GetClassNameW(hWnd, p, static_cast<int>(n))); },
                                 false);
}

std::string GetFontFace932(HFONT hFont)
{
    LOGFONTA lfA{};
    LOGFONTW lfW{};
    return TextFromSystem932<LF_FACESIZE + 1>(
        [&](char* p, DWORD) {
            ::GetObjectA(hFont, sizeof lfA, &lfA);
            lstrcpynA(p, lfA.lfFaceName, LF_FACESIZE);
            return static_cast<DWORD>(lstrlenA(p));
        },
        [&](wchar_t* p, DWORD) {
            ::GetObjectW(hFont, sizeof lfW, &lfW);
            lstrcpynW(p, lfW.lfFaceName, LF_FACESIZE);
            return static_cast<DWORD>(lstrlenW(p));
        },
        false);
}
