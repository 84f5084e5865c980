// Plays a user at a running launcher, for the end-to-end script. Each step selects a row, clicks
// the set-up or removal button, confirms the notice, waits for the launcher's window to come back
// by itself once the program it started has ended (the first step instead waits for what the
// program leaves behind and restores the window by hand, as a user coming back early would), and
// waits until the row's status reads what a user should see then.
//   korvelt-driver STEP...                  the steps in turn, each "setup ROW KEY" or
//                                           "uninstall ROW KEY"; ends at the first that fails
//   korvelt-driver second-start [SECONDS]   minimises the running launcher, answers the box of
//                                           a second start (message 26 of KORVELT.MSG in the
//                                           current folder) and waits for the first window to
//                                           come back
// ROW counts from 0; KEY is the registry key that the set-up writes and its removal deletes, under
// HKEY_LOCAL_MACHINE in either registry view or under HKEY_CURRENT_USER. A set-up's row must come
// to read message 14 of KORVELT.MSG, a removal's row nothing. KORVELT_DRIVER_SECONDS (default 300)
// bounds each wait for a program. Exit status 0 when every step was done.
#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "res/resource.h"
#include "tools/korvelt-driver/StatusReader.h"
#include "win/ScopedHandle.h"
#include "win/WideText.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Looked for with the wide function, as the launcher's own search does: the same window on a
// system of any code page.
const char kCaption[] = "Korvelt - Dravemont";

// A set-up may write its key in either view of HKEY_LOCAL_MACHINE (a 64-bit one where this 32-bit
// program does not look by itself) or for the current user alone.
bool KeyExists(const char* pszKey)
{
    const std::pair<HKEY, REGSAM> kPlaces[] = {{HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY},
                                               {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY},
                                               {HKEY_CURRENT_USER, 0}};
    for (const auto& place : kPlaces)
    {
        HKEY hKey = nullptr;
        const LONG nResult = ::RegOpenKeyExA(place.first, pszKey, 0, KEY_READ | place.second, &hKey);
        CScopedRegKey key(hKey);
        if (nResult == ERROR_SUCCESS)
            return true;
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

struct CStep
{
    bool m_bSetup;
    int m_nRow;
    const char* m_pszKey;
};

// Restores the launcher's window when bRestore, as a user coming back to it, and waits until the
// row reads strWanted; the launcher checks its entries again when it comes back, and on F5 (the
// refresh command, sent here every few seconds in case the program ended just after a check).
bool WaitForStatus(HWND hFrame, HWND hList, int nRow, const std::string& strWanted, bool bRestore)
{
    if (bRestore)
    {
        // Give the launcher time to minimise itself before it is brought back.
        ::Sleep(2000);
        ::ShowWindow(hFrame, SW_RESTORE);
        ::SetForegroundWindow(hFrame);
    }
    CStatusReader reader(hList);
    std::optional<std::string> strStatus;
    for (int i = 0; i < 60; ++i, ::Sleep(1000))
    {
        strStatus = reader.Read(nRow);
        if (strStatus == strWanted)
            return true;
        if (i % 5 == 4)
            ::PostMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_REFRESH_STATE, 0), 0);
    }
    std::fprintf(stderr, "korvelt-driver: row %d reads %s, not %s\n", nRow,
                 !strStatus ? "nothing that could be read" : strStatus->empty() ? "nothing" : "another text",
                 strWanted.empty() ? "nothing" : "message 14");
    return false;
}

// One step: selects the row, clicks its button, confirms the notice that follows, waits until
// the key exists (a set-up) or is gone (a removal), and then for the row's new status.
int Press(const CStep& step, int nSeconds, bool bRestoreByHand)
{
    HWND hFrame = FindLauncher(nSeconds);
    if (!hFrame)
        return 1;
    const int nButton = step.m_bSetup ? IDC_SETUP : IDC_UNINSTALL;
    HWND hView = ::GetWindow(hFrame, GW_CHILD);
    HWND hList = ::GetDlgItem(hView, IDC_APPLIST);
    HWND hButton = ::GetDlgItem(hView, nButton);
    if (!hList || !hButton)
    {
        std::fprintf(stderr, "korvelt-driver: the launcher's list or button %d is missing\n", nButton);
        return 1;
    }

    if (!SelectRow(hList, step.m_nRow))
    {
        std::fprintf(stderr, "korvelt-driver: cannot select row %d\n", step.m_nRow);
        return 1;
    }
    if (!::IsWindowEnabled(hButton))
    {
        std::fprintf(stderr, "korvelt-driver: button %d is not offered for row %d\n", nButton, step.m_nRow);
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

    if (!bRestoreByHand)
    {
        // The launcher minimises itself, then follows the program (and the copy an uninstaller
        // restarts from the temporary folder) to its end and comes back.
        for (int i = 0; i < 100 && !::IsIconic(hFrame); ++i)
            ::Sleep(100);
        for (int i = 0; i < nSeconds * 10 && ::IsIconic(hFrame); ++i)
            ::Sleep(100);
        if (::IsIconic(hFrame))
        {
            std::fprintf(stderr, "korvelt-driver: the launcher did not come back after row %d\n", step.m_nRow);
            return 1;
        }
    }
    // By hand: the program the launcher started may hand over to another and end at once, so
    // only what it leaves behind tells that it is done.
    for (int i = 0; bRestoreByHand && i < nSeconds && KeyExists(step.m_pszKey) != step.m_bSetup; ++i)
        ::Sleep(1000);
    if (KeyExists(step.m_pszKey) != step.m_bSetup)
    {
        std::fprintf(stderr, "korvelt-driver: the program did not %s %s\n", step.m_bSetup ? "write" : "remove",
                     step.m_pszKey);
        return 1;
    }
    const std::string strWanted = step.m_bSetup ? LoadMessage(MSG_STATUS_INSTALLED) : std::string();
    if (!WaitForStatus(hFrame, hList, step.m_nRow, strWanted, bRestoreByHand))
        return 1;
    // The texts are code page 932; the console or log that reads this may be of any other.
    std::printf("korvelt-driver: %s %s, row %d reads %s\n", step.m_pszKey, step.m_bSetup ? "written" : "removed",
                step.m_nRow, step.m_bSetup ? "message 14" : "nothing");
    std::fflush(stdout);
    return 0;
}

// The steps of the command line, or an empty list when one is malformed.
std::vector<CStep> ParseSteps(int nArgs, char** ppszArgs)
{
    std::vector<CStep> steps;
    for (int i = 0; i + 2 < nArgs; i += 3)
    {
        const std::string strVerb = ppszArgs[i];
        char* pszEnd = nullptr;
        const long nRow = std::strtol(ppszArgs[i + 1], &pszEnd, 10);
        if ((strVerb != "setup" && strVerb != "uninstall") || *pszEnd != '\0' || nRow < 0 || nRow > 1000)
            return {};
        steps.push_back({strVerb == "setup", static_cast<int>(nRow), ppszArgs[i + 2]});
    }
    if (static_cast<int>(steps.size()) * 3 != nArgs)
        return {};
    return steps;
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

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "second-start")
        return SecondStart(argc >= 3 ? std::atoi(argv[2]) : 300);
    const std::vector<CStep> steps = ParseSteps(argc - 1, argv + 1);
    if (steps.empty())
    {
        std::fprintf(stderr, "usage: korvelt-driver (setup|uninstall ROW KEY)... | second-start [SECONDS]\n");
        return 2;
    }
    const char* pszSeconds = std::getenv("KORVELT_DRIVER_SECONDS");
    const int nSeconds = pszSeconds ? std::atoi(pszSeconds) : 300;
    // The statuses the rows must come to read are the medium's own texts.
    SetMessageFile("KORVELT.MSG");
    for (std::size_t i = 0; i < steps.size(); ++i)
    {
        if (Press(steps[i], nSeconds, i == 0) != 0)
            return 1;
    }
    return 0;
}
