#include "TextViewDlg.h"

#include "MessageNumbers.h"
#include "ViewerText.h"
#include "resource.h"

CTextViewDlg::CTextViewDlg(CWnd* pParent)
    : CReadOnlyTextDlg(IDD_TEXTVIEW, IDC_TEXTVIEW_EDIT, MSG_TEXTVIEW_TITLE, pParent)
{
}

void CTextViewDlg::LoadText(std::istream& in)
{
    m_strText = CViewerText::Read(in);
}
