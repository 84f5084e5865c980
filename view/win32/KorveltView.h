// The launcher's form: the list of applications on the medium and the set-up, uninstall and
// text-file buttons, on dialog template 101, over the tiled application picture and the title
// picture. Owns the list's wrapper, the controls' layout and the marks of pending copies; the
// form owns the controls' windows; reads and refreshes the document's catalogue.
#ifndef KORVELT_VIEW_WIN32_KORVELTVIEW_H
#define KORVELT_VIEW_WIN32_KORVELTVIEW_H

#include "fw/FormView.h"
#include "view/win32/AppListCtrl.h"
#include "view/win32/FormControlLayout.h"
#include "view/PendingCopies.h"
#include "view/SetupFollower.h"
#include "unattend/RunLog.h"
#include "unattend/UnattendedRun.h"

#include <functional>
#include <string>

class CAppCatalog;
class CAppEntry;
class CReadOnlyTextDlg;
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
    void OnUpdate(CView*, LPARAM) override {}
    void OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnDraw(HDC hDC) override;

    int GetSelected() const { return m_nSelected; }
    bool IsCopyPending(int n) const { return m_copyPending.IsMarked(n); }

protected:
    bool ProcessMessageTable(CMessageCall& call) override;

    LRESULT OnRefreshState(WPARAM wParam, LPARAM lParam);
    void OnRefreshCommand();
    void OnShowTextFile();
    void OnSetup();
    void OnUninstall();
    void OnForceSetup();
    void OnUpdateForceSetup(CCmdUI* pCmdUI);
    void OnClickAppList(NMHDR* pHeader, LRESULT* pResult);
    void OnItemChangedAppList(NMHDR* pHeader, LRESULT* pResult);
    void OnDblClkAppList(NMHDR* pHeader, LRESULT* pResult);
    void OnReturnAppList(NMHDR* pHeader, LRESULT* pResult);
    // Enter in the form: the dialog keys send it as IDOK when no button has the focus.
    void OnEnter();
    void OnSize(UINT nType, int cx, int cy);
    // The follow timer's tick: looks at the set-ups and removals being followed.
    void OnTimer(UINT_PTR nID);
    // An unattended run's next entry, or its end.
    LRESULT OnUnattendedNext(WPARAM wParam, LPARAM lParam);

private:
    // The document's catalogue, which the view reads and whose entries it refreshes.
    CAppCatalog& Catalog() const;
    // Re-checks every entry, makes the copies that have become due and selects the entry again.
    void RefreshAll();
    // Builds the columns and one row per catalogue entry.
    void FillList();
    // Makes the entry behind a list row (none for -1) the selected one.
    void SelectRow(int nRow);
    // What Enter or a double-click on a row does: set-up when it is offered, otherwise removal
    // when that is, otherwise nothing.
    void RunRowAction();
    // The entry behind the selected row; null when the list shows none (an empty catalogue, or
    // one whose reading failed before the rows were filled).
    CAppEntry* SelectedEntry() const;
    // Enables the buttons for entry m_nSelected; all three are disabled when there is none.
    void UpdateButtons();
    // Focuses the list and selects the row of entry m_nSelected, then updates the buttons.
    void SelectCurrent();
    // Re-evaluates entry n, runs its pending post-install copy, rewrites its status.
    void RefreshRow(int n);
    // Shows a non-empty notice in its dialog, then lets start() hand the window over and start
    // the program; reselects the row and reports a nonzero result of start() in the error box.
    void Launch(CReadOnlyTextDlg& notice, const std::string& strNotice, const std::function<int()>& start);
    void ShowError(int nMessage);
    // Follows the program started for entry nEntry (none: nothing to follow, as on a system that
    // gave no handle).
    void Follow(int nEntry, EFollowedAction action, std::unique_ptr<CFollowedProcess> process);
    // A followed program has ended: the window comes back, and its refresh reports the end.
    void ComeBack();
    // One box for each ended program whose end is not a plain success, after the refresh.
    void ReportEnded();

    // An administrator's line with the window (/passive, or set-ups as clicks would run them):
    // the run goes on by itself once the window shows.
    void BeginUnattendedRun();
    // The step of the run has ended, or could not be followed; the run goes on.
    void EndUnattendedStep(bool bEnded, uint32_t nExitCode);
    // The rows read afresh, then the next step of the run.
    void GoOnWithRun();
    // The run is over: the launcher ends with its code.
    void EndUnattendedRun(int nExitCode);

    CAppListCtrl m_listApps;
    CFormControlLayout m_layout;
    // The selected catalogue entry, counted from 1; the list row is one less.
    int m_nSelected = 1;
    bool m_bForceSetup = false;
    // The entries whose post-install copy is still to be made: all of them once the catalogue
    // is loaded, and each one whose set-up is started.
    CPendingCopies m_copyPending;
    CSetupFollower m_follower;
    // Set once the rows stand for the loaded catalogue's entries; clear while it is read.
    bool m_bListFilled = false;
    bool m_bLayoutReady = false;
    RECT m_rcTitle{70, 25, 577, 89};
    bool m_bZoomOut = true;
    std::unique_ptr<CRunLog> m_pRunLog;
    std::unique_ptr<CUnattendedRun> m_pRun;
    CUnattendedOptions::EShow m_runShow = CUnattendedOptions::EShow::Full;
    CUnattendedStep m_runStep;
    bool m_bRunStepActive = false;
    bool m_bStartFailed = false;  // the last set-up or removal that Launch started did not start
};

#endif
