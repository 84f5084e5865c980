#include "ModalWatcher.h"

#include <algorithm>

CModalWatcher* CModalWatcher::s_pActive = nullptr;

namespace
{
std::string TextOf(HWND hWnd)
{
    std::string strText(static_cast<size_t>(GetWindowTextLengthA(hWnd)) + 1, '\0');
    strText.resize(static_cast<size_t>(GetWindowTextA(hWnd, strText.data(), static_cast<int>(strText.size()))));
    return strText;
}

std::string ClassOf(HWND hWnd)
{
    char szClass[64] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    return szClass;
}
}

CModalWatcher::CModalWatcher(int nCloseCommand, std::function<void(HWND)> onSeen)
    : m_nCloseCommand(nCloseCommand), m_onSeen(std::move(onSeen))
{
    s_pActive = this;
    m_nTimer = SetTimer(nullptr, 0, 50, &CModalWatcher::OnTimer);
}

CModalWatcher::~CModalWatcher()
{
    KillTimer(nullptr, m_nTimer);
    s_pActive = nullptr;
}

void CALLBACK CModalWatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pActive != nullptr)
        EnumThreadWindows(GetCurrentThreadId(), &CModalWatcher::CheckWindow, reinterpret_cast<LPARAM>(s_pActive));
}

BOOL CALLBACK CModalWatcher::CheckWindow(HWND hWnd, LPARAM lParam)
{
    auto* pWatcher = reinterpret_cast<CModalWatcher*>(lParam);
    if (ClassOf(hWnd) != "#32770" || !IsWindowVisible(hWnd))
        return TRUE;
    const bool bKnown = std::any_of(pWatcher->m_seen.begin(), pWatcher->m_seen.end(),
                                    [&](const SSeen& seen) { return seen.hWnd == hWnd; });
    if (!bKnown)
    {
        pWatcher->Record(hWnd);
        if (pWatcher->m_onSeen)
            pWatcher->m_onSeen(hWnd);
        PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(pWatcher->m_nCloseCommand, BN_CLICKED), 0);
    }
    return TRUE;
}

void CModalWatcher::Record(HWND hDialog)
{
    SSeen seen;
    seen.hWnd = hDialog;
    seen.hOwner = GetWindow(hDialog, GW_OWNER);
    seen.strCaption = TextOf(hDialog);
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        const int nID = GetDlgCtrlID(hChild);
        const LONG nStyle = GetWindowLongA(hChild, GWL_STYLE);
        seen.texts[nID] = TextOf(hChild);
        seen.styles[nID] = nStyle;
        const bool bStatic = ClassOf(hChild) == "Static";
        if (bStatic && (nStyle & SS_TYPEMASK) == SS_ICON)
        {
            if (IsWindowVisible(hChild) && SendMessageA(hChild, STM_GETICON, 0, 0) != 0)
                seen.bShowsIcon = true;
        }
        else if (bStatic)
        {
            seen.statics.push_back(TextOf(hChild));
        }
    }
    m_seen.push_back(seen);
}
