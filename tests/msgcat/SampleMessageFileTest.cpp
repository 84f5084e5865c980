// The sample medium's message file serves every number the launcher shows.
#include "msgcat/MessageCatalog.h"
#include "res/MessageNumbers.h"

#include <gtest/gtest.h>

#include <string>

TEST(SampleMessageFile, DefinesEveryNumberTheLauncherUses)
{
    CMessageCatalog catalog;
    const std::string strPath = std::string(KORVELT_SOURCE_DIR) + "/examples/medium/KORVELT.MSG";
    std::string strContent;
    ASSERT_TRUE(CMessageCatalog::ReadWholeFile(strPath.c_str(), strContent)) << strPath;
    catalog.SetMessageFile(strPath.c_str());
    for (int n : kUsedMessageNumbers)
        EXPECT_STRNE(catalog.LoadMessage(n), "") << "message " << n;

    // The single-instance test looks for the main window's composed caption.
    EXPECT_STREQ(catalog.LoadMessage(MSG_CAPTION), "Korvelt - Dravemont");
    // The Start-menu Programs piece of the file check, in half-width katakana.
    EXPECT_STREQ(catalog.LoadMessage(MSG_STARTMENU_PROGRAMS),
                 "\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\");
}
