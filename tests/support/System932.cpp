#include "System932.h"

#include "Kernel932.h"
#include "ScopedHandle.h"
#include "WideText.h"
#include "Windows9x.h"

#include <shlwapi.h>

bool CreateFolder932(const std::string& strPath)
{
    if (IsWindows9x())
        return IsCp932Text(strPath) && ::CreateDirectoryA(strPath.c_str(), nullptr) != FALSE;
    std::wstring strWide;
    return WideFromCodePageExact(kCodePage932, strPath, strWide) &&
           ::CreateDirectoryW(strWide.c_str(), nullptr) != FALSE;
}

std::vector<std::string> ListFolder932(const std::string& strPath)
{
    std::vector<std::string> names;
    auto add = [&](std::string strName) {
        if (strName != "." && strName != "..")
            names.push_back(std::move(strName));
    };
    const std::string strPattern = strPath + "\\*";
    if (IsWindows9x())
    {
        WIN32_FIND_DATAA found{};
        CScopedFindHandle hFind(IsCp932Text(strPattern) ? ::FindFirstFileA(strPattern.c_str(), &found)
                                                        : INVALID_HANDLE_VALUE);
        if (!hFind.IsValid())
            return names;
        do
            add(found.cFileName);
        while (::FindNextFileA(hFind.Get(), &found));
        return names;
    }
    std::wstring strWide;
    WIN32_FIND_DATAW found{};
    CScopedFindHandle hFind(WideFromCodePageExact(kCodePage932, strPattern, strWide)
                                ? ::FindFirstFileW(strWide.c_str(), &found)
                                : INVALID_HANDLE_VALUE);
    if (!hFind.IsValid())
        return names;
    do
        add(CodePageFromWideLossy(kCodePage932, found.cFileName));
    while (::FindNextFileW(hFind.Get(), &found));
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
    if (IsWindows9x())
        return ::RemoveDirectoryA(strPath.c_str()) != FALSE;
    std::wstring strWide;
    return WideFromCodePageExact(kCodePage932, strPath, strWide) && ::RemoveDirectoryW(strWide.c_str()) != FALSE;
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

namespace
{
// The key opened or created for writing; null when it cannot be.
HKEY CreateKeyForWriting(HKEY hRoot, const std::string& strKey)
{
    HKEY hKey = nullptr;
    if (IsWindows9x())
    {
        if (!IsCp932Text(strKey) || ::RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                      KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
            return nullptr;
        return hKey;
    }
    std::wstring strWide;
    if (!WideFromCodePageExact(kCodePage932, strKey, strWide) ||
        ::RegCreateKeyExW(hRoot, strWide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &hKey, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}
}

bool SetRegString932(HKEY hRoot, const std::string& strKey, const std::string& strValue, const std::string& strData)
{
    CScopedRegKey hKey(CreateKeyForWriting(hRoot, strKey));
    if (!hKey.IsValid())
        return false;
    if (IsWindows9x())
        return IsCp932Text(strValue) && IsCp932Text(strData) &&
               ::RegSetValueExA(hKey.Get(), strValue.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(strData.c_str()),
                                static_cast<DWORD>(strData.size() + 1)) == ERROR_SUCCESS;
    std::wstring strWideValue, strWideData;
    return WideFromCodePageExact(kCodePage932, strValue, strWideValue) &&
           WideFromCodePageExact(kCodePage932, strData, strWideData) &&
           ::RegSetValueExW(hKey.Get(), strWideValue.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(strWideData.c_str()),
                            static_cast<DWORD>((strWideData.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegKeyExists932(HKEY hRoot, const std::string& strKey)
{
    HKEY hKey = nullptr;
    LONG nResult = ERROR_FILE_NOT_FOUND;
    std::wstring strWide;
    if (IsWindows9x())
        nResult = IsCp932Text(strKey) ? ::RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) : nResult;
    else if (WideFromCodePageExact(kCodePage932, strKey, strWide))
        nResult = ::RegOpenKeyExW(hRoot, strWide.c_str(), 0, KEY_READ, &hKey);
    CScopedRegKey key(nResult == ERROR_SUCCESS ? hKey : nullptr);
    return key.IsValid();
}

void DeleteRegTree932(HKEY hRoot, const std::string& strKey)
{
    if (IsWindows9x())
    {
        if (IsCp932Text(strKey))
            ::SHDeleteKeyA(hRoot, strKey.c_str());
        return;
    }
    std::wstring strWide;
    if (WideFromCodePageExact(kCodePage932, strKey, strWide))
        ::SHDeleteKeyW(hRoot, strWide.c_str());
}

std::string ReadProfile932(const std::string& strFile, const char* pszSection, const char* pszKey,
                           const char* pszDefault)
{
    if (IsWindows9x())
    {
        char szValue[MAX_PATH] = {};
        ::GetPrivateProfileStringA(pszSection, pszKey, pszDefault, szValue, MAX_PATH, strFile.c_str());
        return szValue;
    }
    wchar_t szValue[MAX_PATH] = {};
    ::GetPrivateProfileStringW(WideFromCodePageLossy(kCodePage932, pszSection).c_str(),
                               WideFromCodePageLossy(kCodePage932, pszKey).c_str(),
                               WideFromCodePageLossy(kCodePage932, pszDefault).c_str(), szValue, MAX_PATH,
                               WideFromCodePageLossy(kCodePage932, strFile).c_str());
    return CodePageFromWideLossy(kCodePage932, szValue);
}

std::string GetClassName932(HWND hWnd)
{
    if (IsWindows9x())
    {
        char szClass[64] = {};
        ::GetClassNameA(hWnd, szClass, 64);
        return szClass;
    }
    wchar_t szClass[64] = {};
    ::GetClassNameW(hWnd, szClass, 64);
    return CodePageFromWideLossy(kCodePage932, szClass);
}

std::string GetFontFace932(HFONT hFont)
{
    if (IsWindows9x())
    {
        LOGFONTA lf{};
        ::GetObjectA(hFont, sizeof lf, &lf);
        return lf.lfFaceName;
    }
    LOGFONTW lf{};
    ::GetObjectW(hFont, sizeof lf, &lf);
    return CodePageFromWideLossy(kCodePage932, lf.lfFaceName);
}
