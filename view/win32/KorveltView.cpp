#include "view/win32/KorveltView.h"

#include "catalog/AppCatalog.h"
#include "catalog/AppEntry.h"
#include "fw/CmdUI.h"
#include "fw/FrameWnd.h"
#include "fw/WinApp.h"
#include "msgcat/tarven.h"
#include "res/FrameMessages.h"
#include "res/MessageNumbers.h"
#include "res/resource.h"
#include "sys/FollowedProcess.h"
#include "view/EntryActions.h"
#include "view/FormLayout.h"
#include "view/win32/FormTexts.h"
#include "view/win32/InstallNoticeDlg.h"
#include "view/win32/KorveltDoc.h"
#include "view/LaunchCommands.h"
#include "view/win32/TextViewDlg.h"
#include "view/win32/UninstallNoticeDlg.h"
#include "win/ClientDC.h"
#include "win/Dpi.h"
#include "win/Console932.h"
#include "win/User932.h"

#include <commctrl.h>

namespace {

// Lines that the set-up and removal notices show at least.
constexpr int kNoticeLines = 17;
// How often the set-ups and removals being followed are looked at.
constexpr UINT_PTR kFollowTimerId = 1;
constexpr UINT kFollowIntervalMs = 500;

// Whether the entry, as last checked, reads as the action meant: the same reading at the start,
// while following and at the end, so that only a real change counts. An entry that is always set
// up has nothing to find, so its set-up always reads as done.
bool ReadsAsMeant(const CAppEntry& entry, EFollowedAction action)
{
    const bool bFound = entry.IsInstalled() != 0 || entry.IsPrevReleaseFound() != 0;
    if (action == EFollowedAction::Setup)
        return bFound || entry.IsAlwaysInstall();
    return !bFound;
}

} // namespace

bool CKorveltView::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CKorveltView> s_table[] = {
        HandleMessage(WM_REFRESH_STATE, &CKorveltView::OnRefreshState),
        HandleCommand(ID_REFRESH_STATE, &CKorveltView::OnRefreshCommand),
        HandleClick(IDC_TEXTFILE, &CKorveltView::OnShowTextFile),
        HandleClick(IDC_SETUP, &CKorveltView::OnSetup),
        HandleClick(IDC_UNINSTALL, &CKorveltView::OnUninstall),
        HandleCommand(ID_FORCE_SETUP, &CKorveltView::OnForceSetup),
        HandleUpdate(ID_FORCE_SETUP, &CKorveltView::OnUpdateForceSetup),
        HandleNotify(NM_CLICK, IDC_APPLIST, &CKorveltView::OnClickAppList),
        HandleNotify(LVN_ITEMCHANGED, IDC_APPLIST, &CKorveltView::OnItemChangedAppList),
        HandleNotify(NM_DBLCLK, IDC_APPLIST, &CKorveltView::OnDblClkAppList),
        HandleNotify(NM_RETURN, IDC_APPLIST, &CKorveltView::OnReturnAppList),
        HandleCommand(IDOK, &CKorveltView::OnEnter),
        HandleSize(&CKorveltView::OnSize),
        HandleTimer(&CKorveltView::OnTimer),
        HandleMessage(WM_UNATTENDED_NEXT, &CKorveltView::OnUnattendedNext),
    };
    return call.Run(s_table, this) || CFormView::ProcessMessageTable(call);
}

CKorveltView::CKorveltView() : CFormView(IDD_KORVELT_FORM)
{
}

CKorveltDoc* CKorveltView::GetDocument() const
{
    return static_cast<CKorveltDoc*>(CFormView::GetDocument());
}

CAppCatalog& CKorveltView::Catalog() const
{
    return GetDocument()->GetCatalog();
}

void CKorveltView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    m_listApps.Attach(GetDlgItem(IDC_APPLIST));
    CFormTexts::SetButtonTexts(m_hWnd);
    CFormTexts::SetMenuTexts(GetParentFrame()->m_hWnd);
    m_bZoomOut = !CFormLayout::IsNoZoomOut(CWinApp::Get()->GetCmdLine());
    m_rcTitle = RECT{ScaleForDpi(70), ScaleForDpi(25), ScaleForDpi(577), ScaleForDpi(89)};
    m_layout.TakeDesign(m_hWnd, GetTotalSize());

    // Rows of an earlier initial update go first: should reading the catalogue fail, no row
    // may stand for an entry that is no longer behind it.
    m_listApps.Clear(false);
    m_bListFilled = false;
    GetDocument()->LoadCatalog();
    const CAppCatalog& catalog = Catalog();
    m_copyPending.MarkAll(catalog.GetCount());
    // Programs started for the entries of an earlier catalogue are no longer followed.
    m_follower.Clear();
    FillList();
    // A repeated initial update may bring a shorter catalogue.
    if (m_nSelected > catalog.GetCount())
        m_nSelected = 1;
    SelectCurrent();

    m_bLayoutReady = true;
    if (m_bZoomOut)
        ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
    BeginUnattendedRun();
}

void CKorveltView::BeginUnattendedRun()
{
    // A repeated initial update starts no second run.
    if (m_pRun != nullptr)
        return;
    const CUnattendedOptions options = CUnattendedOptions::Parse(CWinApp::Get()->GetArguments());
    if (!options.IsUnattended() || !options.ShowsWindow())
        return;
    m_runShow = options.m_show;
    m_pRunLog = std::make_unique<CRunLog>(options.m_strLogFile);
    CAppCatalog& catalog = Catalog();
    m_pRun = std::make_unique<CUnattendedRun>(catalog, options,
                                              CUnattendFile::Read(catalog.GetDirectory() + "\\unattend.ini"),
                                              [this](const std::string& strLine) { m_pRunLog->Write(strLine); });
    std::string strWhy;
    if (!m_pRun->CheckNames(strWhy))
    {
        if (m_pRunLog->IsKept())
            m_pRunLog->Write(strWhy);
        else
            WriteOutput932(strWhy + "\r\n");
        EndUnattendedRun(kUnattendedBadCommandLine);
        return;
    }
    // Once the window has shown.
    PostMessage932(m_hWnd, WM_UNATTENDED_NEXT, 0, 0);
}

LRESULT CKorveltView::OnUnattendedNext(WPARAM, LPARAM)
{
    if (m_pRun == nullptr || m_bRunStepActive)
        return 0;
    if (!m_pRun->Next(m_runStep))
    {
        EndUnattendedRun(m_pRun->GetExitCode());
        return 0;
    }
    m_bRunStepActive = true;
    m_nSelected = m_runStep.m_nEntry;
    SelectCurrent();
    if (m_runShow == CUnattendedOptions::EShow::Full)
    {
        // As a click on the button: notice, minimised window, the box at the end.
        m_bStartFailed = false;
        if (m_runStep.m_action == EFollowedAction::Setup)
            OnSetup();
        else
            OnUninstall();
        // A program that did not start fails its step, whatever the entry reads as (an entry
        // that is always set up reads as done before and after).
        if (m_bStartFailed)
        {
            m_pRun->NotStarted(m_runStep);
            GoOnWithRun();
        }
        else if (!m_follower.IsFollowing())
        {
            EndUnattendedStep(false, 0);
        }
        return 0;
    }
    const bool bSetup = m_runStep.m_action == EFollowedAction::Setup;
    m_listApps.SetStatus(m_nSelected - 1, LoadMessage(bSetup ? MSG_STATUS_INSTALLING : MSG_STATUS_UNINSTALLING));
    std::unique_ptr<CFollowedProcess> process;
    if (!m_pRun->Start(m_runStep, &process))
        GoOnWithRun();
    else if (process == nullptr)
        EndUnattendedStep(false, 0);
    else
        Follow(m_runStep.m_nEntry, m_runStep.m_action, std::move(process));
    return 0;
}

void CKorveltView::EndUnattendedStep(bool bEnded, uint32_t nExitCode)
{
    m_pRun->Ended(m_runStep, bEnded, nExitCode);
    GoOnWithRun();
}

void CKorveltView::GoOnWithRun()
{
    m_bRunStepActive = false;
    RefreshAll();
    PostMessage932(m_hWnd, WM_UNATTENDED_NEXT, 0, 0);
}

void CKorveltView::EndUnattendedRun(int nExitCode)
{
    CWinApp::Get()->SetExitCode(nExitCode);
    PostMessage932(GetParentFrame()->m_hWnd, WM_CLOSE, 0, 0);
}

// A repeated initial update starts the list afresh, so it keeps exactly three columns.
void CKorveltView::FillList()
{
    CFormTexts::ResetColumns(m_listApps);
    const CAppCatalog& catalog = Catalog();
    for (int n = 1; n <= catalog.GetCount(); ++n)
    {
        const CAppEntry* pEntry = catalog.GetAt(n);
        m_listApps.AddRow(pEntry->GetTitle(), pEntry->GetSubItemText(),
                          CFormTexts::StatusText(pEntry->IsInstalled() != 0, pEntry->IsPrevReleaseFound() != 0));
    }
    m_bListFilled = true;
}

CAppEntry* CKorveltView::SelectedEntry() const
{
    const CAppCatalog& catalog = Catalog();
    if (!m_bListFilled || m_nSelected < 1 || m_nSelected > catalog.GetCount())
        return nullptr;
    return catalog.GetAt(m_nSelected);
}

void CKorveltView::UpdateButtons()
{
    const CEntryActions actions = CEntryActions::For(SelectedEntry(), m_bForceSetup);
    EnableWindow(GetDlgItem(IDC_SETUP), actions.m_bSetup ? TRUE : FALSE);
    EnableWindow(GetDlgItem(IDC_UNINSTALL), actions.m_bUninstall ? TRUE : FALSE);
    EnableWindow(GetDlgItem(IDC_TEXTFILE), actions.m_bTextFile ? TRUE : FALSE);
    // Takes away a pushed look left by the last click.
    SendMessage932(GetDlgItem(IDC_SETUP), BM_SETSTATE, FALSE, 0);
    SendMessage932(GetDlgItem(IDC_UNINSTALL), BM_SETSTATE, FALSE, 0);
}

void CKorveltView::SelectCurrent()
{
    m_listApps.Select(m_nSelected - 1);
    UpdateButtons();
}

LRESULT CKorveltView::OnRefreshState(WPARAM, LPARAM)
{
    RefreshAll();
    ReportEnded();
    return 0;
}

void CKorveltView::OnTimer(UINT_PTR nID)
{
    if (nID != kFollowTimerId)
    {
        SetMsgHandled(false);
        return;
    }
    CAppCatalog& catalog = Catalog();
    const bool bAnyEnded = m_follower.Poll([&](int nEntry, EFollowedAction action) {
        if (nEntry < 1 || nEntry > catalog.GetCount())
            return false;
        // Only while the first process has ended and others run; the refresh that follows the
        // end brings the row up to date.
        CAppEntry& entry = *catalog.GetAt(nEntry);
        entry.RefreshState(catalog.GetCheckContext());
        return ReadsAsMeant(entry, action);
    });
    if (!m_follower.IsFollowing())
        KillTimer(m_hWnd, kFollowTimerId);
    if (bAnyEnded)
        ComeBack();
}

void CKorveltView::Follow(int nEntry, EFollowedAction action, std::unique_ptr<CFollowedProcess> process)
{
    if (process == nullptr)
        return;
    m_follower.Add(nEntry, action, ReadsAsMeant(*Catalog().GetAt(nEntry), action), std::move(process));
    SetTimer(m_hWnd, kFollowTimerId, kFollowIntervalMs, nullptr);
}

void CKorveltView::ComeBack()
{
    HWND hFrame = GetParentFrame()->m_hWnd;
    // Restored as the user would: the frame then asks for the refresh, which reports the end.
    if (IsIconic(hFrame))
        ShowWindow(hFrame, SW_RESTORE);
    else
        PostMessage932(m_hWnd, WM_REFRESH_STATE, 0, 0);
    // The system lets a program come forward only now and then; otherwise its button flashes.
    if (!SetForegroundWindow(hFrame))
        FlashWindow(hFrame, TRUE);
}

void CKorveltView::ReportEnded()
{
    CAppCatalog& catalog = Catalog();
    bool bRunGoesOn = false;
    for (const CSetupFollower::CEnded& ended : m_follower.TakeEnded())
    {
        if (ended.m_nEntry < 1 || ended.m_nEntry > catalog.GetCount())
            continue;
        const CSetupOutcome outcome = CSetupOutcome::For(
            ended.m_action, ended.m_nExitCode, ReadsAsMeant(*catalog.GetAt(ended.m_nEntry), ended.m_action));
        // The refresh before this has already rewritten the rows.
        const bool bRunStep = m_bRunStepActive && ended.m_nEntry == m_runStep.m_nEntry;
        if (bRunStep)
        {
            m_bRunStepActive = false;
            m_pRun->Ended(m_runStep, true, ended.m_nExitCode);
        }
        bRunGoesOn = bRunGoesOn || bRunStep;
        // A passive run shows no boxes; one that runs set-ups as clicks shows what a click would.
        if (outcome.m_nMessage != 0 && !(bRunStep && m_runShow != CUnattendedOptions::EShow::Full))
            CWinApp::Get()->ShowMessage(outcome.Text(LoadMessage(outcome.m_nMessage), ended.m_nExitCode),
                                        MB_OK | MB_ICONINFORMATION);
    }
    // Only once the box, if any, is closed.
    if (bRunGoesOn)
        PostMessage932(m_hWnd, WM_UNATTENDED_NEXT, 0, 0);
}

void CKorveltView::OnRefreshCommand()
{
    RefreshAll();
}

void CKorveltView::RefreshAll()
{
    // A catalogue whose reading failed left no rows: nothing to re-check, copy or select.
    if (!m_bListFilled)
        return;
    // Each entry is evaluated once per pass, by its row.
    for (int n = 1; n <= Catalog().GetCount(); ++n)
        RefreshRow(n);
    SelectCurrent();
}

void CKorveltView::RefreshRow(int n)
{
    CAppCatalog& catalog = Catalog();
    CAppEntry* pEntry = catalog.GetAt(n);
    const bool bInstalled = m_copyPending.Refresh(catalog.GetCheckContext(), n, *pEntry, catalog.GetSourceDrive(),
                                                  m_follower.IsSettingUp(n));
    const bool bPrevRelease = pEntry->IsPrevReleaseFound() != 0;
    m_listApps.SetStatus(n - 1, bInstalled ? CFormTexts::StatusText(true, bPrevRelease) : std::string());
}

void CKorveltView::OnShowTextFile()
{
    const CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
        return;
    CTextViewDlg dlg;
    if (dlg.LoadFile(pEntry->GetTextFile()))
        dlg.DoModal();
    else
        ShowError(MSG_TEXTFILE_FAILED);
    SelectCurrent();
}

void CKorveltView::OnSetup()
{
    const CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
        return;
    const CSetupCommand setup = ComposeSetupCommand(*pEntry, Catalog());
    CInstallNoticeDlg notice;
    const int nEntry = m_nSelected;
    std::unique_ptr<CFollowedProcess> process;
    Launch(notice, pEntry->GetInstallNotice(), [&] {
        m_copyPending.Mark(nEntry);
        // The set-up program gets the screen; the frame asks for a refresh when it is restored.
        ShowWindow(GetParentFrame()->m_hWnd, SW_SHOWMINIMIZED);
        return RunInFolder(setup.m_strFolder, setup.m_strCommand, setup.m_strProgram, &process);
    });
    Follow(nEntry, EFollowedAction::Setup, std::move(process));
}

void CKorveltView::OnUninstall()
{
    CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
        return;
    const std::string strCommand = ComposeUninstallCommand(*pEntry, Catalog());
    CUninstallNoticeDlg notice;
    const int nEntry = m_nSelected;
    std::unique_ptr<CFollowedProcess> process;
    Launch(notice, pEntry->GetUninstallNotice(), [&] {
        // Posted: the frame minimises after this handler, once the removal has started.
        PostMessage932(GetParentFrame()->m_hWnd, WM_MINIMIZE_FRAME, 0, 0);
        return RunDetached(strCommand, &process);
    });
    Follow(nEntry, EFollowedAction::Uninstall, std::move(process));
}

void CKorveltView::Launch(CReadOnlyTextDlg& notice, const std::string& strNotice, const std::function<int()>& start)
{
    if (!strNotice.empty())
    {
        notice.m_strText = strNotice;
        PadLines(notice.m_strText, kNoticeLines);
        notice.DoModal();
    }
    const int nResult = start();
    m_bStartFailed = nResult != 0;
    SelectCurrent();
    if (nResult != 0)
        ShowError(nResult);
}

void CKorveltView::OnForceSetup()
{
    m_bForceSetup = !m_bForceSetup;
    UpdateButtons();
}

void CKorveltView::OnUpdateForceSetup(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bForceSetup ? 1 : 0);
}

void CKorveltView::ShowError(int nMessage)
{
    static const std::string s_strCaption = "ERROR";
    MessageBox932(m_hWnd, LoadMessage(nMessage), &s_strCaption, MB_OK | MB_ICONEXCLAMATION);
}

void CKorveltView::OnClickAppList(NMHDR*, LRESULT*)
{
    SelectRow(m_listApps.GetFocusedRow());
}

void CKorveltView::OnItemChangedAppList(NMHDR*, LRESULT*)
{
    SelectRow(m_listApps.GetSelectedRow());
}

void CKorveltView::OnDblClkAppList(NMHDR* pHeader, LRESULT*)
{
    // A double-click below the last row hits no row.
    if (reinterpret_cast<NMITEMACTIVATE*>(pHeader)->iItem >= 0)
        RunRowAction();
}

void CKorveltView::OnReturnAppList(NMHDR*, LRESULT*)
{
    RunRowAction();
}

void CKorveltView::OnEnter()
{
    if (::GetFocus() == m_listApps.GetHwnd())
        RunRowAction();
}

void CKorveltView::RunRowAction()
{
    const CEntryActions actions = CEntryActions::For(SelectedEntry(), m_bForceSetup);
    if (actions.m_bSetup)
        OnSetup();
    else if (actions.m_bUninstall)
        OnUninstall();
}

void CKorveltView::SelectRow(int nRow)
{
    if (nRow < 0)
        return;
    m_nSelected = nRow + 1;
    UpdateButtons();
}

void CKorveltView::OnSize(UINT nType, int cx, int cy)
{
    // With zoom-out the form always fits its window: the base's scroll bars would only come
    // back after being hidden (and each change of them resizes the view again).
    if (!(m_bLayoutReady && m_bZoomOut))
        CFormView::OnSize(nType, cx, cy);
    if (m_bLayoutReady)
        m_layout.Apply(m_hWnd, m_bZoomOut);
}

// The background picture tiled over the whole view, then the title picture in its place.
void CKorveltView::OnDraw(HDC hDC)
{
    RECT rcClient{};
    GetClientRect(m_hWnd, &rcClient);
    GetDocument()->GetPictures().Paint(hDC, rcClient.right, rcClient.bottom, m_rcTitle, &CFormLayout::TileCount);
}

// Realised as foreground palettes in the main window whenever the form is activated.
void CKorveltView::OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    CFrameWnd* pMain = CWinApp::Get()->GetMainWnd();
    if (!bActivate || pMain == nullptr)
        return;
    CClientDC dc(pMain->m_hWnd);
    if (dc.IsValid() && GetDocument()->GetPictures().RealizePalettes(dc.Get(), false))
        GetDocument()->UpdateAllViews(nullptr);
}
