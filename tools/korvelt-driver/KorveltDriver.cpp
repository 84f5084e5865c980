// Plays a user at a running launcher, for the end-to-end script: selects a row, clicks the
// set-up button, confirms the install notice, waits for the set-up program to register its key,
// then restores the launcher's window so that it re-checks its entries.
//   korvelt-driver forget KEY               removes KEY, so that a run starts uninstalled
//   korvelt-driver setup ROW KEY [SECONDS]  the set-up as a user runs it
// ROW counts from 0; KEY is the registry key (under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER)
// that the set-up program writes. Exit status 0 when the key appeared and the window was restored.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char kCaption[] = "Korvelt - Dravemont";
constexpr int kListId = 1014;
constexpr int kSetupId = 1002;

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
    char szClass[16] = {};
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (::GetWindowThreadProcessId(hWnd, nullptr) == pSearch->m_dwThread && ::IsWindowVisible(hWnd) &&
        std::string(szClass) == "#32770")
    {
        pSearch->m_hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

int Setup(int nRow, const char* pszKey, int nSeconds)
{
    HWND hFrame = nullptr;
    for (int i = 0; i < nSeconds * 10 && !hFrame; ++i, ::Sleep(100))
        hFrame = ::FindWindowA(nullptr, kCaption);
    if (!hFrame)
    {
        std::fprintf(stderr, "korvelt-driver: no window \"%s\"\n", kCaption);
        return 1;
    }
    HWND hView = ::GetWindow(hFrame, GW_CHILD);
    HWND hList = ::GetDlgItem(hView, kListId);
    HWND hSetup = ::GetDlgItem(hView, kSetupId);
    if (!hList || !hSetup)
    {
        std::fprintf(stderr, "korvelt-driver: the launcher's list or set-up button is missing\n");
        return 1;
    }

    // Selecting the row goes through the list's own notification, as a click would.
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
    if (!::IsWindowEnabled(hSetup))
    {
        std::fprintf(stderr, "korvelt-driver: set-up is not offered for row %d\n", nRow);
        return 1;
    }
    ::PostMessageA(hView, WM_COMMAND, MAKEWPARAM(kSetupId, BN_CLICKED), reinterpret_cast<LPARAM>(hSetup));

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

    for (int i = 0; i < nSeconds && !KeyExists(pszKey); ++i)
        ::Sleep(1000);
    if (!KeyExists(pszKey))
    {
        std::fprintf(stderr, "korvelt-driver: the set-up program did not write %s\n", pszKey);
        return 1;
    }
    ::ShowWindow(hFrame, SW_RESTORE);
    ::SetForegroundWindow(hFrame);
    std::printf("korvelt-driver: %s written, window restored\n", pszKey);
    return 0;
}

} // namespace

int Forget(const char* pszKey)
{
    for (HKEY hRoot : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        ::RegDeleteKeyA(hRoot, pszKey);
    return KeyExists(pszKey) ? 1 : 0;
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "forget")
        return Forget(argv[2]);
    if (argc >= 4 && std::string(argv[1]) == "setup")
        return Setup(std::atoi(argv[2]), argv[3], argc >= 5 ? std::atoi(argv[4]) : 300);
    std::fprintf(stderr, "usage: korvelt-driver forget KEY | setup ROW KEY [SECONDS]\n");
    return 2;
}
