// Owns a kernel object handle (file, process, thread) and closes it; NULL and
// INVALID_HANDLE_VALUE both count as no handle.
#ifndef KORVELT_SYS_WIN32_SCOPEDHANDLE_H
#define KORVELT_SYS_WIN32_SCOPEDHANDLE_H

#include <windows.h>

class CScopedHandle
{
public:
    CScopedHandle() = default;
    explicit CScopedHandle(HANDLE h) : m_h(h) {}
    ~CScopedHandle() { Close(); }
    CScopedHandle(CScopedHandle&& other) noexcept : m_h(other.Take()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other)
        {
            Close();
            m_h = other.Take();
        }
        return *this;
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    bool IsValid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    HANDLE Take()
    {
        HANDLE h = m_h;
        m_h = nullptr;
        return h;
    }
    void Close()
    {
        if (IsValid())
            ::CloseHandle(m_h);
        m_h = nullptr;
    }

private:
    HANDLE m_h = nullptr;
};

#endif
