#include "fw/FrameWnd.h"

#include "fw/CmdUI.h"
#include "fw/Document.h"
#include "fw/FrameworkIds.h"
#include "fw/View.h"
#include "fw/WinApp.h"
#include "win/ScopedHandle.h"
#include "win/User932.h"

namespace
{
constexpr char kFrameClass[] = "KorveltFrame";

struct CChildMessage
{
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
};

BOOL CALLBACK SendToChild(HWND hChild, LPARAM lData)
{
    const auto* pMessage = reinterpret_cast<const CChildMessage*>(lData);
    SendMessage932(hChild, pMessage->nMessage, pMessage->wParam, pMessage->lParam);
    return TRUE;
}
}

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    // The view's window goes with the frame's; destroy the windows while both objects exist.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

bool CFrameWnd::LoadFrame(UINT nIDResource, const std::string& strTitle, CDocument* pDocument,
                          std::unique_ptr<CView> pView)
{
    HINSTANCE hInstance = CWinApp::Get()->m_hInstance;
    m_nIDResource = nIDResource;
    m_strTitle = strTitle;
    m_pView = std::move(pView);
    m_pCreateDocument = pDocument;
    m_hAccel = LoadAccelerators932(hInstance, nIDResource);
    CScopedMenu menu(LoadMenu932(hInstance, nIDResource));

    CREATESTRUCTA cs{};
    cs.hInstance = hInstance;
    cs.hMenu = menu.Get();
    cs.lpszName = m_strTitle.c_str();
    cs.style = WS_OVERLAPPEDWINDOW;
    cs.x = CW_USEDEFAULT;
    cs.y = CW_USEDEFAULT;
    cs.cx = CW_USEDEFAULT;
    cs.cy = CW_USEDEFAULT;
    if (!PreCreateWindow(cs))
        return false;
    HWND hWnd = CreateWindowEx932(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, this);
    m_pCreateDocument = nullptr;
    if (hWnd == nullptr || m_hWnd == nullptr)
    {
        // A window destroyed during its creation has taken its menu with it.
        if (!IsMenu(menu.Get()))
            menu.Take();
        m_pView.reset();
        return false;
    }
    menu.Take();
    return true;
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    // On the NT family the class makes Unicode windows: their texts never pass through the
    // system's ANSI code page.
    constexpr UINT kArrowCursor = 32512;  // IDC_ARROW
    if (!IsClassRegistered932(cs.hInstance, kFrameClass) &&
        !RegisterClass932(kFrameClass, CS_DBLCLKS, &CWnd::WindowProc, cs.hInstance,
                          LoadIcon932(cs.hInstance, m_nIDResource), LoadCursor932(nullptr, kArrowCursor),
                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
        return false;
    cs.lpszClass = kFrameClass;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return true;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDocument, bool bMakeVisible)
{
    if (bMakeVisible)
    {
        if (m_pView != nullptr)
        {
            // The initial update runs outside any window message, so it gets the same guard as
            // dispatch: a read error is reported and the frame still shows, with what the view
            // had set up before it.
            try
            {
                m_pView->OnInitialUpdate();
            }
            catch (...)
            {
                CWinApp::ReportCurrentException();
            }
            m_pView->OnActivateFrame(WA_INACTIVE, this);
        }
        // Only the first showing of the main window takes the process's show command.
        int nCmdShow = -1;
        CWinApp* pApp = CWinApp::Get();
        if (pApp->GetMainWnd() == this && pApp->m_nCmdShow != -1)
        {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (m_pView != nullptr)
            m_pView->OnActivateView(true, m_pView.get(), m_pView.get());
    }
    OnUpdateFrameTitle();
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible(m_hWnd))
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic(m_hWnd))
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(m_hWnd, nCmdShow);
    const bool bActivates = nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
                            nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE;
    if (IsWindowVisible(m_hWnd) && bActivates)
        BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle()
{
    if (m_hWnd == nullptr)
        return;
    CDocument* pDocument = GetActiveDocument();
    const std::string strText = pDocument != nullptr ? pDocument->GetTitle() + " - " + m_strTitle : m_strTitle;
    if (GetWindowText() != strText)
        SetWindowText(strText);
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pView != nullptr ? m_pView->GetDocument() : nullptr;
}

bool CFrameWnd::OnCmdMsg(CMessageCall& call)
{
    if (m_pView != nullptr && m_pView->OnCmdMsg(call))
        return true;
    if (ProcessMessageTable(call))
        return true;
    CWinApp* pApp = CWinApp::Get();
    return pApp != nullptr && pApp->OnCmdMsg(call);
}

void CFrameWnd::RecalcLayout()
{
    if (m_pView == nullptr || m_pView->m_hWnd == nullptr)
        return;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    MoveWindow(m_pView->m_hWnd, 0, 0, rc.right, rc.bottom, TRUE);
}

void CFrameWnd::SendToDescendants(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CChildMessage message{nMessage, wParam, lParam};
    EnumChildWindows(m_hWnd, &SendToChild, reinterpret_cast<LPARAM>(&message));
}

bool CFrameWnd::OnCreate()
{
    if (m_pView == nullptr || !m_pView->Create(this, AFX_IDW_PANE_FIRST))
        return false;
    if (m_pCreateDocument != nullptr)
        m_pCreateDocument->AddView(m_pView.get());
    return true;
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    // The document keeps nothing to save, so closing never asks.
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    CWinApp* pApp = CWinApp::Get();
    if (pApp != nullptr && pApp->GetMainWnd() == this)
        PostQuitMessage(0);
}

void CFrameWnd::OnSetFocus(HWND)
{
    if (m_pView != nullptr && m_pView->m_hWnd != nullptr)
        SetFocus(m_pView->m_hWnd);
}

// The view keeps its focused control before the default processing deactivates the frame, and
// gets it back after the default processing activated it.
void CFrameWnd::OnActivate(UINT nState, bool bMinimized, HWND)
{
    if (nState == WA_INACTIVE && m_pView != nullptr)
        m_pView->OnActivateFrame(WA_INACTIVE, this);
    Default();
    if (nState != WA_INACTIVE && !bMinimized && m_pView != nullptr)
        m_pView->OnActivateView(true, m_pView.get(), m_pView.get());
}

// Each item of an opening pop-up menu asks its update handler for its state; an item without
// one is enabled exactly when some object on the command route handles its command.
void CFrameWnd::OnInitMenuPopup(HMENU hMenu, UINT, bool bSystemMenu)
{
    if (bSystemMenu)
    {
        SetMsgHandled(false);
        return;
    }
    const int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        const UINT nID = GetMenuItemID(hMenu, i);
        if (nID == 0 || nID == static_cast<UINT>(-1))
            continue;
        CCmdUI state(hMenu, static_cast<UINT>(i), nID);
        CMessageCall update = CMessageCall::Update(&state, nID);
        OnCmdMsg(update);
        if (!state.EnableChanged())
        {
            CMessageCall probe = CMessageCall::Probe(nID);
            state.Enable(OnCmdMsg(probe));
        }
    }
}

// Both are passed on to the child windows, then to the default processing.
void CFrameWnd::OnDisplayChange(UINT nBitsPerPixel, int cx, int cy)
{
    SendToDescendants(WM_DISPLAYCHANGE, nBitsPerPixel, MAKELPARAM(cx, cy));
    SetMsgHandled(false);
}

void CFrameWnd::OnSysColorChange()
{
    SendToDescendants(WM_SYSCOLORCHANGE, 0, 0);
    SetMsgHandled(false);
}

bool CFrameWnd::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CFrameWnd> s_table[] = {
        HandleCreate(&CFrameWnd::OnCreate),
        HandleSize(&CFrameWnd::OnSize),
        HandleClose(&CFrameWnd::OnClose),
        HandleDestroy(&CFrameWnd::OnDestroy),
        HandleSetFocus(&CFrameWnd::OnSetFocus),
        HandleActivate(&CFrameWnd::OnActivate),
        HandleInitMenuPopup(&CFrameWnd::OnInitMenuPopup),
        HandleDisplayChange(&CFrameWnd::OnDisplayChange),
        HandleSysColorChange(&CFrameWnd::OnSysColorChange),
    };
    return call.Run(s_table, this) || CWnd::ProcessMessageTable(call);
}
