// The message boxes of the pictures, found on the screen by a second thread, read and closed.
#include "dib/win32/Win32PictureReporter.h"
#include "utils/Cp932.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

struct CSeenBox
{
    std::string m_strCaption;
    std::string m_strText;
    HWND m_hOwner = nullptr;
    bool m_bFound = false;
};

struct CSearch
{
    HWND m_hBox = nullptr;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = {};
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (std::string(szClass) == "#32770" && ::IsWindowVisible(hWnd))
    {
        reinterpret_cast<CSearch*>(lParam)->m_hBox = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Waits up to 30 s for a message box of the given thread, records it and presses OK.
void CloseBoxOf(DWORD nThreadId, CSeenBox& seen)
{
    for (int i = 0; i < 600; ++i)
    {
        CSearch search;
        ::EnumThreadWindows(nThreadId, FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.m_hBox)
        {
            char szText[256] = {};
            ::GetWindowTextA(search.m_hBox, szText, sizeof szText);
            seen.m_strCaption = szText;
            // The box's text is the static control with the identifier 0xFFFF.
            ::GetDlgItemTextA(search.m_hBox, 0xFFFF, szText, sizeof szText);
            seen.m_strText = szText;
            seen.m_hOwner = ::GetWindow(search.m_hBox, GW_OWNER);
            seen.m_bFound = true;
            ::PostMessageA(search.m_hBox, WM_COMMAND, IDOK, 0);
            return;
        }
        ::Sleep(50);
    }
}

// A plain visible top-level window, destroyed at the end.
class CTestWindow
{
public:
    CTestWindow()
        : m_hWnd(::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~CTestWindow()
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

CSeenBox ShowAndClose(IPictureReporter::EBox box, const std::string& strText)
{
    CSeenBox seen;
    std::thread watcher(CloseBoxOf, ::GetCurrentThreadId(), std::ref(seen));
    CWin32PictureReporter().Report(box, strText);
    watcher.join();
    return seen;
}

TEST(Win32PictureReporterTest, ProgramName_IsTheFileNameWithoutFolderAndExtension)
{
    EXPECT_EQ(CWin32PictureReporter::GetProgramName(), "dib_tests");
    const struct { const char* path; const char* name; } cases[] = {
        {"D:\\KORVELT\\korvelt.exe", "korvelt"},
        {"Z:/build/bin/dib_tests.exe", "dib_tests"},
        {"C:korvelt.exe", "korvelt"},
        {"C:\\a.b\\korvelt", "korvelt"},
        {"C:\\.hidden", ".hidden"},
        // "\x95\x5C" is one character whose second byte is a backslash.
        {"C:\\\x95\x5C.exe", "\x95\x5C"},
        {"C:\\\x95\x5C\\korvelt.exe", "korvelt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileBaseName(c.path), c.name) << c.path;
}

TEST(Win32PictureReporterTest, ProgramBox_HasProgramCaptionAndActiveOwner)
{
    CTestWindow window;
    ASSERT_TRUE(window.Get());
    ::SetActiveWindow(window.Get());
    ASSERT_EQ(::GetActiveWindow(), window.Get());
    const CSeenBox seen = ShowAndClose(IPictureReporter::EBox::Program, "Cannot read DIB File");
    ASSERT_TRUE(seen.m_bFound);
    EXPECT_EQ(seen.m_strCaption, "dib_tests");
    EXPECT_EQ(seen.m_strText, "Cannot read DIB File");
    EXPECT_EQ(seen.m_hOwner, window.Get());
}

TEST(Win32PictureReporterTest, PlainBox_HasNoOwnerAndTheTextInCodePage932)
{
    CTestWindow window;
    ::SetActiveWindow(window.Get());
    const std::string strText = "DIB\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x91\xE5\x82\xAB\x82\xB7\x82\xAC\x82\xDC\x82\xB7";
    const CSeenBox seen = ShowAndClose(IPictureReporter::EBox::PlainInformation, strText);
    ASSERT_TRUE(seen.m_bFound);
    EXPECT_EQ(seen.m_strText, strText);
    EXPECT_EQ(seen.m_hOwner, nullptr);
    EXPECT_NE(seen.m_strCaption, "dib_tests");
}

} // namespace
