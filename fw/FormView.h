// A view made from a dialog template (a modeless child dialog): the controls of the template,
// scrolled with scroll bars when the view is smaller than the template's size.
#ifndef KORVELT_FW_FORMVIEW_H
#define KORVELT_FW_FORMVIEW_H

#include "fw/DialogFont.h"
#include "fw/View.h"

class CFormView : public CView
{
public:
    explicit CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

    bool Create(CFrameWnd* pFrame, UINT nID) override;
    // The template's size in pixels: the size of the scrolled area.
    SIZE GetTotalSize() const { return m_sizeTotal; }
    // The scroll bars' positions: the offset of the form's contents.
    POINT GetScrollPosition() const;

    void OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnActivateFrame(UINT nState, CFrameWnd* pFrame) override;
    void OnPrepareDC(HDC hDC) override;

protected:
    bool OnInitDialog();
    // Updates the scroll bars for the new size; derived views call it first from their own.
    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    void OnVScroll(UINT nCode, UINT nPos, HWND hScrollBar);
    void OnPaint();
    void OnSetFocus(HWND hOld);
    bool ProcessMessageTable(CMessageCall& call) override;

private:
    void UpdateBars();
    void ScrollBy(int nBar, UINT nRequest);

    UINT m_nIDTemplate;
    SIZE m_sizeTotal{0, 0};
    HWND m_hWndFocus = nullptr;
    bool m_bInUpdateBars = false;
    CDialogFont m_font;
};

#endif
