// The host system's own rules: its registry table, paths and wildcards.
#include "sys/HostSystem.h"

#include <gtest/gtest.h>

using ERoot = CSystem::ERoot;
using EEnum = CSystem::EEnumResult;

TEST(HostSystem, NativePathKeepsCp932TrailBytes)
{
    EXPECT_EQ(CHostSystem::NativePath("a\\b\\c"), "a/b/c");
    // "ソ" is 83 5C: its second byte is no separator.
    EXPECT_EQ(CHostSystem::NativePath("\x83\x5C\\x"), "\x83\x5C/x");
    EXPECT_EQ(CHostSystem::NativePath("\\\xBD\xC0\\"), "/\xBD\xC0/");  // half-width kana are single bytes
}

TEST(HostSystem, WildcardMatching)
{
    const struct { const char* name; const char* pattern; bool match; } cases[] = {
        {"a.app", "*.app", true}, {"A.APP", "*.app", true}, {"a.apps", "*.app", false},
        {".app", "*.app", true}, {"abc", "a?c", true}, {"ac", "a?c", false}, {"x", "*", true},
        {"", "*", true}, {"abcabc", "*bc*c", true}, {"abd", "*c", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
}

TEST(HostSystem, RegistryTable)
{
    CHostSystem sys;
    sys.SetRegString(ERoot::LocalMachine, "Software\\Vendor\\App", "DisplayName", "App");
    EXPECT_TRUE(sys.RegKeyExists(ERoot::LocalMachine, "software\\VENDOR"));
    EXPECT_TRUE(sys.RegKeyExists(ERoot::LocalMachine, "Software\\Vendor\\App\\"));
    EXPECT_FALSE(sys.RegKeyExists(ERoot::CurrentUser, "Software\\Vendor"));

    std::string strOut = "untouched";
    EXPECT_TRUE(sys.RegQueryString(ERoot::LocalMachine, "Software\\Vendor\\App", "displayname", 255, strOut));
    EXPECT_EQ(strOut, "App");
    strOut = "untouched";
    EXPECT_FALSE(sys.RegQueryString(ERoot::LocalMachine, "Software\\Vendor\\App", "Missing", 255, strOut));
    EXPECT_FALSE(sys.RegQueryString(ERoot::LocalMachine, "Software\\Vendor\\App", "DisplayName", 3, strOut));
    EXPECT_EQ(strOut, "untouched");

    sys.AddRegKey(ERoot::LocalMachine, "Software\\Vendor\\" + std::string(300, 'k'));
    sys.AddRegKey(ERoot::LocalMachine, "Software\\Vendor\\Zed");
    std::string strName;
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::LocalMachine, "Software\\Vendor", 0, 254, strName), EEnum::Found);
    EXPECT_EQ(strName, "App");
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::LocalMachine, "Software\\Vendor", 1, 254, strName), EEnum::TooLong);
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::LocalMachine, "Software\\Vendor", 2, 254, strName), EEnum::Found);
    EXPECT_EQ(strName, "Zed");
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::LocalMachine, "Software\\Vendor", 3, 254, strName), EEnum::NoMore);
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::LocalMachine, "Software\\None", 0, 254, strName), EEnum::NoMore);

    // A name that is no code page 932 text stands for one with a character code page 932 lacks.
    sys.AddRegKey(ERoot::LocalMachine, "Software\\Vendor\\Lacking\x82");
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::LocalMachine, "Software\\Vendor", 3, 254, strName), EEnum::NotCp932);
    EXPECT_EQ(strName, "Zed");

    sys.RemoveRegKey(ERoot::LocalMachine, "Software\\Vendor\\App");
    EXPECT_FALSE(sys.RegKeyExists(ERoot::LocalMachine, "Software\\Vendor\\App"));
    EXPECT_EQ(sys.RegEnumSubKey(ERoot::LocalMachine, "Software\\Vendor", 0, 254, strName), EEnum::TooLong);
}
