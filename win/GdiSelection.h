// Keeps a GDI object (SelectObject) or a palette (SelectPalette) selected into a device context
// for the holder's lifetime and selects the earlier one back at the end; owns neither.
#ifndef KORVELT_WIN_GDISELECTION_H
#define KORVELT_WIN_GDISELECTION_H

#include <windows.h>

class CGdiSelection
{
public:
    // A bitmap, brush, font or pen.
    CGdiSelection(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hObject))
    {
        if (m_hOld == HGDI_ERROR)
            m_hOld = nullptr;
    }
    // The earlier palette goes back as a background palette, so that putting it back never
    // takes over the system palette.
    CGdiSelection(HDC hDC, HPALETTE hPalette, bool bForceBackground)
        : m_hDC(hDC), m_hOld(::SelectPalette(hDC, hPalette, bForceBackground ? TRUE : FALSE)), m_bPalette(true)
    {
    }
    // SelectObject refuses palettes: without this a palette would quietly take the first form.
    CGdiSelection(HDC, HPALETTE) = delete;
    ~CGdiSelection()
    {
        if (m_hOld == nullptr)
            return;
        if (m_bPalette)
            ::SelectPalette(m_hDC, static_cast<HPALETTE>(m_hOld), TRUE);
        else
            ::SelectObject(m_hDC, m_hOld);
    }
    CGdiSelection(const CGdiSelection&) = delete;
    CGdiSelection& operator=(const CGdiSelection&) = delete;

    // The object or palette selected before; null when the selection failed.
    HGDIOBJ GetPrevious() const { return m_hOld; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
    bool m_bPalette = false;
};

#endif
