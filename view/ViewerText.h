// The text that the text-file viewer shows: every line of a file ended by CR LF, padded with
// empty lines to at least 14. Portable.
#ifndef KORVELT_VIEW_VIEWERTEXT_H
#define KORVELT_VIEW_VIEWERTEXT_H

#include <istream>
#include <string>

class CViewerText
{
public:
    static constexpr int kMinimumLines = 14;

    // Reads the stream to its end. LF or CR LF ends a line; a last line without an end counts;
    // the bytes of the lines are kept as they are. A read failure other than the end of the data
    // throws std::ios_base::failure.
    static std::string Read(std::istream& in);
};

#endif
