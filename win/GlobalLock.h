// Keeps a global memory block locked (GlobalLock) for its own lifetime and unlocks it at the
// end; owns the lock, not the block.
#ifndef KORVELT_WIN_GLOBALLOCK_H
#define KORVELT_WIN_GLOBALLOCK_H

#include <windows.h>

class CGlobalLock
{
public:
    explicit CGlobalLock(HGLOBAL h) : m_h(h), m_p(h ? ::GlobalLock(h) : nullptr) {}
    ~CGlobalLock()
    {
        if (m_p)
            ::GlobalUnlock(m_h);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    // The block's address while locked; null when the lock failed.
    void* Get() const { return m_p; }

private:
    HGLOBAL m_h;
    void* m_p;
};

#endif
