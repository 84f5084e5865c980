// A view: the child window that shows a document inside its frame. Passes commands it does not
// handle on to its document and draws through OnDraw.
#ifndef KORVELT_FW_VIEW_H
#define KORVELT_FW_VIEW_H

#include "fw/Wnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd
{
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return m_pFrame; }

    // Creates the view's window as the frame's child with the given child ID.
    virtual bool Create(CFrameWnd* pFrame, UINT nID) = 0;
    // Runs after the document was made new or opened; the default repaints the view.
    virtual void OnInitialUpdate();
    // The document changed (UpdateAllViews); the default repaints the view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint);
    // The frame was activated with this view in it (or the view became the active one).
    virtual void OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView);
    // The frame changes activation state; called with WA_INACTIVE before it loses it.
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrame) {}
    // Sets up a device context for drawing the view (scroll offsets).
    virtual void OnPrepareDC(HDC hDC) {}
    virtual void OnDraw(HDC hDC) {}

    bool OnCmdMsg(CMessageCall& call) override;

protected:
    CFrameWnd* m_pFrame = nullptr;

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};

#endif
