#include "fw/View.h"

#include "fw/Document.h"

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0);
}

void CView::OnUpdate(CView*, LPARAM)
{
    if (m_hWnd != nullptr)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CView::OnActivateView(bool bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && m_hWnd != nullptr)
    {
        HWND hFocus = GetFocus();
        if (hFocus != m_hWnd && !IsChild(m_hWnd, hFocus))
            SetFocus(m_hWnd);
    }
}

bool CView::OnCmdMsg(CMessageCall& call)
{
    return ProcessMessageTable(call) || (m_pDocument != nullptr && m_pDocument->OnCmdMsg(call));
}
