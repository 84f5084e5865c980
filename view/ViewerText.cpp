#include "view/ViewerText.h"

#include <ios>

std::string CViewerText::Read(std::istream& in)
{
    std::string strResult;
    std::string strLine;
    int nLines = 0;
    char buffer[4096];
    for (;;)
    {
        in.read(buffer, sizeof buffer);
        if (in.bad())
            throw std::ios_base::failure("read error");
        const std::streamsize nRead = in.gcount();
        for (std::streamsize i = 0; i < nRead; ++i)
        {
            const char c = buffer[i];
            if (c != '\n')
            {
                strLine += c;
                continue;
            }
            if (!strLine.empty() && strLine.back() == '\r')
                strLine.pop_back();
            strResult += strLine;
            strResult += "\r\n";
            strLine.clear();
            ++nLines;
        }
        if (nRead < static_cast<std::streamsize>(sizeof buffer))
            break;
    }
    if (!strLine.empty())
    {
        strResult += strLine;
        strResult += "\r\n";
        ++nLines;
    }
    for (; nLines < kMinimumLines; ++nLines)
        strResult += "\r\n";
    return strResult;
}
