#include "UninstallNoticeDlg.h"

#include "MessageNumbers.h"
#include "resource.h"

CUninstallNoticeDlg::CUninstallNoticeDlg(CWnd* pParent)
    : CReadOnlyTextDlg(IDD_UNINSTALL_NOTICE, IDC_UNINSTALL_NOTICE_EDIT, MSG_UNINSTALL_NOTICE_TITLE, pParent)
{
}
