#include "KorveltView.h"

#include "ClientDC.h"
#include "CmdUI.h"
#include "DibGdi.h"
#include "DibHeader.h"
#include "FormLayout.h"
#include "FrameWnd.h"
#include "GlobalLock.h"
#include "InstallNoticeDlg.h"
#include "KorveltDoc.h"
#include "LaunchCommands.h"
#include "MainFrame.h"
#include "MenuHandle.h"
#include "MessageNumbers.h"
#include "PaletteSelector.h"
#include "TextViewDlg.h"
#include "UninstallNoticeDlg.h"
#include "WinApp.h"
#include "resource.h"
#include "tarven.h"

#include <commctrl.h>

#include <fstream>

namespace
{
struct SColumn
{
    int nMessage;
    int nWidth;
};
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

void SetItemText(HWND hList, int nRow, int nSubItem, const std::string& strText)
{
    std::string strCopy = strText;
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.pszText = strCopy.data();
    SendMessageA(hList, LVM_SETITEMTEXTA, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
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
    m_hListApps = GetDlgItem(IDC_APPLIST);

    SetDlgItemText(IDC_SETUP, LoadMessage(MSG_BUTTON_SETUP));
    SetDlgItemText(IDC_UNINSTALL, LoadMessage(MSG_BUTTON_UNINSTALL));
    SetDlgItemText(IDC_TEXTFILE, LoadMessage(MSG_BUTTON_TEXTFILE));
    SetMenuTexts();
    m_bZoomOut = ZoomOutFor(CWinApp::Get()->GetCmdLine());

    const SIZE sizeTotal = GetTotalSize();
    m_rcForm = RECT{0, 0, sizeTotal.cx, sizeTotal.cy};
    m_rcTitle = RECT{70, 25, 577, 89};
    TakeDesignRects();

    CKorveltDoc* pDoc = GetDocument();
    if (!pDoc->m_hDibApp.IsValid())
        m_bDrawAppBitmap = false;
    if (!pDoc->m_hDibTitle.IsValid())
        m_bDrawTitleBitmap = false;

    // Rows of an earlier initial update go first: should reading the catalogue fail, no row
    // may stand for an entry that is no longer behind it.
    SendMessageA(m_hListApps, LVM_DELETEALLITEMS, 0, 0);
    m_bListFilled = false;
    CAppCatalog& catalog = pDoc->m_catalog;
    catalog.SetDatabasePath("korvelt\\appdb.dat");
    const int nLoad = catalog.Load();
    if (nLoad != 0)
        ExitProcess(static_cast<UINT>(ExitCodeFor(nLoad)));
    m_copyPending.MarkAll(catalog.GetCount());
    catalog.RefreshAll();

    InsertColumns();
    InsertRows();
    m_bListFilled = true;
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
            CMenuHandle popup(CreatePopupMenu());
            if (popup.IsValid() && AppendMenuA(popup.Get(), MF_STRING, menu.nCommand, LoadMessage(menu.nItem)) &&
                ModifyMenuA(hMenuBar, nPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                            reinterpret_cast<UINT_PTR>(popup.Get()), LoadMessage(menu.nTitle)))
                popup.Release();
            ++nPosition;
        }
    }
    pFrame->SetWindowText(LoadMessage(MSG_CAPTION));
    DrawMenuBar(pFrame->m_hWnd);
}

// The controls' places in view client coordinates. They are taken once: a repeated initial
// update finds the controls already scaled to the window, and scaling those again would drift.
void CKorveltView::TakeDesignRects()
{
    if (m_bLayoutReady)
        return;
    const struct
    {
        int nID;
        RECT* pRect;
    } controls[] = {
        {IDC_APPLIST, &m_rcList},
        {IDC_SETUP, &m_rcSetup},
        {IDC_UNINSTALL, &m_rcUninstall},
        {IDC_TEXTFILE, &m_rcTextFile},
    };
    for (const auto& control : controls)
    {
        RECT rc{};
        GetWindowRect(GetDlgItem(control.nID), &rc);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        *control.pRect = rc;
    }
}

// A repeated initial update starts the list afresh, so it keeps exactly three columns.
void CKorveltView::InsertColumns()
{
    SendMessageA(m_hListApps, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageA(m_hListApps, LVM_DELETECOLUMN, 0, 0))
    {
    }
    int nIndex = 0;
    for (const SColumn& column : kColumns)
    {
        std::string strTitle = LoadMessage(column.nMessage);
        LVCOLUMNA lvc{};
        lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvc.fmt = LVCFMT_LEFT;
        lvc.cx = column.nWidth;
        lvc.pszText = strTitle.data();
        lvc.iSubItem = nIndex;
        SendMessageA(m_hListApps, LVM_INSERTCOLUMNA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&lvc));
        ++nIndex;
    }
}

void CKorveltView::InsertRows()
{
    const CAppCatalog& catalog = GetDocument()->m_catalog;
    for (int n = 1; n <= catalog.GetCount(); ++n)
    {
        const CAppEntry* pEntry = catalog.GetAt(n);
        std::string strTitle = pEntry->GetTitle();
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = n - 1;
        item.pszText = strTitle.data();
        SendMessageA(m_hListApps, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SetItemText(m_hListApps, n - 1, 1, pEntry->GetSubItemText());
        SetItemText(m_hListApps, n - 1, 2, StatusText(pEntry->IsInstalled() != 0, pEntry->IsPrevReleaseFound() != 0));
    }
}

std::string CKorveltView::StatusText(bool bInstalled, bool bPrevReleaseFound)
{
    if (bPrevReleaseFound)
        return LoadMessage(MSG_STATUS_PREVIOUS);
    if (bInstalled)
        return LoadMessage(MSG_STATUS_INSTALLED);
    return std::string();
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
    HWND hSetup = GetDlgItem(IDC_SETUP);
    HWND hUninstall = GetDlgItem(IDC_UNINSTALL);
    const CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
    {
        // No entry behind the selection (an empty catalogue): nothing to offer.
        EnableWindow(hSetup, FALSE);
        EnableWindow(hUninstall, FALSE);
        EnableWindow(GetDlgItem(IDC_TEXTFILE), FALSE);
    }
    else
    {
        const bool bOffersUninstall = (pEntry->IsInstalled() || pEntry->IsPrevReleaseFound()) &&
                                      !pEntry->IsAlwaysInstall() && !m_bForceSetup;
        EnableWindow(hSetup, bOffersUninstall ? FALSE : TRUE);
        EnableWindow(hUninstall, bOffersUninstall && pEntry->CanUninstall() ? TRUE : FALSE);
        EnableWindow(GetDlgItem(IDC_TEXTFILE), pEntry->GetTextFile().empty() ? FALSE : TRUE);
    }
    // Takes away a pushed look left by the last click.
    SendMessageA(hSetup, BM_SETSTATE, FALSE, 0);
    SendMessageA(hUninstall, BM_SETSTATE, FALSE, 0);
}

void CKorveltView::SelectCurrent()
{
    SetFocus(m_hListApps);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(m_hListApps, LVM_SETITEMSTATE, static_cast<WPARAM>(m_nSelected - 1), reinterpret_cast<LPARAM>(&item));
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
    const bool bInstalled = m_copyPending.Refresh(n, *pEntry, catalog.GetSourceDrive());
    SetItemText(m_hListApps, n - 1, 2, bInstalled ? StatusText(true, pEntry->IsPrevReleaseFound() != 0) : std::string());
}

void CKorveltView::OnShowTextFile()
{
    const CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
        return;
    CTextViewDlg dlg;
    std::ifstream file(pEntry->GetTextFile(), std::ios::in | std::ios::binary);
    if (file.is_open())
    {
        dlg.LoadText(file);
        file.close();
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
    const CAppEntry& entry = *pEntry;
    const CSetupCommand setup = ComposeSetupCommand(entry, GetDocument()->m_catalog);
    if (!entry.GetInstallNotice().empty())
    {
        CInstallNoticeDlg dlg;
        dlg.m_strText = entry.GetInstallNotice();
        PadLines(dlg.m_strText, kNoticeLines);
        dlg.DoModal();
    }
    m_copyPending.Mark(m_nSelected);
    // The set-up program gets the screen; the frame asks for a refresh when it is restored.
    ShowWindow(GetParentFrame()->m_hWnd, SW_SHOWMINIMIZED);
    const int nResult = RunInFolder(setup.m_strFolder, setup.m_strCommand);
    SelectCurrent();
    if (nResult != 0)
        ShowError(nResult);
}

void CKorveltView::OnUninstall()
{
    CAppEntry* pEntry = SelectedEntry();
    if (pEntry == nullptr)
        return;
    CAppEntry& entry = *pEntry;
    const std::string strCommand = ComposeUninstallCommand(entry, GetDocument()->m_catalog);
    if (!entry.GetUninstallNotice().empty())
    {
        CUninstallNoticeDlg dlg;
        dlg.m_strText = entry.GetUninstallNotice();
        PadLines(dlg.m_strText, kNoticeLines);
        dlg.DoModal();
    }
    // Posted: the frame minimises after this handler, once the removal has started.
    PostMessageA(GetParentFrame()->m_hWnd, WM_MINIMIZE_FRAME, 0, 0);
    const int nResult = RunDetached(strCommand);
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
    MessageBoxA(m_hWnd, LoadMessage(nMessage), "ERROR", MB_OK | MB_ICONEXCLAMATION);
}

void CKorveltView::OnClickAppList(NMHDR*, LRESULT* pResult)
{
    const int nRow = static_cast<int>(SendMessageA(m_hListApps, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (nRow >= 0)
    {
        m_nSelected = nRow + 1;
        UpdateButtons();
    }
    *pResult = 0;
}

void CKorveltView::OnItemChangedAppList(NMHDR*, LRESULT* pResult)
{
    const int nRow = static_cast<int>(SendMessageA(m_hListApps, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (nRow >= 0)
    {
        m_nSelected = nRow + 1;
        UpdateButtons();
    }
    *pResult = 0;
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
    const struct
    {
        int nID;
        const RECT* pDesign;
    } controls[] = {
        {IDC_APPLIST, &m_rcList},
        {IDC_SETUP, &m_rcSetup},
        {IDC_UNINSTALL, &m_rcUninstall},
        {IDC_TEXTFILE, &m_rcTextFile},
    };
    for (const auto& control : controls)
    {
        const CPlacement place = CFormLayout::Scale(ToLayout(*control.pDesign), factors);
        MoveWindow(GetDlgItem(control.nID), place.m_nX, place.m_nY, place.m_nWidth, place.m_nHeight, TRUE);
    }
    m_bInLayout = false;
    return 0;
}

namespace {

// Width and height of a picture held in a block; false when the block cannot be locked.
bool MeasureDib(HGLOBAL hDib, int& nWidth, int& nHeight)
{
    CGlobalLock lock(hDib);
    if (lock.Get() == nullptr)
        return false;
    nWidth = static_cast<int>(DibWidth(lock.Get()));
    nHeight = static_cast<int>(DibHeight(lock.Get()));
    return true;
}

} // namespace

void CKorveltView::OnDraw(HDC hDC)
{
    CKorveltDoc* pDoc = GetDocument();
    RECT rcClient{};
    GetClientRect(m_hWnd, &rcClient);
    if (m_bDrawAppBitmap)
    {
        if (!pDoc->m_hDibApp.IsValid())
            return;
        int nWidth = 0;
        int nHeight = 0;
        if (!MeasureDib(pDoc->m_hDibApp.Get(), nWidth, nHeight))
            return;
        int nColumns = 0;
        int nRows = 0;
        CFormLayout::TileCount(rcClient.right, rcClient.bottom, nWidth, nHeight, nColumns, nRows);
        const RECT rcSource{0, 0, nWidth, nHeight};
        for (int c = 0; c < nColumns; ++c)
        {
            for (int r = 0; r < nRows; ++r)
            {
                const RECT rcTile{c * nWidth, r * nHeight, c * nWidth + nWidth, r * nHeight + nHeight};
                DrawDib(hDC, rcTile, pDoc->m_hDibApp.Get(), rcSource, pDoc->m_pPalApp.get());
            }
        }
    }
    if (m_bDrawTitleBitmap)
    {
        if (!pDoc->m_hDibTitle.IsValid())
            return;
        int nWidth = 0;
        int nHeight = 0;
        if (!MeasureDib(pDoc->m_hDibTitle.Get(), nWidth, nHeight))
            return;
        if (nWidth > 0 && nHeight > 0)
            DrawDib(hDC, m_rcTitle, pDoc->m_hDibTitle.Get(), RECT{0, 0, nWidth, nHeight}, pDoc->m_pPalTitle.get());
    }
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
    if (m_bDrawAppBitmap && (!pDoc->m_hDibApp.IsValid() || !pDoc->m_pPalApp || !pDoc->m_pPalApp->IsValid()))
        return;
    if (m_bDrawTitleBitmap && (!pDoc->m_hDibTitle.IsValid() || !pDoc->m_pPalTitle || !pDoc->m_pPalTitle->IsValid()))
        return;
    CFrameWnd* pMain = CWinApp::Get()->GetMainWnd();
    if (pMain == nullptr)
        return;
    CClientDC dc(pMain->m_hWnd);
    if (!dc.IsValid())
        return;
    const bool bBackground = hWndActivated != m_hWnd;
    const CScopedPalette* palettes[] = {
        m_bDrawAppBitmap ? pDoc->m_pPalApp.get() : nullptr,
        m_bDrawTitleBitmap ? pDoc->m_pPalTitle.get() : nullptr,
    };
    for (const CScopedPalette* pPalette : palettes)
    {
        if (pPalette == nullptr)
            continue;
        CPaletteSelector select(dc.Get(), pPalette->Get(), bBackground);
        if (select.GetPrevious() != nullptr && RealizePalette(dc.Get()) > 0)
            pDoc->UpdateAllViews(nullptr);
    }
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
        HandleMessage(WM_SIZE, &CKorveltView::OnSize),
    };
    return call.Run(s_table, this) || CFormView::ProcessMessageTable(call);
}
