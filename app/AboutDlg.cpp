#include "app/AboutDlg.h"

#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadMessage(MSG_ABOUT_CAPTION));
    // The first line shows an ampersand as it is (the template's static has no prefix).
    SetDlgItemText(IDC_ABOUT_LINE1, LoadMessage(MSG_ABOUT_LINE1));
    SetDlgItemText(IDC_ABOUT_LINE2, LoadMessage(MSG_ABOUT_LINE2));
    return true;
}
