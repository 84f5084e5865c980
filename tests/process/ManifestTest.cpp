// The application manifest that the built korvelt.exe carries (resource 1 of type 24), read
// from the program file as the loader reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ProgramManifest()
{
    HMODULE hProgram = ::LoadLibraryExA(KORVELT_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (hProgram == nullptr)
        return std::string();
    std::string strManifest;
    if (HRSRC hInfo = ::FindResourceA(hProgram, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
    {
        const DWORD dwSize = ::SizeofResource(hProgram, hInfo);
        HGLOBAL hData = ::LoadResource(hProgram, hInfo);
        const char* pData = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
        if (pData != nullptr)
            strManifest.assign(pData, dwSize);
    }
    ::FreeLibrary(hProgram);
    return strManifest;
}

} // namespace

TEST(Manifest, AsksForVisualStylesDpiAwarenessTheNewSystemsAndNoElevation)
{
    const std::string strManifest = ProgramManifest();
    ASSERT_FALSE(strManifest.empty());
    const char* expected[] = {
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        ">true</dpiAware>",
        "<requestedExecutionLevel level=\"asInvoker\"",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* pszPart : expected)
        EXPECT_NE(strManifest.find(pszPart), std::string::npos) << pszPart;
}
