#include "app/MainFrame.h"

#include "app/MediaRemovedDlg.h"
#include "fw/WinApp.h"
#include "res/resource.h"
#include "win/Dpi.h"
#include "win/User932.h"

#include <dbt.h>

namespace
{
// The window's size at 96 dots per inch; a DPI-aware process on a denser screen scales it, so
// the form (whose template grows with the font) fits without being squeezed.
constexpr int kFrameWidth = 651;
constexpr int kFrameHeight = 480;
constexpr int kRestoredX = 85;
constexpr int kRestoredY = 50;
constexpr UINT kCloseTimerId = 0;
constexpr UINT kCloseDelayMs = 500;
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.cx = ScaleForDpi(kFrameWidth);
    cs.cy = ScaleForDpi(kFrameHeight);
    return CFrameWnd::PreCreateWindow(cs);
}

LRESULT CMainFrame::OnMinimizeRequest(WPARAM, LPARAM)
{
    ShowWindow(m_hWnd, SW_MINIMIZE);
    return 0;
}

void CMainFrame::OnDeviceChange(UINT nEvent, const DEV_BROADCAST_HDR* pHeader)
{
    if (nEvent != DBT_DEVICEREMOVECOMPLETE || pHeader == nullptr || pHeader->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return;
    // Any volume counts: the medium the program runs from may be gone, so it ends.
    if (m_bRestored == 1)
    {
        ShowWindow(m_hWnd, SW_RESTORE);
        // Never stopped: its first tick closes the window, even while the notice is up, and
        // however the notice is dismissed.
        SetTimer(m_hWnd, kCloseTimerId, kCloseDelayMs, nullptr);
        CMediaRemovedDlg dlg;
        dlg.DoModal();
    }
    else
    {
        PostMessage932(m_hWnd, WM_CLOSE, 0, 0);
    }
}

void CMainFrame::OnDisplayChange(UINT, int, int)
{
    // Deliberately nothing: the frame's own handling (passing the change on to the view) is
    // left out.
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_RESTORED && m_bRestored == 0)
    {
        m_bRestored = 1;
        HWND hView = GetWindow(m_hWnd, GW_CHILD);
        if (hView == nullptr)
        {
            CWinApp::Get()->ShowMessage(LoadString932(CWinApp::Get()->m_hInstance, IDS_FRAME_WITHOUT_VIEW));
            return;
        }
        PostMessage932(hView, WM_REFRESH_STATE, 0, 0);
        // This causes a second size notification, which finds the flag set.
        SetWindowPos(m_hWnd, HWND_TOP, kRestoredX, kRestoredY, ScaleForDpi(kFrameWidth), ScaleForDpi(kFrameHeight),
                     SWP_SHOWWINDOW);
    }
    else if (nType == SIZE_MINIMIZED)
    {
        m_bRestored = 0;
    }
}

void CMainFrame::OnTimer(UINT_PTR)
{
    PostMessage932(m_hWnd, WM_CLOSE, 0, 0);
    SetMsgHandled(false);
}

bool CMainFrame::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CMainFrame> s_table[] = {
        HandleMessage(WM_MINIMIZE_FRAME, &CMainFrame::OnMinimizeRequest),
        HandleDeviceChange(&CMainFrame::OnDeviceChange),
        HandleDisplayChange(&CMainFrame::OnDisplayChange),
        HandleSize(&CMainFrame::OnSize),
        HandleTimer(&CMainFrame::OnTimer),
    };
    return call.Run(s_table, this) || CFrameWnd::ProcessMessageTable(call);
}
