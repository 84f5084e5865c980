#include "InstallNoticeDlg.h"

#include "MessageNumbers.h"
#include "resource.h"
#include "tarven.h"

CInstallNoticeDlg::CInstallNoticeDlg(CWnd* pParent) : CDialog(IDD_INSTALL_NOTICE, pParent)
{
}

void CInstallNoticeDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_INSTALL_NOTICE_EDIT, m_strText);
}

bool CInstallNoticeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadMessage(MSG_INSTALL_NOTICE_TITLE));
    SetDlgItemText(IDOK, LoadMessage(MSG_DIALOG_OK));
    return true;
}

// Read-only edit controls ask with WM_CTLCOLORSTATIC: white behind the text and a white brush
// for the rest of the control, so that lines scrolled away leave nothing behind.
LRESULT CInstallNoticeDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    DefWindowProcA(m_hWnd, WM_CTLCOLORSTATIC, wParam, lParam);
    SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

bool CInstallNoticeDlg::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageEntry<CInstallNoticeDlg> s_table[] = {
        HandleMessage(WM_CTLCOLORSTATIC, &CInstallNoticeDlg::OnCtlColorStatic),
    };
    return call.Run(s_table, this) || CDialog::ProcessMessageTable(call);
}
