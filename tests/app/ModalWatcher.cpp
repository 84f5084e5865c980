#include "tests/app/ModalWatcher.h"

#include "tests/support/System932.h"
#include "win/User932.h"

#include <algorithm>

CModalWatcher* CModalWatcher::s_pActive = nullptr;

namespace
{
// As code page 932, whatever the system's code page: the bytes of the message file.
std::string TextOf(HWND hWnd)
{
    return GetWindowText932(hWnd);
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
    if (GetClassName932(hWnd) != "#32770" || !IsWindowVisible(hWnd))
        return TRUE;
    const bool bKnown = std::any_of(pWatcher->m_seen.begin(), pWatcher->m_seen.end(),
                                    [&](const CSeen& seen) { return seen.hWnd == hWnd; });
    if (!bKnown)
    {
        pWatcher->Record(hWnd);
        if (pWatcher->m_onSeen)
            pWatcher->m_onSeen(hWnd);
        PostMessage932(hWnd, WM_COMMAND, MAKEWPARAM(pWatcher->m_nCloseCommand, BN_CLICKED), 0);
    }
    return TRUE;
}

void CModalWatcher::Record(HWND hDialog)
{
    CSeen seen;
    seen.hWnd = hDialog;
    seen.hOwner = GetWindow(hDialog, GW_OWNER);
    seen.strCaption = TextOf(hDialog);
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        const int nID = GetDlgCtrlID(hChild);
        const LONG nStyle = static_cast<LONG>(GetWindowLongPtr932(hChild, GWL_STYLE));
        seen.texts[nID] = TextOf(hChild);
        seen.styles[nID] = nStyle;
        const bool bStatic = GetClassName932(hChild) == "Static";
        if (bStatic && (nStyle & SS_TYPEMASK) == SS_ICON)
        {
            if (IsWindowVisible(hChild) && SendMessage932(hChild, STM_GETICON, 0, 0) != 0)
                seen.bShowsIcon = true;
        }
        else if (bStatic)
        {
            seen.statics.push_back(TextOf(hChild));
        }
    }
    m_seen.push_back(seen);
}

::testing::AssertionResult CModalWatcher::SawOneBox(const std::optional<std::string>& caption,
                                                    const std::optional<std::string>& message) const
{
    const bool bOne = m_seen.size() == 1;
    if (bOne && (!caption || m_seen[0].strCaption == *caption) &&
        (!message || (!m_seen[0].statics.empty() && m_seen[0].statics.back() == *message)))
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "expected one box";
    if (caption)
        failure << " captioned \"" << *caption << "\"";
    if (message)
        failure << " saying \"" << *message << "\"";
    failure << "; seen " << m_seen.size() << ":";
    for (const CSeen& seen : m_seen)
    {
        failure << "\n  \"" << seen.strCaption << "\":";
        for (const std::string& strStatic : seen.statics)
            failure << " \"" << strStatic << "\"";
    }
    return failure;
}
