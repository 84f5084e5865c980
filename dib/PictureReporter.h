// Where the holder of the pictures sends the messages it has for the user, so that the logic
// runs without a screen. The launcher's implementation shows message boxes.
#ifndef KORVELT_DIB_PICTUREREPORTER_H
#define KORVELT_DIB_PICTUREREPORTER_H

#include <string>

class IPictureReporter
{
public:
    enum class EBox
    {
        // The program's own box: OK button, exclamation icon, the program's name as caption,
        // owned by the active window.
        Program,
        // The plain system box: OK button, information icon, no owner, the default caption.
        PlainInformation,
    };

    virtual ~IPictureReporter() = default;
    // strText is code page 932.
    virtual void Report(EBox box, const std::string& strText) = 0;
};

#endif
