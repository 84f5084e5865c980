// tarven.dll as korvelt.exe meets it: imported at load time under the decorated names (TarvenDll,
// the shipped 32-bit DLL's own), and reading its file without sharing, by a code page 932 path
// whatever the system's code page (TarvenFile, the same in either word size).
#include "msgcat/tarven.h"
#include "tests/support/TempDir.h"
#include "tests/support/WideNames.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(TarvenDll, ImportedFunctionsWork)
{
    CTempDir dir;
    SetMessageFile(dir.Write("k.msg", "CAPTION=1\r\n[MESSAGES]\r\nCAPTION=Korvelt - Dravemont\r\n").c_str());
    EXPECT_STREQ(LoadMessage(1), "Korvelt - Dravemont");
    EXPECT_STREQ(LoadMessage(2), "");
}

TEST(TarvenDll, DecoratedNamesResolve_AndNoUndecoratedOnes)
{
    HMODULE hModule = GetModuleHandleA("tarven.dll");
    ASSERT_NE(hModule, nullptr);
    EXPECT_NE(GetProcAddress(hModule, "_SetMessageFile@4"), nullptr);
    EXPECT_NE(GetProcAddress(hModule, "_LoadMessage@4"), nullptr);
    EXPECT_EQ(GetProcAddress(hModule, "SetMessageFile"), nullptr);
    EXPECT_EQ(GetProcAddress(hModule, "LoadMessage@4"), nullptr);

    // The standard-call convention: the callee removes the argument, so calling through a
    // pointer of that type keeps the stack balanced.
    using LoadMessageFn = const char*(__stdcall*)(int);
    auto pfnLoad = reinterpret_cast<LoadMessageFn>(reinterpret_cast<void*>(GetProcAddress(hModule, "_LoadMessage@4")));
    ASSERT_NE(pfnLoad, nullptr);
    EXPECT_EQ(pfnLoad(12345), LoadMessage(12345));
}

TEST(TarvenFile, HeldOpenElsewhere_CannotBeRead)
{
    CTempDir dir;
    const std::string strFile = dir.Write("held.msg", "A=3\n[MESSAGES]\nA=text\n");
    SetMessageFile(strFile.c_str());
    ASSERT_STREQ(LoadMessage(3), "text");

    HANDLE hHeld = CreateFileA(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    SetMessageFile(strFile.c_str());
    EXPECT_STREQ(LoadMessage(3), "");
    CloseHandle(hHeld);

    SetMessageFile(strFile.c_str());
    EXPECT_STREQ(LoadMessage(3), "text");
}

TEST(TarvenFile, InAJapaneseFolder_IsRead)
{
    CTempDir dir;
    const std::wstring strFolder = dir.Path().wstring() + L"\\" + Wide(kSetupFolder932);
    ASSERT_TRUE(CreateDirectoryW(strFolder.c_str(), nullptr));
    std::ofstream(std::filesystem::path(strFolder + L"\\k.msg"), std::ios::binary) << "A=4\r\n[MESSAGES]\r\nA=text\r\n";
    SetMessageFile((Cp932(strFolder) + "\\k.msg").c_str());
    EXPECT_STREQ(LoadMessage(4), "text");
}
