// A window's client-area device context for the holder's lifetime: GetDC at construction,
// ReleaseDC at the end.
#ifndef KORVELT_WIN_CLIENTDC_H
#define KORVELT_WIN_CLIENTDC_H

#include <windows.h>

class CClientDC
{
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~CClientDC()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    bool IsValid() const { return m_hDC != nullptr; }
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

#endif
