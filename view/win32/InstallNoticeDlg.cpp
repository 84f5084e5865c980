#include "view/win32/InstallNoticeDlg.h"

#include "res/MessageNumbers.h"
#include "res/resource.h"

CInstallNoticeDlg::CInstallNoticeDlg(CWnd* pParent)
    : CReadOnlyTextDlg(IDD_INSTALL_NOTICE, IDC_INSTALL_NOTICE_EDIT, MSG_INSTALL_NOTICE_TITLE, pParent)
{
}
