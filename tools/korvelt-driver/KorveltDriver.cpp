// Plays a user at a running launcher, for the end-to-end script: selects a row, clicks the
// set-up button, confirms the install notice, waits for the set-up program to register its key,
// then restores the launcher's window so that it re-checks its entries.
//   korvelt-driver forget KEY...            removes the keys, so that a run starts uninstalled
//   korvelt-driver setup ROW KEY [SECONDS]  the set-up as a user runs it
//   korvelt-driver uninstall ROW KEY [SECONDS]
//                                           the removal likewise, waiting for KEY to go
//   korvelt-driver second-start [SECONDS]   minimises the running launcher, answers the box of
//                                           a second start (message 26 of KORVELT.MSG in the
//                                           current folder) and waits for the first window to
//                                           come back
// ROW counts from 0; KEY is the registry key (under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER)
// that the set-up program writes. Exit status 0 when the key appeared and the window was restored.
#include "MessageNumbers.h"
#include "WideText.h"
#include "tarven.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Looked for with the wide function, as the launcher's own search does: the same window on a
// system of any code page.
const char kCaption[] = "Korvelt - Dravemont";
constexpr int kListId = 1014;
constexpr int kSetupId = 1002;
constexpr int kUninstallId = 1003;

bool KeyExists(const char* pszKey)
{
    for (HKEY hRoot : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) == ERROR_SUCCESS)
        {
            ::RegCloseKey(hKey);
            return true;
        }
    }
    return false;
}

struct CDialogSearch
{
    DWORD m_dwThread;
    HWND m_hFound;
};

// A visible dialog box of the launcher's thread: the notice shown before the set-up starts.
BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<CDialogSearch*>(lParam);
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    if (::GetWindowThreadProcessId(hWnd, nullptr) == pSearch->m_dwThread && ::IsWindowVisible(hWnd) &&
        std::wstring(szClass) == L"#32770")
    {
        pSearch->m_hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The launcher's main window, waited for up to nSeconds; null (and said so) when it does not come.
HWND FindLauncher(int nSeconds)
{
    const std::wstring strCaption = WideFromCodePageLossy(kCodePage932, kCaption);
    HWND hFrame = nullptr;
    for (int i = 0; i < nSeconds * 10 && !hFrame; ++i, ::Sleep(100))
        hFrame = ::FindWindowW(nullptr, strCaption.c_str());
    if (!hFrame)
        std::fprintf(stderr, "korvelt-driver: no window \"%s\"\n", kCaption);
    return hFrame;
}

// Selects a row of the launcher's list with the keyboard, as a user would: Home, then Down as
// often as the row number. The list's own notifications tell the launcher.
bool SelectRow(HWND hList, int nRow)
{
    auto press = [hList](UINT nKey) {
        ::SendMessageA(hList, WM_KEYDOWN, nKey, 0);
        ::SendMessageA(hList, WM_KEYUP, nKey, 0xC0000000);
    };
    press(VK_HOME);
    for (int i = 0; i < nRow; ++i)
        press(VK_DOWN);
    for (int i = 0; i < 50; ++i, ::Sleep(100))
    {
        if (::SendMessageA(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == nRow)
            return true;
    }
    return false;
}

// Selects a row, clicks a button, confirms the notice that follows, waits until KEY exists
// (bKeyWanted) or is gone, and restores the launcher's window.
int Press(int nRow, int nButton, const char* pszKey, bool bKeyWanted, int nSeconds)
{
    HWND hFrame = FindLauncher(nSeconds);
    if (!hFrame)
        return 1;
    HWND hView = ::GetWindow(hFrame, GW_CHILD);
    HWND hList = ::GetDlgItem(hView, kListId);
    HWND hButton = ::GetDlgItem(hView, nButton);
    if (!hList || !hButton)
    {
        std::fprintf(stderr, "korvelt-driver: the launcher's list or button %d is missing\n", nButton);
        return 1;
    }

    if (!SelectRow(hList, nRow))
    {
        std::fprintf(stderr, "korvelt-driver: cannot select row %d\n", nRow);
        return 1;
    }
    if (!::IsWindowEnabled(hButton))
    {
        std::fprintf(stderr, "korvelt-driver: button %d is not offered for row %d\n", nButton, nRow);
        return 1;
    }
    ::PostMessageA(hView, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));

    const DWORD dwThread = ::GetWindowThreadProcessId(hFrame, nullptr);
    for (int i = 0; i < 100; ++i, ::Sleep(100))
    {
        CDialogSearch search{dwThread, nullptr};
        ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.m_hFound)
        {
            ::PostMessageA(search.m_hFound, WM_COMMAND, IDOK, 0);
            break;
        }
    }

    for (int i = 0; i < nSeconds && KeyExists(pszKey) != bKeyWanted; ++i)
        ::Sleep(1000);
    if (KeyExists(pszKey) != bKeyWanted)
    {
        std::fprintf(stderr, "korvelt-driver: the program did not %s %s\n", bKeyWanted ? "write" : "remove", pszKey);
        return 1;
    }
    // Give the launcher time to minimise itself before it is brought back.
    ::Sleep(2000);
    ::ShowWindow(hFrame, SW_RESTORE);
    ::SetForegroundWindow(hFrame);
    std::printf("korvelt-driver: %s %s, window restored\n", pszKey, bKeyWanted ? "written" : "removed");
    return 0;
}

} // namespace

struct CBoxSearch
{
    DWORD m_dwOwnProcess;    // the running launcher's process, whose dialogs are not wanted
    std::string m_strText;   // the text the box must show
    HWND m_hFound;
};

BOOL CALLBACK FindMessageBox(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<CBoxSearch*>(lParam);
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    DWORD dwProcess = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess == pSearch->m_dwOwnProcess || std::wstring(szClass) != L"#32770" || !::IsWindowVisible(hWnd))
        return TRUE;
    wchar_t szText[512] = {};
    // The text of a message box is its static control 0xFFFF; read back as code page 932, it is
    // the message file's text on a system of any code page.
    ::GetDlgItemTextW(hWnd, 0xFFFF, szText, 512);
    if (pSearch->m_strText == CodePageFromWideLossy(kCodePage932, szText))
    {
        pSearch->m_hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

int SecondStart(int nSeconds)
{
    SetMessageFile("KORVELT.MSG");
    HWND hFrame = FindLauncher(nSeconds);
    if (!hFrame)
        return 1;
    ::ShowWindow(hFrame, SW_MINIMIZE);
    std::printf("korvelt-driver: first window minimised\n");
    std::fflush(stdout);

    CBoxSearch search{0, LoadMessage(MSG_ALREADY_RUNNING), nullptr};
    ::GetWindowThreadProcessId(hFrame, &search.m_dwOwnProcess);
    for (int i = 0; i < nSeconds * 10 && !search.m_hFound; ++i, ::Sleep(100))
        ::EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
    if (!search.m_hFound)
    {
        std::fprintf(stderr, "korvelt-driver: the second start showed no box with message 26\n");
        return 1;
    }
    if (::GetWindow(search.m_hFound, GW_OWNER) != nullptr)
    {
        std::fprintf(stderr, "korvelt-driver: the box of the second start has an owner\n");
        return 1;
    }
    ::PostMessageA(search.m_hFound, WM_COMMAND, IDOK, 0);
    std::printf("korvelt-driver: message 26 answered\n");

    for (int i = 0; i < nSeconds * 10 && ::IsIconic(hFrame); ++i)
        ::Sleep(100);
    if (::IsIconic(hFrame))
    {
        std::fprintf(stderr, "korvelt-driver: the first window stayed minimised\n");
        return 1;
    }
    std::printf("korvelt-driver: first window back\n");
    return 0;
}

int Forget(int nKeys, char** ppszKeys)
{
    int nResult = 0;
    for (int i = 0; i < nKeys; ++i)
    {
        for (HKEY hRoot : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            ::RegDeleteKeyA(hRoot, ppszKeys[i]);
        if (KeyExists(ppszKeys[i]))
            nResult = 1;
    }
    return nResult;
}

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "forget")
        return Forget(argc - 2, argv + 2);
    if (argc >= 2 && std::string(argv[1]) == "second-start")
        return SecondStart(argc >= 3 ? std::atoi(argv[2]) : 300);
    const int nSeconds = argc >= 5 ? std::atoi(argv[4]) : 300;
    if (argc >= 4 && std::string(argv[1]) == "setup")
        return Press(std::atoi(argv[2]), kSetupId, argv[3], true, nSeconds);
    if (argc >= 4 && std::string(argv[1]) == "uninstall")
        return Press(std::atoi(argv[2]), kUninstallId, argv[3], false, nSeconds);
    std::fprintf(stderr, "usage: korvelt-driver forget KEY... | setup ROW KEY [SECONDS] | uninstall ROW KEY [SECONDS] | "
                         "second-start [SECONDS]\n");
    return 2;
}
