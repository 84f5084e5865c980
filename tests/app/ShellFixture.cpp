#include "ShellFixture.h"

#include "FrameWnd.h"
#include "SingleDocTemplate.h"
#include "View.h"

#include <map>
#include <utility>
#include <vector>

namespace
{
// Message 2 is Japanese ("ファイル(&F)"), the rest ASCII.
const char kMessageFile[] =
    "CAPTION=1\r\n"
    "MENU_FILE=2\r\n"
    "MENU_EXIT=3\r\n"
    "MENU_SETUP=4\r\n"
    "MENU_FORCE_SETUP=5\r\n"
    "MENU_HELP=6\r\n"
    "MENU_ABOUT=7\r\n"
    "BUTTON_SETUP=8\r\n"
    "BUTTON_UNINSTALL=9\r\n"
    "BUTTON_TEXTFILE=10\r\n"
    "COLUMN_TITLE=11\r\n"
    "COLUMN_DESCRIPTION=12\r\n"
    "COLUMN_STATUS=13\r\n"
    "REMOVED_LINE1=16\r\n"
    "REMOVED_LINE2=17\r\n"
    "REMOVED_LINE3=18\r\n"
    "ABOUT_CAPTION=19\r\n"
    "ABOUT_LINE1=20\r\n"
    "ABOUT_LINE2=21\r\n"
    "TEXTVIEW_TITLE=22\r\n"
    "DIALOG_OK=23\r\n"
    "INSTALL_NOTICE_TITLE=24\r\n"
    "UNINSTALL_NOTICE_TITLE=25\r\n"
    "ALREADY_RUNNING=26\r\n"
    "[MESSAGES]\r\n"
    "CAPTION=Korvelt - Dravemont\r\n"
    "MENU_FILE=\x83t\x83@\x83" "C\x83\x8b(&F)\r\n"
    "MENU_EXIT=Exit(&X)\r\n"
    "MENU_SETUP=Setup(&S)\r\n"
    "MENU_FORCE_SETUP=Force set-up(&F)\r\n"
    "MENU_HELP=Help(&H)\r\n"
    "MENU_ABOUT=About(&A)...\r\n"
    "BUTTON_SETUP=Set up(&I)\r\n"
    "BUTTON_UNINSTALL=Uninstall(&U)\r\n"
    "BUTTON_TEXTFILE=Read me(&R)\r\n"
    "COLUMN_TITLE=Application\r\n"
    "COLUMN_DESCRIPTION=Description\r\n"
    "COLUMN_STATUS=Status\r\n"
    "REMOVED_LINE1=Disk removed.\r\n"
    "REMOVED_LINE2=Closing.\r\n"
    "REMOVED_LINE3=Insert the disk and start again.\r\n"
    "ABOUT_CAPTION=About Korvelt\r\n"
    "ABOUT_LINE1=Korvelt & Dravemont\r\n"
    "ABOUT_LINE2=Copyright &Korvelt\r\n"
    "TEXTVIEW_TITLE=Read me\r\n"
    "DIALOG_OK=OK!\r\n"
    "INSTALL_NOTICE_TITLE=Before set-up\r\n"
    "UNINSTALL_NOTICE_TITLE=Before removal\r\n"
    "ALREADY_RUNNING=Already running.\r\n";

std::map<std::pair<HWND, UINT>, int> s_posted;
std::map<std::pair<HWND, UINT>, int> s_sent;
}

void ShellTest::SetUp()
{
    s_posted.clear();
    s_sent.clear();
    m_dir.Write("KORVELT.MSG", kMessageFile);
    char szOld[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, szOld);
    m_strOldDir = szOld;
    ASSERT_TRUE(SetCurrentDirectoryA(m_dir.Path().string().c_str()));
    m_hGetMessageHook = SetWindowsHookExA(WH_GETMESSAGE, &ShellTest::OnGetMessage, nullptr, GetCurrentThreadId());
    m_hCallWndHook = SetWindowsHookExA(WH_CALLWNDPROC, &ShellTest::OnCallWndProc, nullptr, GetCurrentThreadId());
    m_pApp = std::make_unique<CKorveltApp>();
    m_pApp->m_strProfileName = m_dir.File("korvelt.ini");
    m_pApp->m_nCmdShow = SW_SHOWNORMAL;
}

void ShellTest::TearDown()
{
    m_pApp.reset();
    // Whatever the closing windows left behind, the quit message included.
    Pump(50);
    UnhookWindowsHookEx(m_hGetMessageHook);
    UnhookWindowsHookEx(m_hCallWndHook);
    SetCurrentDirectoryA(m_strOldDir.c_str());
}

bool ShellTest::Start()
{
    return m_pApp->InitInstance();
}

void ShellTest::Pump(DWORD nMilliseconds)
{
    PumpUntil([] { return false; }, nMilliseconds);
}

bool ShellTest::PumpUntil(const std::function<bool()>& done, DWORD nTimeoutMs)
{
    const DWORD nStart = GetTickCount();
    for (;;)
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                m_bQuitPosted = true;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (GetTickCount() - nStart >= nTimeoutMs)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

HWND ShellTest::Frame() const
{
    CFrameWnd* pFrame = m_pApp->GetMainWnd();
    return pFrame != nullptr ? pFrame->m_hWnd : nullptr;
}

HWND ShellTest::View() const
{
    CFrameWnd* pFrame = m_pApp->GetMainWnd();
    return pFrame != nullptr && pFrame->GetActiveView() != nullptr ? pFrame->GetActiveView()->m_hWnd : nullptr;
}

int ShellTest::PostedToView(UINT nMessage) const
{
    auto it = s_posted.find({View(), nMessage});
    return it == s_posted.end() ? 0 : it->second;
}

int ShellTest::SentToView(UINT nMessage) const
{
    auto it = s_sent.find({View(), nMessage});
    return it == s_sent.end() ? 0 : it->second;
}

RECT ShellTest::FrameRect() const
{
    RECT rc{};
    GetWindowRect(Frame(), &rc);
    return rc;
}

std::string ShellTest::MenuText(HMENU hMenu, int nPosition) const
{
    char szText[256] = {};
    GetMenuStringA(hMenu, static_cast<UINT>(nPosition), szText, sizeof szText, MF_BYPOSITION);
    return szText;
}

LRESULT CALLBACK ShellTest::OnGetMessage(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == PM_REMOVE)
    {
        const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
        ++s_posted[{pMsg->hwnd, pMsg->message}];
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK ShellTest::OnCallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION)
    {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        ++s_sent[{pMsg->hwnd, pMsg->message}];
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
