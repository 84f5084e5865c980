// Owns an open registry key and closes it.
#ifndef KORVELT_SYS_WIN32_SCOPEDREGKEY_H
#define KORVELT_SYS_WIN32_SCOPEDREGKEY_H

#include <windows.h>

class CScopedRegKey
{
public:
    CScopedRegKey() = default;
    ~CScopedRegKey()
    {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    CScopedRegKey(const CScopedRegKey&) = delete;
    CScopedRegKey& operator=(const CScopedRegKey&) = delete;

    // Opens a subkey for reading; false (and no key held) when it cannot be opened.
    bool OpenForReading(HKEY hRoot, const char* pszSubKey)
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(hRoot, pszSubKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        if (m_hKey)
            ::RegCloseKey(m_hKey);
        m_hKey = hKey;
        return true;
    }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

#endif
