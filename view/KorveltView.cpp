#include "KorveltView.h"

#include "CmdUI.h"
#include "FrameWnd.h"
#include "KorveltDoc.h"
#include "MainFrame.h"
#include "MenuHandle.h"
#include "MessageNumbers.h"
#include "WinApp.h"
#include "resource.h"
#include "tarven.h"

#include <commctrl.h>

#include <cctype>

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
    static const char kOption[] = "/NOZOOMOUT";
    if (strCmdLine.size() >= 128 || strCmdLine.size() != sizeof kOption - 1)
        return true;
    for (size_t i = 0; i < strCmdLine.size(); ++i)
    {
        if (std::toupper(static_cast<unsigned char>(strCmdLine[i])) != kOption[i])
            return true;
    }
    return false;
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

    // Layout rectangles, drawing flags, catalogue loading (exit codes 30 and 31) and the state
    // evaluation of every entry come here, before the columns.

    InsertColumns();

    // The rows, the first selection and the start of the resize layout follow here.
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

LRESULT CKorveltView::OnRefreshState(WPARAM, LPARAM)
{
    // Re-evaluating every entry and rewriting the status column come here.
    return 0;
}

void CKorveltView::OnShowTextFile()
{
    // Showing the selected entry's text file (CTextViewDlg) comes here.
}

void CKorveltView::OnSetup()
{
    // Starting the selected entry's set-up comes here.
}

void CKorveltView::OnUninstall()
{
    // Starting the selected entry's removal comes here.
}

void CKorveltView::OnForceSetup()
{
    m_bForceSetup = !m_bForceSetup;
    // The buttons' states follow the mode (UpdateButtons) here.
}

void CKorveltView::OnUpdateForceSetup(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bForceSetup ? 1 : 0);
}

void CKorveltView::OnClickAppList(NMHDR*, LRESULT* pResult)
{
    const int nRow = static_cast<int>(SendMessageA(m_hListApps, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (nRow >= 0)
        m_nSelected = nRow + 1;
    *pResult = 0;
}

void CKorveltView::OnItemChangedAppList(NMHDR*, LRESULT* pResult)
{
    const int nRow = static_cast<int>(SendMessageA(m_hListApps, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (nRow >= 0)
        m_nSelected = nRow + 1;
    *pResult = 0;
}

LRESULT CKorveltView::OnSize(WPARAM wParam, LPARAM lParam)
{
    CFormView::OnSize(wParam, lParam);
    // The scaling of the controls comes here.
    return 0;
}

bool CKorveltView::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageEntry<CKorveltView> s_table[] = {
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
