// The frame window: a top-level window with the menu, accelerators and icon of one resource ID,
// whose only child is its view, laid out to fill the client area. Its caption is the document
// title, " - " and the window title. Owns the view.
#ifndef KORVELT_FW_FRAMEWND_H
#define KORVELT_FW_FRAMEWND_H

#include "fw/Wnd.h"

#include <memory>
#include <string>

class CDocument;
class CView;

class CFrameWnd : public CWnd
{
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window, and during its creation the view for the document.
    bool LoadFrame(UINT nIDResource, const std::string& strTitle, CDocument* pDocument, std::unique_ptr<CView> pView);
    // The view's initial update, then the first showing and the caption.
    void InitialUpdateFrame(CDocument* pDocument, bool bMakeVisible);
    // Shows the frame; -1 shows a hidden frame normally and restores a minimised one.
    void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle();

    CView* GetActiveView() const { return m_pView.get(); }
    CDocument* GetActiveDocument() const;
    HACCEL GetAccelerators() const { return m_hAccel; }
    const std::string& GetTitle() const { return m_strTitle; }

    // Commands go to the view (and its document) first, then to the frame, then to the application.
    bool OnCmdMsg(CMessageCall& call) override;

protected:
    // Sets the creation parameters (the caption is code page 932, the class name ASCII); the
    // default adds the client edge and the window class with the frame's icon.
    virtual bool PreCreateWindow(CREATESTRUCTA& cs);
    void RecalcLayout();

    bool OnCreate();
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnSetFocus(HWND hOld);
    void OnActivate(UINT nState, bool bMinimized, HWND hOther);
    void OnInitMenuPopup(HMENU hMenu, UINT nIndex, bool bSystemMenu);
    void OnDisplayChange(UINT nBitsPerPixel, int cx, int cy);
    void OnSysColorChange();
    bool ProcessMessageTable(CMessageCall& call) override;

    UINT m_nIDResource = 0;
    std::string m_strTitle;

private:
    void SendToDescendants(UINT nMessage, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<CView> m_pView;
    CDocument* m_pCreateDocument = nullptr;
    HACCEL m_hAccel = nullptr;
};

#endif
