#include "view/win32/UninstallNoticeDlg.h"

#include "res/MessageNumbers.h"
#include "res/resource.h"

CUninstallNoticeDlg::CUninstallNoticeDlg(CWnd* pParent)
    : CReadOnlyTextDlg(IDD_UNINSTALL_NOTICE, IDC_UNINSTALL_NOTICE_EDIT, MSG_UNINSTALL_NOTICE_TITLE, pParent)
{
}
