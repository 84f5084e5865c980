// The window's two pictures (tiled application picture, title picture) read from ".\korvelt";
// owns both blocks and both palettes. The document derives from it; the view reads the members.
#ifndef KORVELT_DIB_WIN32_DIBPICTURES_H
#define KORVELT_DIB_WIN32_DIBPICTURES_H

#include "DibPicture.h"
#include "PictureReporter.h"

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

    CDibPicture m_picApp;
    CDibPicture m_picTitle;

private:
    // The size test and the palette for one picture; false when the preparation stops here.
    bool PreparePicture(CDibPicture& picture);

    IPictureReporter& m_reporter;
};

#endif
