#include "fw/Wnd.h"

#include "fw/WinApp.h"
#include "win/User932.h"

#include <utility>

CWnd::~CWnd()
{
    // A window that outlives its object must not reach it any more.
    if (m_hWnd != nullptr && IsWindow(m_hWnd))
    {
        SetWindowLongPtr932(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

std::string CWnd::TextOf(HWND hWnd)
{
    return GetWindowText932(hWnd);
}

void CWnd::SetTextOf(HWND hWnd, const std::string& strText)
{
    SetWindowText932(hWnd, strText);
}

std::string CWnd::GetDlgItemText(int nID) const
{
    return TextOf(GetDlgItem(nID));
}

void CWnd::SetDlgItemText(int nID, const std::string& strText)
{
    SetDlgItemText932(m_hWnd, nID, strText);
}

bool CWnd::DestroyWindow()
{
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd) != FALSE;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return hWnd != nullptr ? reinterpret_cast<CWnd*>(GetWindowLongPtr932(hWnd, GWLP_USERDATA)) : nullptr;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    SetWindowLongPtr932(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

bool CWnd::OnWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    if (nMessage == WM_COMMAND)
    {
        // Menus and accelerators send code 0 or 1 without a control; both count as a command.
        const UINT nCode = lParam != 0 ? HIWORD(wParam) : 0;
        CMessageCall call = CMessageCall::Command(LOWORD(wParam), nCode);
        lResult = 0;
        return OnCmdMsg(call);
    }
    CMessageCall call = nMessage == WM_NOTIFY ? CMessageCall::Notify(reinterpret_cast<NMHDR*>(lParam))
                                              : CMessageCall::Message(nMessage, wParam, lParam);
    // Put back however the handler ends, for the message whose handler sent this one.
    struct CCurrentCall
    {
        CMessageCall*& m_pCall;
        CMessageCall* m_pOuter;
        ~CCurrentCall() { m_pCall = m_pOuter; }
    } current{m_pCall, std::exchange(m_pCall, &call)};
    if (!ProcessMessageTable(call))
        return false;
    lResult = call.Result();
    return true;
}

void CWnd::SetMsgHandled(bool bHandled)
{
    if (m_pCall != nullptr)
        m_pCall->SetHandled(bHandled);
}

LRESULT CWnd::Default()
{
    if (m_pCall == nullptr || m_pCall->Kind() != EEntryKind::Message)
        return 0;
    return DefWindowProc932(m_hWnd, m_pCall->Code(), m_pCall->WParam(), m_pCall->LParam());
}

// Exceptions must not cross the system's window procedure frames: the framework reports them
// with its stock box and the message counts as handled.
bool CWnd::DispatchGuarded(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    try
    {
        return OnWndMsg(nMessage, wParam, lParam, lResult);
    }
    catch (...)
    {
        CWinApp::ReportCurrentException();
        lResult = 0;
        return true;
    }
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_NCCREATE)
    {
        // Both forms of the structure keep the creation parameter first.
        auto* pCreate = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (auto* pWnd = static_cast<CWnd*>(pCreate->lpCreateParams))
            pWnd->Attach(hWnd);
    }
    CWnd* pWnd = FromHandle(hWnd);
    if (pWnd == nullptr)
        return DefWindowProc932(hWnd, nMessage, wParam, lParam);

    LRESULT lResult = 0;
    if (!pWnd->DispatchGuarded(nMessage, wParam, lParam, lResult))
        lResult = DefWindowProc932(hWnd, nMessage, wParam, lParam);
    if (nMessage == WM_NCDESTROY)
    {
        SetWindowLongPtr932(hWnd, GWLP_USERDATA, 0);
        pWnd->m_hWnd = nullptr;
        pWnd->PostNcDestroy();
    }
    return lResult;
}

INT_PTR CALLBACK CWnd::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
        reinterpret_cast<CWnd*>(lParam)->Attach(hWnd);
    CWnd* pWnd = FromHandle(hWnd);
    if (pWnd == nullptr)
        return FALSE;

    LRESULT lResult = 0;
    const bool bHandled = pWnd->DispatchGuarded(nMessage, wParam, lParam, lResult);
    if (nMessage == WM_NCDESTROY)
    {
        SetWindowLongPtr932(hWnd, GWLP_USERDATA, 0);
        pWnd->m_hWnd = nullptr;
        pWnd->PostNcDestroy();
        return FALSE;
    }
    if (!bHandled)
        return FALSE;
    switch (nMessage)
    {
    // These return their result directly; all others through DWLP_MSGRESULT.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(lResult);
    default:
        SetWindowLongPtr932(hWnd, DWLP_MSGRESULT, lResult);
        return TRUE;
    }
}
