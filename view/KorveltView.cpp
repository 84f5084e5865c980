#include "KorveltView.h"

#include "CheckContext.h"
#include "ClientDC.h"
#include "CmdUI.h"
#include "Dpi.h"
#include "EntryActions.h"
#include "FormLayout.h"
#include "FrameMessages.h"
#include "FrameWnd.h"
#include "InstallNoticeDlg.h"
#include "KorveltDoc.h"
#include "LaunchCommands.h"
#include "MessageNumbers.h"
#include "ScopedHandle.h"
#include "System.h"
#include "TextViewDlg.h"
#include "UninstallNoticeDlg.h"
#include "User932.h"
#include "WinApp.h"
#include "resource.h"
#include "tarven.h"

#include <commctrl.h>

#include <sstream>

namespace
{
struct SColumn
{
    int nMessage;
    int nWidth;
};
// The list's columns: title, description, status.
constexpr SColumn kColumns[] = {
    {MSG_COLUMN_TITLE, 260},
    {MSG_COLUMN_DESCRIPTION, 190},
    {MSG_COLUMN_STATUS, 139},
};

struct SMenu
{
    int nTitle;
    int nItem;
    UINT nCommand;
};
// The menu bar's three placeholders, by position.
constexpr SMenu kMenus[] = {
    {MSG_MENU_FILE, MSG_MENU_EXIT, ID_APP_EXIT},
    {MSG_MENU_SETUP, MSG_MENU_FORCE_SETUP, ID_FORCE_SETUP},
    {MSG_MENU_HELP, MSG_MENU_ABOUT, ID_APP_ABOUT},
};

struct SExitCode
{
    int nLoadFailure;
    int nExitCode;
};
// Catalogue load failures and the exit codes they end the process with; 0xFFFF ends the table.
constexpr SExitCode kExitCodes[] = {
    {1, 30},
    {0xFFFF, 0},
};
constexpr int kUnlistedExitCode = 31;

// Lines that the set-up and removal notices show at least.
constexpr int kNoticeLines = 17;

CLayoutRect ToLayout(const RECT& rc)
{
    return CLayoutRect{rc.left, rc.top, rc.right, rc.bottom};
}

}

CKorveltView::CKorveltView() : CFormView(IDD_KORVELT_FORM)
{
}

CKorveltDoc* CKorveltView::GetDocument() const
{
    return static_cast<CKorveltDoc*>(CFormView::GetDocument());
}

bool CKorveltView::ZoomOutFor(const std::string& strCmdLine)
{
    return !CFormLayout::IsNoZoomOut(strCmdLine);
}

int CKorveltView::ExitCodeFor(int nLoadFailure)
{
    for (const SExitCode& code : kExitCodes)
    {
        if (code.nLoadFailure == 0xFFFF)
            break;
        if (code.nLoadFailure == nLoadFailure)
            return code.nExitCode;
    }
    return kUnlistedExitCode;
}

void CKorveltView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    m_listApps.Attach(GetDlgItem(IDC_APPLIST));

    SetDlgItemText(IDC_SETUP, LoadMessage(MSG_BUTTON_SETUP));
    SetDlgItemText(IDC_UNINSTALL, LoadMessage(MSG_BUTTON_UNINSTALL));
    SetDlgItemText(IDC_TEXTFILE, LoadMessage(MSG_BUTTON_TEXTFILE));
    SetMenuTexts();
    m_bZoomOut = ZoomOutFor(CWinApp::Get()->GetCmdLine());

    const SIZE sizeTotal = GetTotalSize();
    m_rcForm = RECT{0, 0, sizeTotal.cx, sizeTotal.cy};
    m_rcTitle = RECT{ScaleForDpi(70), ScaleForDpi(25), ScaleForDpi(577), ScaleForDpi(89)};
    TakeDesignRects();

    CKorveltDoc* pDoc = GetDocument();
    if (!pDoc->m_picApp.IsValid())
        m_bDrawAppBitmap = false;
    if (!pDoc->m_picTitle.IsValid())
        m_bDrawTitleBitmap = false;

    // Rows of an earlier initial update go first: should reading the catalogue fail, no row
    // may stand for an entry that is no longer behind it.
    m_listApps.Clear(false);
    m_bListFilled = false;
    CAppCatalog& catalog = pDoc->m_catalog;
    catalog.SetDatabasePath("korvelt\\appdb.dat");
    const int nLoad = catalog.Load();
    if (nLoad != 0)
        ExitProcess(static_cast<UINT>(ExitCodeFor(nLoad)));
    // The first refresh may already copy files after a set-up: they come from this medium.
    catalog.UpdateSourceDrive();
    m_copyPending.MarkAll(catalog.GetCount());
    CCheckContext context;
    context.m_strStartMenuPrograms = LoadMessage(MSG_STARTMENU_PROGRAMS);
    catalog.SetCheckContext(context);
    catalog.RefreshAll();

    FillList();
    // A repeated initial update may bring a shorter catalogue.
    if (m_nSelected > catalog.GetCount())
        m_nSelected = 1;
    SelectCurrent();

    m_bLayoutReady = true;
    if (m_bZoomOut)
        ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
}

// Each placeholder becomes a pop-up menu with one item; the menu bar owns the pop-ups (and
// destroys those of an earlier initial update when they are replaced).
void CKorveltView::SetMenuTexts()
{
    CFrameWnd* pFrame = GetParentFrame();
    HMENU hMenuBar = GetMenu(pFrame->m_hWnd);
    if (hMenuBar != nullptr)
    {
        UINT nPosition = 0;
        for (const SMenu& menu : kMenus)
        {
            CScopedMenu popup(CreatePopupMenu());
            if (popup.IsValid() &&
                AppendMenu932(popup.Get(), MF_STRING, menu.nCommand, LoadMessage(menu.nItem)) &&
                ModifyMenu932(hMenuBar, nPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                              reinterpret_cast<UINT_PTR>(popup.Get()), LoadMessage(menu.nTitle)))
                popup.Take();
            ++nPosition;
        }
    }
    pFrame->SetWindowText(LoadMessage(MSG_CAPTION));
    DrawMenuBar(pFrame->m_hWnd);
}

const CKorveltView::SControl CKorveltView::s_controls[] = {
    {IDC_APPLIST, &CKorveltView::m_rcList},
    {IDC_SETUP, &CKorveltView::m_rcSetup},
    {IDC_UNINSTALL, &CKorveltView::m_rcUninstall},
    {IDC_TEXTFILE, &CKorveltView::m_rcTextFile},
};

// The controls' places in view client coordinates. They are taken once: a repeated initial
// update finds the controls already scaled to the window, and scaling those again would drift.
void CKorveltView::TakeDesignRects()
{
    if (m_bLayoutReady)
        return;
    for (const SControl& control : s_controls)
    {
        RECT rc{};
        GetWindowRect(GetDlgItem(control.nID), &rc);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        this->*control.pDesign = rc;
    }
}

// A repeated initial update starts the list afresh, so it keeps exactly three columns.
void CKorveltView::FillList()
{
    m_listApps.Clear(true);
    int nIndex = 0;
    for (const SColumn& column : kColumns)
        m_listApps.InsertColumn(nIndex++, {LoadMessage(column.nMessage), ScaleForDpi(column.nWidth)});
    const CAppCatalog& catalog = GetDocument()->m_catalog;
    for (int n = 1; n <= catalog.GetCount(); ++n)
    {
        const CAppEntry* pEntry = catalog.GetAt(n);
        m_listApps.AddRow(pEntry->GetTitle(), pEntry->GetSubItemText(),
                          StatusText(pEntry->IsInstalled() != 0, pEntry->IsPrevReleaseFound() != 0));
    }
    m_bListFilled = true;
}

std::string CKorveltView::StatusText(bool bInstalled, bool bPrevReleaseFound)
{
    const int nMessage = StatusMessageFor(bInstalled, bPrevReleaseFound);
    return nMessage != 0 ? LoadMessage(nMessage) : std::string();
}

CAppEntry* CKorveltView::SelectedEntry() const
{
    const CAppCatalog& catalog = GetDocument()->m_catalog;
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
    // A catalogue whose reading failed left no rows: nothing to re-check, copy or select.
    if (!m_bListFilled)
        return 0;
    // Each entry is evaluated once per pass, by its row.
    const CAppCatalog& catalog = GetDocument()->m_catalog;
    for (int n = 1; n <= catalog.GetCount(); ++n)
        RefreshRow(n);
    SelectCurrent();
    return 0;
}

void CKorveltView::RefreshRow(int n)
{
    CAppCatalog& catalog = GetDocument()->m_catalog;
    CAppEntry* pEntry = catalog.GetAt(n);
    const bool bInstalled = m_copyPending.Refresh(catalog.GetCheckContext(), n, *pEntry, catalog.GetSourceDrive());
    m_listApps.SetStatus(n - 1, bInstalled ? StatusText(true, pEntry->IsPrevReleaseFound() != 0) : std::string());
}

void CKorveltView::OnShowTextFile()
{
    const CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
        return;
    CTextViewDlg dlg;
    // The catalogue names the file in code page 932; a name that is not code page 932 names no
    // file.
    std::string strBytes;
    if (TheSystem().ReadFile(pEntry->GetTextFile(), strBytes))
    {
        std::istringstream file(strBytes);
        dlg.LoadText(file);
        dlg.DoModal();
    }
    else
    {
        ShowError(MSG_TEXTFILE_FAILED);
    }
    SelectCurrent();
}

void CKorveltView::OnSetup()
{
    const CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
        return;
    const CSetupCommand setup = ComposeSetupCommand(*pEntry, GetDocument()->m_catalog);
    CInstallNoticeDlg notice;
    Launch(notice, pEntry->GetInstallNotice(), [&] {
        m_copyPending.Mark(m_nSelected);
        // The set-up program gets the screen; the frame asks for a refresh when it is restored.
        ShowWindow(GetParentFrame()->m_hWnd, SW_SHOWMINIMIZED);
        return RunInFolder(setup.m_strFolder, setup.m_strCommand);
    });
}

void CKorveltView::OnUninstall()
{
    CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
        return;
    const std::string strCommand = ComposeUninstallCommand(*pEntry, GetDocument()->m_catalog);
    CUninstallNoticeDlg notice;
    Launch(notice, pEntry->GetUninstallNotice(), [&] {
        // Posted: the frame minimises after this handler, once the removal has started.
        PostMessage932(GetParentFrame()->m_hWnd, WM_MINIMIZE_FRAME, 0, 0);
        return RunDetached(strCommand);
    });
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

void CKorveltView::OnClickAppList(NMHDR*, LRESULT* pResult)
{
    SelectRow(m_listApps.GetFocusedRow());
    *pResult = 0;
}

void CKorveltView::OnItemChangedAppList(NMHDR*, LRESULT* pResult)
{
    SelectRow(m_listApps.GetSelectedRow());
    *pResult = 0;
}

void CKorveltView::OnDblClkAppList(NMHDR* pHeader, LRESULT* pResult)
{
    // A double-click below the last row hits no row.
    if (reinterpret_cast<NMITEMACTIVATE*>(pHeader)->iItem >= 0)
        RunRowAction();
    *pResult = 0;
}

void CKorveltView::OnReturnAppList(NMHDR*, LRESULT* pResult)
{
    RunRowAction();
    *pResult = 0;
}

void CKorveltView::OnEnter()
{
    if (::GetFocus() == m_listApps.GetHwnd())
        RunRowAction();
}

void CKorveltView::OnRefreshCommand()
{
    OnRefreshState(0, 0);
}

void CKorveltView::RunRowAction()
{
    if (SelectedEntry() == nullptr)
        return;
    if (IsWindowEnabled(GetDlgItem(IDC_SETUP)))
        OnSetup();
    else if (IsWindowEnabled(GetDlgItem(IDC_UNINSTALL)))
        OnUninstall();
}

void CKorveltView::SelectRow(int nRow)
{
    if (nRow < 0)
        return;
    m_nSelected = nRow + 1;
    UpdateButtons();
}

LRESULT CKorveltView::OnSize(WPARAM wParam, LPARAM lParam)
{
    // With zoom-out the form always fits its window: the base's scroll bars would only come
    // back after being hidden (and each change of them resizes the view again).
    if (!(m_bLayoutReady && m_bZoomOut))
        CFormView::OnSize(wParam, lParam);
    if (!m_bLayoutReady || m_bInLayout)
        return 0;
    m_bInLayout = true;
    if (m_bZoomOut)
        ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
    RECT rcClient{};
    GetClientRect(m_hWnd, &rcClient);
    const CFormLayout::CFactors factors =
        CFormLayout::Factors(rcClient.right, rcClient.bottom, ToLayout(m_rcForm), m_bZoomOut);
    if (factors.m_bResetHorizontal)
        SetScrollPos(m_hWnd, SB_HORZ, 0, TRUE);
    if (factors.m_bResetVertical)
        SetScrollPos(m_hWnd, SB_VERT, 0, TRUE);
    for (const SControl& control : s_controls)
    {
        const CPlacement place = CFormLayout::Scale(ToLayout(this->*control.pDesign), factors);
        MoveWindow(GetDlgItem(control.nID), place.m_nX, place.m_nY, place.m_nWidth, place.m_nHeight, TRUE);
    }
    m_bInLayout = false;
    return 0;
}

// The background picture tiled over the whole view, then the title picture in its place. A
// background picture that cannot be measured stops the painting there.
void CKorveltView::OnDraw(HDC hDC)
{
    const CKorveltDoc* pDoc = GetDocument();
    if (m_bDrawAppBitmap)
    {
        int nWidth = 0;
        int nHeight = 0;
        if (!pDoc->m_picApp.GetSize(nWidth, nHeight))
            return;
        RECT rcClient{};
        GetClientRect(m_hWnd, &rcClient);
        int nColumns = 0;
        int nRows = 0;
        CFormLayout::TileCount(rcClient.right, rcClient.bottom, nWidth, nHeight, nColumns, nRows);
        pDoc->m_picApp.DrawTiled(hDC, nColumns, nRows);
    }
    if (m_bDrawTitleBitmap)
        pDoc->m_picTitle.DrawStretched(hDC, m_rcTitle);
}

void CKorveltView::OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bActivate)
        RealizePalettes(m_hWnd);
}

void CKorveltView::RealizePalettes(HWND hWndActivated)
{
    CKorveltDoc* pDoc = GetDocument();
    // A picture without its palette leaves both palettes unrealised.
    if ((m_bDrawAppBitmap && !pDoc->m_picApp.HasPalette()) || (m_bDrawTitleBitmap && !pDoc->m_picTitle.HasPalette()))
        return;
    CFrameWnd* pMain = CWinApp::Get()->GetMainWnd();
    if (pMain == nullptr)
        return;
    CClientDC dc(pMain->m_hWnd);
    if (!dc.IsValid())
        return;
    const bool bBackground = hWndActivated != m_hWnd;
    if (m_bDrawAppBitmap && pDoc->m_picApp.RealizePalette(dc.Get(), bBackground))
        pDoc->UpdateAllViews(nullptr);
    if (m_bDrawTitleBitmap && pDoc->m_picTitle.RealizePalette(dc.Get(), bBackground))
        pDoc->UpdateAllViews(nullptr);
}

bool CKorveltView::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CKorveltView> s_table[] = {
        HandleMessage(WM_REFRESH_STATE, &CKorveltView::OnRefreshState),
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
        HandleCommand(ID_REFRESH_STATE, &CKorveltView::OnRefreshCommand),
        HandleMessage(WM_SIZE, &CKorveltView::OnSize),
    };
    return call.Run(s_table, this) || CFormView::ProcessMessageTable(call);
}
