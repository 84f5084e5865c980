// The About box: the program's icon and two lines from the message file.
#ifndef KORVELT_APP_ABOUTDLG_H
#define KORVELT_APP_ABOUTDLG_H

#include "fw/Dialog.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

protected:
    bool OnInitDialog() override;
};

#endif
