// Keeps a palette selected into a device context (SelectPalette) for the holder's lifetime and
// selects the earlier palette back at the end, as a background palette so that putting it back
// never takes over the system palette. Owns neither palette.
#ifndef KORVELT_FW_PALETTESELECTOR_H
#define KORVELT_FW_PALETTESELECTOR_H

#include <windows.h>

class CPaletteSelector
{
public:
    CPaletteSelector(HDC hDC, HPALETTE hPalette, bool bForceBackground)
        : m_hDC(hDC), m_hOld(::SelectPalette(hDC, hPalette, bForceBackground ? TRUE : FALSE))
    {
    }
    ~CPaletteSelector() { Restore(); }
    CPaletteSelector(CPaletteSelector&& other) noexcept : m_hDC(other.m_hDC), m_hOld(other.m_hOld)
    {
        other.m_hOld = nullptr;
    }
    CPaletteSelector& operator=(CPaletteSelector&& other) noexcept
    {
        if (this != &other)
        {
            Restore();
            m_hDC = other.m_hDC;
            m_hOld = other.m_hOld;
            other.m_hOld = nullptr;
        }
        return *this;
    }
    CPaletteSelector(const CPaletteSelector&) = delete;
    CPaletteSelector& operator=(const CPaletteSelector&) = delete;

    // The palette selected before; null when the selection failed.
    HPALETTE GetPrevious() const { return m_hOld; }

private:
    void Restore()
    {
        if (m_hOld)
            ::SelectPalette(m_hDC, m_hOld, TRUE);
        m_hOld = nullptr;
    }

    HDC m_hDC;
    HPALETTE m_hOld;
};

#endif
