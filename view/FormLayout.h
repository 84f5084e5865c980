// The arithmetic of the form's layout and painting: how the controls scale with the window,
// how many background tiles cover it, and the "/NOZOOMOUT" option. Portable, no window needed.
#ifndef KORVELT_VIEW_FORMLAYOUT_H
#define KORVELT_VIEW_FORMLAYOUT_H

#include <string>

struct CLayoutRect
{
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;
};

// Position and size for MoveWindow.
struct CPlacement
{
    int m_nX = 0;
    int m_nY = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

class CFormLayout
{
public:
    // Scale factors of a client area against the design size. Without zoom-out a factor below
    // 1 becomes 1, and the matching flag says the scroll position is to be reset.
    struct CFactors
    {
        float m_fX = 1.0f;
        float m_fY = 1.0f;
        bool m_bResetHorizontal = false;
        bool m_bResetVertical = false;
    };

    static CFactors Factors(int nClientWidth, int nClientHeight, const CLayoutRect& rcForm, bool bZoomOut);

    // A design rectangle scaled: each single-precision product truncated toward zero.
    static CPlacement Scale(const CLayoutRect& rcDesign, const CFactors& factors);

    // Columns and rows of tiles of nTileWidth x nTileHeight that cover the client area (one more
    // than fits whole, in each direction). A tile without width or height gives no tiles.
    static void TileCount(int nClientWidth, int nClientHeight, int nTileWidth, int nTileHeight,
                          int& nColumns, int& nRows);

    // True when the whole command line (after the program name) is "/NOZOOMOUT" in any case.
    static bool IsNoZoomOut(const std::string& strCommandLine);
};

#endif
