#include "view/win32/TextViewDlg.h"

#include "res/MessageNumbers.h"
#include "res/resource.h"
#include "sys/System.h"
#include "view/ViewerText.h"

#include <sstream>

CTextViewDlg::CTextViewDlg(CWnd* pParent)
    : CReadOnlyTextDlg(IDD_TEXTVIEW, IDC_TEXTVIEW_EDIT, MSG_TEXTVIEW_TITLE, pParent)
{
}

void CTextViewDlg::LoadText(std::istream& in)
{
    m_strText = CViewerText::Read(in);
}

bool CTextViewDlg::LoadFile(const std::string& strPath)
{
    std::string strBytes;
    if (!TheSystem().ReadFile(strPath, strBytes))
        return false;
    std::istringstream file(strBytes);
    LoadText(file);
    return true;
}
