// Shows the pictures' messages in message boxes: the program's own box (OK, exclamation icon,
// the program's name as caption, owned by the active window) or the plain system box (OK,
// information icon, no owner, default caption). Owns nothing.
#ifndef KORVELT_DIB_WIN32_WIN32PICTUREREPORTER_H
#define KORVELT_DIB_WIN32_WIN32PICTUREREPORTER_H

#include "PictureReporter.h"

#include <string>

class CWin32PictureReporter : public IPictureReporter
{
public:
    void Report(EBox box, const std::string& strText) override;

    // The running program's file name without folder and extension ("korvelt").
    static std::string GetProgramName();
};

#endif
