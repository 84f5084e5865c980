#include "view/win32/ReadOnlyTextDlg.h"

#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "win/User932.h"

CReadOnlyTextDlg::CReadOnlyTextDlg(UINT nIDTemplate, int nEditID, int nTitleMessage, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nEditID(nEditID), m_nTitleMessage(nTitleMessage)
{
}

void CReadOnlyTextDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(m_nEditID, m_strText);
}

bool CReadOnlyTextDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadMessage(m_nTitleMessage));
    SetDlgItemText(IDOK, LoadMessage(MSG_DIALOG_OK));
    return true;
}

// Read-only edit controls ask with WM_CTLCOLORSTATIC: white behind the text and a white brush
// for the rest of the control, so that lines scrolled away leave nothing behind.
HBRUSH CReadOnlyTextDlg::OnCtlColorStatic(HDC hDC, HWND)
{
    Default();  // the system's text colour
    SetBkColor(hDC, RGB(255, 255, 255));
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

bool CReadOnlyTextDlg::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CReadOnlyTextDlg> s_table[] = {
        HandleCtlColorStatic(&CReadOnlyTextDlg::OnCtlColorStatic),
    };
    return call.Run(s_table, this) || CDialog::ProcessMessageTable(call);
}
