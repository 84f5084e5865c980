#include "MainFrame.h"

#include "Dpi.h"
#include "MediaRemovedDlg.h"
#include "User932.h"
#include "WinApp.h"
#include "resource.h"

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

LRESULT CMainFrame::OnDeviceChange(WPARAM wParam, LPARAM lParam)
{
    const auto* pHeader = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (wParam != DBT_DEVICEREMOVECOMPLETE || pHeader == nullptr || pHeader->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return 0;
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
    return 0;
}

LRESULT CMainFrame::OnDisplayChange(WPARAM, LPARAM)
{
    // Deliberately nothing: the frame's own handling (passing the change on to the view) is
    // left out.
    return 0;
}

LRESULT CMainFrame::OnSize(WPARAM wParam, LPARAM lParam)
{
    CFrameWnd::OnSize(wParam, lParam);
    if (wParam == SIZE_RESTORED && m_bRestored == 0)
    {
        m_bRestored = 1;
        HWND hView = GetWindow(m_hWnd, GW_CHILD);
        if (hView == nullptr)
        {
            CWinApp::Get()->ShowMessage(LoadString932(CWinApp::Get()->m_hInstance, IDS_FRAME_WITHOUT_VIEW));
            return 0;
        }
        PostMessage932(hView, WM_REFRESH_STATE, 0, 0);
        // This causes a second size notification, which finds the flag set.
        SetWindowPos(m_hWnd, HWND_TOP, kRestoredX, kRestoredY, ScaleForDpi(kFrameWidth), ScaleForDpi(kFrameHeight),
                     SWP_SHOWWINDOW);
    }
    else if (wParam == SIZE_MINIMIZED)
    {
        m_bRestored = 0;
    }
    return 0;
}

LRESULT CMainFrame::OnTimer(WPARAM wParam, LPARAM lParam)
{
    PostMessage932(m_hWnd, WM_CLOSE, 0, 0);
    return DefWindowProc932(m_hWnd, WM_TIMER, wParam, lParam);
}

bool CMainFrame::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CMainFrame> s_table[] = {
        HandleMessage(WM_MINIMIZE_FRAME, &CMainFrame::OnMinimizeRequest),
        HandleMessage(WM_DEVICECHANGE, &CMainFrame::OnDeviceChange),
        HandleMessage(WM_DISPLAYCHANGE, &CMainFrame::OnDisplayChange),
        HandleMessage(WM_SIZE, &CMainFrame::OnSize),
        HandleMessage(WM_TIMER, &CMainFrame::OnTimer),
    };
    return call.Run(s_table, this) || CFrameWnd::ProcessMessageTable(call);
}
