#include "TextViewDlg.h"

#include "MessageNumbers.h"
#include "ViewerText.h"
#include "resource.h"
#include "tarven.h"

CTextViewDlg::CTextViewDlg(CWnd* pParent) : CDialog(IDD_TEXTVIEW, pParent)
{
}

void CTextViewDlg::LoadText(std::istream& in)
{
    m_strText = CViewerText::Read(in);
}

void CTextViewDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_TEXTVIEW_EDIT, m_strText);
}

bool CTextViewDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadMessage(MSG_TEXTVIEW_TITLE));
    SetDlgItemText(IDOK, LoadMessage(MSG_DIALOG_OK));
    UpdateData(false);
    return true;
}

// Read-only edit controls ask with WM_CTLCOLORSTATIC: white behind the text and a white brush
// for the rest of the control, so that lines scrolled away leave nothing behind.
LRESULT CTextViewDlg::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    DefWindowProcA(m_hWnd, WM_CTLCOLORSTATIC, wParam, lParam);
    SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

bool CTextViewDlg::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageEntry<CTextViewDlg> s_table[] = {
        HandleMessage(WM_CTLCOLORSTATIC, &CTextViewDlg::OnCtlColorStatic),
    };
    return call.Run(s_table, this) || CDialog::ProcessMessageTable(call);
}
