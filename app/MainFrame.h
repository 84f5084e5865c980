// The launcher's main window: fixed size, fixed place at the first restore, a refresh request to
// the view after every return from the minimised state, and the program's end when a disk
// volume is removed.
#ifndef KORVELT_APP_MAINFRAME_H
#define KORVELT_APP_MAINFRAME_H

#include "fw/FrameWnd.h"
#include "res/FrameMessages.h"

class CMainFrame : public CFrameWnd
{
public:
    CMainFrame() = default;
    ~CMainFrame() override = default;

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;

    LRESULT OnMinimizeRequest(WPARAM wParam, LPARAM lParam);
    void OnDeviceChange(UINT nEvent, const DEV_BROADCAST_HDR* pHeader);
    void OnDisplayChange(UINT nBitsPerPixel, int cx, int cy);
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nID);
    bool ProcessMessageTable(CMessageCall& call) override;

private:
    // 1 from the first restored size on, 0 again whenever the window is minimised.
    int m_bRestored = 0;
};

#endif
