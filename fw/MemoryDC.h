// A memory device context (CreateCompatibleDC) deleted with DeleteDC at the end.
#ifndef KORVELT_FW_MEMORYDC_H
#define KORVELT_FW_MEMORYDC_H

#include <windows.h>

class CMemoryDC
{
public:
    // Compatible with hDC, or with the screen when hDC is null.
    explicit CMemoryDC(HDC hDC = nullptr) : m_hDC(::CreateCompatibleDC(hDC)) {}
    ~CMemoryDC() { Delete(); }
    CMemoryDC(CMemoryDC&& other) noexcept : m_hDC(other.m_hDC) { other.m_hDC = nullptr; }
    CMemoryDC& operator=(CMemoryDC&& other) noexcept
    {
        if (this != &other)
        {
            Delete();
            m_hDC = other.m_hDC;
            other.m_hDC = nullptr;
        }
        return *this;
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    bool IsValid() const { return m_hDC != nullptr; }
    HDC Get() const { return m_hDC; }

private:
    void Delete()
    {
        if (m_hDC)
            ::DeleteDC(m_hDC);
        m_hDC = nullptr;
    }

    HDC m_hDC;
};

#endif
