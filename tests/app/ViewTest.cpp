// The view's reading of the command line: only the exact option, in any case, stops zooming out.
#include "KorveltView.h"

#include <gtest/gtest.h>

TEST(KorveltView, ZoomOut_OffOnlyForTheWholeOption)
{
    struct SCase
    {
        std::string strCmdLine;
        bool bZoomOut;
    };
    const SCase cases[] = {
        {"", true},
        {"/NOZOOMOUT", false},
        {"/nozoomout", false},
        {"/NoZoomOut", false},
        {"/NOZOOMOUT ", true},
        {" /NOZOOMOUT", true},
        {"/NOZOOMOUT list.dat", true},
        {"-NOZOOMOUT", true},
        {"/NOZOOM", true},
        {"/NOZOOMOUT" + std::string(130, ' '), true},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CKorveltView::ZoomOutFor(c.strCmdLine), c.bZoomOut) << '"' << c.strCmdLine << '"';
}
