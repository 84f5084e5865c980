// Shows the pictures' messages in the program's own message box or the plain system box.
// Owns nothing.
#ifndef KORVELT_DIB_WIN32_WIN32PICTUREREPORTER_H
#define KORVELT_DIB_WIN32_WIN32PICTUREREPORTER_H

#include "dib/PictureReporter.h"

#include <string>

class CWin32PictureReporter : public IPictureReporter
{
public:
    void Report(EBox box, const std::string& strText) override;

    // The running program's file name without folder and extension ("korvelt").
    static std::string GetProgramName();
};

#endif
