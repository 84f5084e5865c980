// The launcher's form: the list of applications on the medium and the set-up, uninstall and
// text-file buttons, on dialog template 101. Fills the menu bar, the caption and the buttons'
// texts at its initial update.
#ifndef KORVELT_VIEW_KORVELTVIEW_H
#define KORVELT_VIEW_KORVELTVIEW_H

#include "FormView.h"

#include <string>

class CKorveltDoc;
class CCmdUI;

class CKorveltView : public CFormView
{
public:
    CKorveltView();
    ~CKorveltView() override = default;

    CKorveltDoc* GetDocument() const;
    void OnInitialUpdate() override;
    // Document changes never repaint this view.
    void OnUpdate(CView* pSender, LPARAM lHint) override {}

    // False exactly when the whole command line is "/NOZOOMOUT" (any case).
    static bool ZoomOutFor(const std::string& strCmdLine);

protected:
    LRESULT OnRefreshState(WPARAM wParam, LPARAM lParam);
    void OnShowTextFile();
    void OnSetup();
    void OnUninstall();
    void OnForceSetup();
    void OnUpdateForceSetup(CCmdUI* pCmdUI);
    void OnClickAppList(NMHDR* pHeader, LRESULT* pResult);
    void OnItemChangedAppList(NMHDR* pHeader, LRESULT* pResult);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    bool ProcessMessageTable(CMessageCall& call) override;

    void SetMenuTexts();
    void InsertColumns();

    HWND m_hListApps = nullptr;
    // The selected catalogue entry, counted from 1; the list row is one less.
    int m_nSelected = 1;
    bool m_bForceSetup = false;
    bool m_bZoomOut = true;
};

#endif
