// The window's two pictures (tiled application picture, title picture) read from ".\korvelt";
// owns both blocks and both palettes, and paints them. The document holds them for the view.
#ifndef KORVELT_DIB_WIN32_DIBPICTURES_H
#define KORVELT_DIB_WIN32_DIBPICTURES_H

#include "dib/PictureReporter.h"
#include "dib/win32/DibPicture.h"

class CDibPictures
{
public:
    static constexpr const char* kAppPicturePath = ".\\korvelt\\instapp.bmp";
    static constexpr const char* kTitlePicturePath = ".\\korvelt\\instttl.bmp";
    static constexpr const char* kUnreadableText = "Cannot read DIB File";
    // "DIBファイルが大きすぎます" in code page 932.
    static constexpr const char* kTooLargeText =
        "DIB\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x91\xE5\x82\xAB\x82\xB7\x82\xAC\x82\xDC\x82\xB7";

    // The reporter is not owned and must outlive this object.
    explicit CDibPictures(IPictureReporter& reporter);
    virtual ~CDibPictures();
    CDibPictures(const CDibPictures&) = delete;
    CDibPictures& operator=(const CDibPictures&) = delete;

    // Reads both pictures and prepares them; false when the application picture could not be
    // read, which is reported once and leaves the title picture unread.
    bool LoadBitmaps();
    // Refuses pictures with a negative width or height and builds a palette for each picture
    // held. A stop at the application picture leaves the title picture as it is.
    void PrepareBitmaps();

    // How many tiles of a picture's size cover a client area: (client width, client height,
    // tile width, tile height, columns, rows).
    using TileCounter = void (*)(int, int, int, int, int&, int&);

    // The application picture tiled over a client area of this size from the top left corner,
    // as many tiles as countTiles says, then the title picture stretched into rcTitle; a picture
    // not held is left out. An application picture that cannot be measured stops the painting.
    void Paint(HDC hDC, int nClientWidth, int nClientHeight, const RECT& rcTitle, TileCounter countTiles) const;
    // Realises the held pictures' palettes in hDC, as background palettes when asked; true when
    // that changed colours of the device, so the windows are to be drawn again. A held picture
    // without its palette leaves both palettes unrealised.
    bool RealizePalettes(HDC hDC, bool bBackground) const;

    CDibPicture m_picApp;
    CDibPicture m_picTitle;

private:
    // The size test and the palette for one picture; false when the preparation stops here.
    bool PreparePicture(CDibPicture& picture);

    IPictureReporter& m_reporter;
};

#endif
