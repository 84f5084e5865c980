// Owns a global memory block (HGLOBAL) and frees it with GlobalFree.
#ifndef KORVELT_FW_SCOPEDGLOBAL_H
#define KORVELT_FW_SCOPEDGLOBAL_H

#include <windows.h>

class CScopedGlobal
{
public:
    CScopedGlobal() = default;
    explicit CScopedGlobal(HGLOBAL h) : m_h(h) {}
    ~CScopedGlobal() { Free(); }
    CScopedGlobal(CScopedGlobal&& other) noexcept : m_h(other.Take()) {}
    CScopedGlobal& operator=(CScopedGlobal&& other) noexcept
    {
        if (this != &other)
        {
            Free();
            m_h = other.Take();
        }
        return *this;
    }
    CScopedGlobal(const CScopedGlobal&) = delete;
    CScopedGlobal& operator=(const CScopedGlobal&) = delete;

    bool IsValid() const { return m_h != nullptr; }
    HGLOBAL Get() const { return m_h; }
    HGLOBAL Take()
    {
        HGLOBAL h = m_h;
        m_h = nullptr;
        return h;
    }
    void Free()
    {
        if (m_h)
            ::GlobalFree(m_h);
        m_h = nullptr;
    }

private:
    HGLOBAL m_h = nullptr;
};

#endif
