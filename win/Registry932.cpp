#include "win/Registry932.h"

#include "win/Kernel932.h"
#include "win/WideText.h"
#include "win/Windows9x.h"

#include <cwchar>
#include <vector>

CScopedRegKey RegOpenForReading932(HKEY hRoot, const std::string& strKey, REGSAM nView)
{
    HKEY hKey = nullptr;
    const LONG nResult = WithText932(
        strKey, LONG{ERROR_INVALID_NAME},
        [&](const char* p) { return ::RegOpenKeyExA(hRoot, p, 0, KEY_READ | nView, &hKey); },
        [&](const wchar_t* p) { return ::RegOpenKeyExW(hRoot, p, 0, KEY_READ | nView, &hKey); });
    return CScopedRegKey(nResult == ERROR_SUCCESS ? hKey : nullptr);
}

bool RegQueryString932(HKEY hKey, const std::string& strValue, std::size_t nMaxBytes, std::string& strOut,
                       bool& bExpandable)
{
    DWORD dwType = 0;
    if (IsWindows9x())
    {
        // The texts are the system's bytes, which are code page 932 on the Japanese systems the
        // launcher is made for.
        std::vector<char> buffer(nMaxBytes + 1, '\0');
        DWORD dwSize = static_cast<DWORD>(nMaxBytes);
        if (!IsCp932Text(strValue) ||
            ::RegQueryValueExA(hKey, strValue.c_str(), nullptr, &dwType, reinterpret_cast<BYTE*>(buffer.data()),
                               &dwSize) != ERROR_SUCCESS ||
            (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
            return false;
        strOut.assign(buffer.data());
        bExpandable = dwType == REG_EXPAND_SZ;
        return true;
    }
    std::wstring strWideValue;
    if (!WideFromCodePageExact(kCodePage932, strValue, strWideValue))
        return false;
    // Every code page 932 character takes at least one byte for its one UTF-16 unit, so data of
    // more than nMaxBytes units cannot fit; the extra unit stops data stored without terminator.
    std::vector<wchar_t> buffer(nMaxBytes + 1, L'\0');
    DWORD dwSize = static_cast<DWORD>(nMaxBytes * sizeof(wchar_t));
    if (::RegQueryValueExW(hKey, strWideValue.c_str(), nullptr, &dwType, reinterpret_cast<BYTE*>(buffer.data()),
                           &dwSize) != ERROR_SUCCESS ||
        (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
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
    bExpandable = dwType == REG_EXPAND_SZ;
    return true;
}

ERegEnum932 RegEnumKey932(HKEY hKey, DWORD nIndex, std::size_t nMaxChars, std::string& strName)
{
    // Key names have at most 255 characters.
    if (IsWindows9x())
    {
        char buffer[256];
        DWORD dwLength = sizeof buffer;
        const LONG lResult = ::RegEnumKeyExA(hKey, nIndex, buffer, &dwLength, nullptr, nullptr, nullptr, nullptr);
        if (lResult == ERROR_MORE_DATA)
            return ERegEnum932::TooLong;
        if (lResult != ERROR_SUCCESS)
            return ERegEnum932::NoMore;
        if (dwLength > nMaxChars)
            return ERegEnum932::TooLong;
        strName.assign(buffer, dwLength);
        return ERegEnum932::Found;
    }
    wchar_t buffer[256];
    DWORD dwLength = sizeof buffer / sizeof buffer[0];
    const LONG lResult = ::RegEnumKeyExW(hKey, nIndex, buffer, &dwLength, nullptr, nullptr, nullptr, nullptr);
    if (lResult == ERROR_MORE_DATA)
        return ERegEnum932::TooLong;
    if (lResult != ERROR_SUCCESS)
        return ERegEnum932::NoMore;
    std::string strCarried;
    if (!CodePageFromWideExact(kCodePage932, buffer, dwLength, strCarried))
        return ERegEnum932::NotCp932;
    if (strCarried.size() > nMaxChars)
        return ERegEnum932::TooLong;
    strName.swap(strCarried);
    return ERegEnum932::Found;
}
