#include "tests/app/ShellFixture.h"

#include "fw/FrameWnd.h"
#include "fw/SingleDocTemplate.h"
#include "fw/View.h"
#include "res/FrameMessages.h"
#include "tests/support/EntryBuilder.h"
#include "tests/support/System932.h"
#include "win/User932.h"
#include "win/WideText.h"

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
    "STATUS_INSTALLED=14\r\n"
    "STATUS_PREVIOUS=15\r\n"
    "SETUP_FAILED=28\r\n"
    "UNINSTALL_FAILED=29\r\n"
    "TEXTFILE_FAILED=32\r\n"
    "SETUP_ENDED_NOT_FOUND=33\r\n"
    "UNINSTALL_ENDED_STILL_FOUND=34\r\n"
    "RESTART_NEEDED=35\r\n"
    "RESTARTING=36\r\n"
    "OTHER_INSTALL_RUNNING=37\r\n"
    "SETUP_EXIT_CODE=38\r\n"
    "STATUS_INSTALLING=39\r\n"
    "STATUS_UNINSTALLING=40\r\n"
    "CATALOG_UNREADABLE=94\r\n"
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
    "ALREADY_RUNNING=Already running.\r\n"
    "STATUS_INSTALLED=Installed\r\n"
    "STATUS_PREVIOUS=Previous release\r\n"
    "SETUP_FAILED=Set-up did not start.\r\n"
    "UNINSTALL_FAILED=Removal did not start.\r\n"
    "TEXTFILE_FAILED=No text file.\r\n"
    "SETUP_ENDED_NOT_FOUND=Ended, not found.\r\n"
    "UNINSTALL_ENDED_STILL_FOUND=Ended, still found.\r\n"
    "RESTART_NEEDED=Restart Windows.\r\n"
    "RESTARTING=Windows restarts.\r\n"
    "OTHER_INSTALL_RUNNING=Another installation runs.\r\n"
    "SETUP_EXIT_CODE=Ended with code\r\n"
    "STATUS_INSTALLING=Setting up\r\n"
    "STATUS_UNINSTALLING=Removing\r\n"
    "CATALOG_UNREADABLE=Catalogue unreadable.\r\n";

// Removes a key with everything below it.
void DeleteKeyTree(HKEY hRoot, const std::string& strKey)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    std::vector<std::string> subkeys;
    char szName[256];
    for (DWORD i = 0;; ++i)
    {
        DWORD nName = sizeof szName;
        if (RegEnumKeyExA(hKey, i, szName, &nName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(szName);
    }
    RegCloseKey(hKey);
    for (const std::string& strSub : subkeys)
        DeleteKeyTree(hRoot, strKey + "\\" + strSub);
    RegDeleteKeyA(hRoot, strKey.c_str());
}

std::string TestRoot()
{
    return "Software\\KorveltTest" + std::to_string(GetCurrentProcessId());
}

std::map<std::pair<HWND, UINT>, int> s_posted;
std::map<std::pair<HWND, UINT>, int> s_sent;
}

void ShellTest::SetUp()
{
    s_posted.clear();
    s_sent.clear();
    m_strMessages = kMessageFile;
    m_dir.Write("KORVELT.MSG", m_strMessages);
    // The sample medium's pictures and a catalogue of one application that is not installed.
    m_dir.MakeFolder("korvelt");
    for (const char* pszPicture : {"instapp.bmp", "instttl.bmp"})
    {
        const std::string strFrom = std::string(KORVELT_SOURCE_DIR) + "/examples/medium/korvelt/" + pszPicture;
        ASSERT_TRUE(CopyFileA(strFrom.c_str(), m_dir.File(std::string("korvelt/") + pszPicture).c_str(), FALSE));
    }
    WriteCatalog({{{{"m_strTitle", "Plain"}, {"m_strCheckKey", TestKey("Plain")}}, {}}});
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
    PumpPending();
    UnhookWindowsHookEx(m_hGetMessageHook);
    UnhookWindowsHookEx(m_hCallWndHook);
    SetCurrentDirectoryA(m_strOldDir.c_str());
    DeleteKeyTree(HKEY_CURRENT_USER, TestRoot());
    DeleteKeyTree(HKEY_LOCAL_MACHINE, TestRoot());
}

void ShellTest::WriteCatalog(const std::vector<SEntry>& entries)
{
    WriteCatalogFolder(m_dir, "korvelt", entries);
}

std::string ShellTest::TestKey(const std::string& strName) const
{
    return TestRoot() + "\\" + strName;
}

bool ShellTest::CreateKey(HKEY hRoot, const std::string& strKey)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

bool ShellTest::KeyExists(HKEY hRoot, const std::string& strKey)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

bool ShellTest::Start()
{
    return m_pApp->InitInstance();
}

void ShellTest::PumpPending()
{
    MSG msg;
    while (PeekMessage932(msg, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            m_bQuitPosted = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage932(msg);
    }
}

void ShellTest::PumpFor(DWORD nMilliseconds)
{
    PumpUntil([] { return false; }, nMilliseconds);
}

void ShellTest::MinimiseFrame()
{
    ShowWindow(Frame(), SW_MINIMIZE);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(Frame()) != FALSE; }));
}

bool ShellTest::WaitForRefresh(int nCount)
{
    return PumpUntil([&] { return PostedToView(WM_REFRESH_STATE) >= nCount; });
}

bool ShellTest::PumpUntil(const std::function<bool()>& done, DWORD nTimeoutMs)
{
    const DWORD nStart = GetTickCount();
    for (;;)
    {
        PumpPending();
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
    return GetMenuString932(hMenu, static_cast<UINT>(nPosition), MF_BYPOSITION);
}

std::string ShellTest::WindowText(HWND hWnd)
{
    return GetWindowText932(hWnd);
}

void ShellTest::SetMessage(const std::string& strName, const std::string& strText)
{
    const std::string strKey = "\r\n" + strName + "=";
    const size_t nAt = m_strMessages.find(strKey, m_strMessages.find("[MESSAGES]"));
    ASSERT_NE(nAt, std::string::npos) << strName;
    const size_t nStart = nAt + strKey.size();
    m_strMessages.replace(nStart, m_strMessages.find("\r\n", nStart) - nStart, strText);
    m_dir.Write("KORVELT.MSG", m_strMessages);
}

std::string ShellTest::WriteNamed(const std::string& strName, const std::string& strBytes) const
{
    std::string strPath;
    EXPECT_TRUE(CodePageFromWideExact(kCodePage932, m_dir.Path().wstring(), strPath));
    strPath += "\\" + strName;
    EXPECT_TRUE(WriteFile932(strPath, strBytes));
    return strPath;
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
