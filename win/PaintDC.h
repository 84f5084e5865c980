// The device context of one WM_PAINT: BeginPaint at construction, EndPaint at destruction.
#ifndef KORVELT_WIN_PAINTDC_H
#define KORVELT_WIN_PAINTDC_H

#include <windows.h>

class CPaintDC
{
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = BeginPaint(hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }

    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
    PAINTSTRUCT m_ps{};
};

#endif
