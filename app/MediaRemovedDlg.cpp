#include "app/MediaRemovedDlg.h"

#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "res/resource.h"

CMediaRemovedDlg::CMediaRemovedDlg() : CDialog(IDD_MEDIA_REMOVED)
{
}

bool CMediaRemovedDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_REMOVED_LINE1, LoadMessage(MSG_REMOVED_LINE1));
    SetDlgItemText(IDC_REMOVED_LINE2, LoadMessage(MSG_REMOVED_LINE2));
    SetDlgItemText(IDC_REMOVED_LINE3, LoadMessage(MSG_REMOVED_LINE3));
    return true;
}
