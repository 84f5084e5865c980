// Sizes laid out in pixels for 96 dots per inch, scaled to the screen's when the process is
// DPI aware (its manifest says so; only Vista and later read it). Elsewhere the system scales
// the window itself or not at all, so sizes stay as given.
#ifndef KORVELT_WIN_DPI_H
#define KORVELT_WIN_DPI_H

#include <windows.h>

inline int ScreenDpiForLayout()
{
    static const int s_nDpi = [] {
        using PfnIsProcessDpiAware = BOOL(WINAPI*)();
        HMODULE hUser = ::GetModuleHandleA("user32.dll");
        const auto pfnAware =
            hUser != nullptr ? reinterpret_cast<PfnIsProcessDpiAware>(
                                   reinterpret_cast<void*>(::GetProcAddress(hUser, "IsProcessDPIAware")))
                             : nullptr;
        if (pfnAware == nullptr || !pfnAware())
            return 96;
        HDC hDC = ::GetDC(nullptr);
        const int nDpi = hDC != nullptr ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 96;
        if (hDC != nullptr)
            ::ReleaseDC(nullptr, hDC);
        return nDpi > 0 ? nDpi : 96;
    }();
    return s_nDpi;
}

inline int ScaleForDpi(int nPixels)
{
    return ::MulDiv(nPixels, ScreenDpiForLayout(), 96);
}

#endif
