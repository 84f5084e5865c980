#include "fw/FormView.h"

#include "fw/FrameWnd.h"
#include "fw/WinApp.h"
#include "win/PaintDC.h"
#include "win/User932.h"

bool CFormView::Create(CFrameWnd* pFrame, UINT nID)
{
    m_pFrame = pFrame;
    HWND hWnd = CreateDialogParam932(CWinApp::Get()->m_hInstance, m_nIDTemplate, pFrame->m_hWnd, &CWnd::DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (hWnd == nullptr)
        return false;
    SetWindowLongPtr932(hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    RECT rc;
    GetWindowRect(hWnd, &rc);
    m_sizeTotal = SIZE{rc.right - rc.left, rc.bottom - rc.top};
    ShowWindow(hWnd, SW_SHOWNA);
    return true;
}

POINT CFormView::GetScrollPosition() const
{
    return POINT{GetScrollPos(m_hWnd, SB_HORZ), GetScrollPos(m_hWnd, SB_VERT)};
}

void CFormView::OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate && pActivateView == this && m_hWndFocus != nullptr && IsWindow(m_hWndFocus) &&
        IsChild(m_hWnd, m_hWndFocus))
    {
        SetFocus(m_hWndFocus);
        return;
    }
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnActivateFrame(UINT nState, CFrameWnd*)
{
    if (nState != WA_INACTIVE || m_hWnd == nullptr)
        return;
    HWND hFocus = GetFocus();
    if (hFocus != nullptr && IsChild(m_hWnd, hFocus))
        m_hWndFocus = hFocus;
}

void CFormView::OnPrepareDC(HDC hDC)
{
    const POINT pt = GetScrollPosition();
    SetViewportOrgEx(hDC, -pt.x, -pt.y, nullptr);
}

bool CFormView::OnInitDialog()
{
    m_font.Apply(m_hWnd);
    // A child form does not take the focus when it is made.
    return false;
}

void CFormView::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        UpdateBars();
}

// Each bar covers the template's size with a page of the client size; the system hides a bar
// whose page covers everything. The contents follow when a bar's position had to change.
void CFormView::UpdateBars()
{
    if (m_bInUpdateBars || m_sizeTotal.cx <= 0 || m_sizeTotal.cy <= 0)
        return;
    m_bInUpdateBars = true;
    const POINT ptOld = GetScrollPosition();
    for (int nPass = 0; nPass < 2; ++nPass)
    {
        // A second pass settles the sizes after one bar's appearance took room from the other.
        RECT rc;
        GetClientRect(m_hWnd, &rc);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMax = m_sizeTotal.cx - 1;
        si.nPage = static_cast<UINT>(rc.right);
        SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
        si.nMax = m_sizeTotal.cy - 1;
        si.nPage = static_cast<UINT>(rc.bottom);
        SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    }
    const POINT ptNew = GetScrollPosition();
    if (ptNew.x != ptOld.x || ptNew.y != ptOld.y)
        ScrollWindowEx(m_hWnd, ptOld.x - ptNew.x, ptOld.y - ptNew.y, nullptr, nullptr, nullptr, nullptr,
                       SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
    m_bInUpdateBars = false;
}

void CFormView::ScrollBy(int nBar, UINT nRequest)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(m_hWnd, nBar, &si);
    const int nLine = 16;
    const int nMaxPos = si.nMax - static_cast<int>(si.nPage) + 1;
    int nPos = si.nPos;
    switch (nRequest)
    {
    case SB_LINEUP: nPos -= nLine; break;
    case SB_LINEDOWN: nPos += nLine; break;
    case SB_PAGEUP: nPos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: nPos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: nPos = si.nTrackPos; break;
    case SB_TOP: nPos = 0; break;
    case SB_BOTTOM: nPos = nMaxPos; break;
    default: return;
    }
    if (nPos > nMaxPos)
        nPos = nMaxPos;
    if (nPos < 0)
        nPos = 0;
    if (nPos == si.nPos)
        return;
    SetScrollPos(m_hWnd, nBar, nPos, TRUE);
    const int nDelta = si.nPos - nPos;
    ScrollWindowEx(m_hWnd, nBar == SB_HORZ ? nDelta : 0, nBar == SB_VERT ? nDelta : 0, nullptr, nullptr, nullptr,
                   nullptr, SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
}

// Only the form's own scroll bars scroll it, not a scroll bar control on it.
void CFormView::OnHScroll(UINT nCode, UINT, HWND hScrollBar)
{
    if (hScrollBar == nullptr)
        ScrollBy(SB_HORZ, nCode);
}

void CFormView::OnVScroll(UINT nCode, UINT, HWND hScrollBar)
{
    if (hScrollBar == nullptr)
        ScrollBy(SB_VERT, nCode);
}

void CFormView::OnPaint()
{
    CPaintDC dc(m_hWnd);
    OnPrepareDC(dc.Get());
    OnDraw(dc.Get());
}

void CFormView::OnSetFocus(HWND)
{
    HWND hTarget = m_hWndFocus;
    if (hTarget == nullptr || !IsWindow(hTarget) || !IsChild(m_hWnd, hTarget))
        hTarget = GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
    if (hTarget != nullptr)
        SetFocus(hTarget);
}

bool CFormView::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CFormView> s_table[] = {
        HandleInitDialog(&CFormView::OnInitDialog),
        HandleSize(&CFormView::OnSize),
        HandleHScroll(&CFormView::OnHScroll),
        HandleVScroll(&CFormView::OnVScroll),
        HandlePaint(&CFormView::OnPaint),
        HandleSetFocus(&CFormView::OnSetFocus),
    };
    return call.Run(s_table, this) || CView::ProcessMessageTable(call);
}
