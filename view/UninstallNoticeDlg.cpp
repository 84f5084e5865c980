#include "UninstallNoticeDlg.h"

#include "MessageNumbers.h"
#include "resource.h"
#include "tarven.h"

CUninstallNoticeDlg::CUninstallNoticeDlg(CWnd* pParent) : CDialog(IDD_UNINSTALL_NOTICE, pParent)
{
}

void CUninstallNoticeDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_UNINSTALL_NOTICE_EDIT, m_strText);
}

bool CUninstallNoticeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadMessage(MSG_UNINSTALL_NOTICE_TITLE));
    SetDlgItemText(IDOK, LoadMessage(MSG_DIALOG_OK));
    return true;
}

// Read-only edit controls ask with WM_CTLCOLORSTATIC: white behind the text and a white brush
// for the rest of the control, so that lines scrolled away leave nothing behind.
LRESULT CUninstallNoticeDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    DefWindowProcA(m_hWnd, WM_CTLCOLORSTATIC, wParam, lParam);
    SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

bool CUninstallNoticeDlg::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageEntry<CUninstallNoticeDlg> s_table[] = {
        HandleMessage(WM_CTLCOLORSTATIC, &CUninstallNoticeDlg::OnCtlColorStatic),
    };
    return call.Run(s_table, this) || CDialog::ProcessMessageTable(call);
}
