// Keeps a global memory block locked (GlobalLock) for its own lifetime and unlocks it at the
// end; owns the lock, not the block.
#ifndef KORVELT_FW_GLOBALLOCK_H
#define KORVELT_FW_GLOBALLOCK_H

#include <windows.h>

class CGlobalLock
{
public:
    explicit CGlobalLock(HGLOBAL h) : m_h(h), m_p(h ? ::GlobalLock(h) : nullptr) {}
    ~CGlobalLock() { Unlock(); }
    CGlobalLock(CGlobalLock&& other) noexcept : m_h(other.m_h), m_p(other.m_p)
    {
        other.m_h = nullptr;
        other.m_p = nullptr;
    }
    CGlobalLock& operator=(CGlobalLock&& other) noexcept
    {
        if (this != &other)
        {
            Unlock();
            m_h = other.m_h;
            m_p = other.m_p;
            other.m_h = nullptr;
            other.m_p = nullptr;
        }
        return *this;
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    // The block's address while locked; null when the lock failed.
    void* Get() const { return m_p; }
    void Unlock()
    {
        if (m_p)
            ::GlobalUnlock(m_h);
        m_h = nullptr;
        m_p = nullptr;
    }

private:
    HGLOBAL m_h;
    void* m_p;
};

#endif
