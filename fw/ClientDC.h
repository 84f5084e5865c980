// A window's client-area device context for the holder's lifetime: GetDC at construction,
// ReleaseDC at the end.
#ifndef KORVELT_FW_CLIENTDC_H
#define KORVELT_FW_CLIENTDC_H

#include <windows.h>

class CClientDC
{
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~CClientDC() { Release(); }
    CClientDC(CClientDC&& other) noexcept : m_hWnd(other.m_hWnd), m_hDC(other.m_hDC)
    {
        other.m_hDC = nullptr;
    }
    CClientDC& operator=(CClientDC&& other) noexcept
    {
        if (this != &other)
        {
            Release();
            m_hWnd = other.m_hWnd;
            m_hDC = other.m_hDC;
            other.m_hDC = nullptr;
        }
        return *this;
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    bool IsValid() const { return m_hDC != nullptr; }
    HDC Get() const { return m_hDC; }

private:
    void Release()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
        m_hDC = nullptr;
    }

    HWND m_hWnd;
    HDC m_hDC;
};

#endif
