// One picture of the window: the block read from a bitmap file and the palette made from its
// colour table, both owned and held by value. Measures, draws and realises itself.
#ifndef KORVELT_DIB_WIN32_DIBPICTURE_H
#define KORVELT_DIB_WIN32_DIBPICTURE_H

#include "win/ScopedHandle.h"

#include <windows.h>

class CDibPicture
{
public:
    bool IsValid() const { return m_hDib.IsValid(); }
    // A picture and its palette: what realising needs.
    bool HasPalette() const { return m_hDib.IsValid() && m_palette.IsValid(); }
    // Width and height in pixels; false without a picture or when its block cannot be locked.
    bool GetSize(int& nWidth, int& nHeight) const;

    // nColumns by nRows copies side by side from the top left corner, each at its own size.
    void DrawTiled(HDC hDC, int nColumns, int nRows) const;
    // The whole picture stretched into rcDest; nothing for a picture of width or height 0.
    void DrawStretched(HDC hDC, const RECT& rcDest) const;
    // Selects the palette into the DC (as a background palette when asked) and realises it;
    // true when that changed colours of the device.
    bool RealizePalette(HDC hDC, bool bBackground) const;

    void Reset();

    CScopedGlobal m_hDib;
    CScopedPalette m_palette;
};

#endif
