// Owns a file search handle from FindFirstFileA and ends the search.
#ifndef KORVELT_SYS_WIN32_SCOPEDFINDHANDLE_H
#define KORVELT_SYS_WIN32_SCOPEDFINDHANDLE_H

#include <windows.h>

class CScopedFindHandle
{
public:
    explicit CScopedFindHandle(HANDLE h) : m_h(h) {}
    ~CScopedFindHandle()
    {
        if (IsValid())
            ::FindClose(m_h);
    }
    CScopedFindHandle(const CScopedFindHandle&) = delete;
    CScopedFindHandle& operator=(const CScopedFindHandle&) = delete;

    bool IsValid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

#endif
