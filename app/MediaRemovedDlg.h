// The notice shown while the program closes itself after a disk volume was removed.
#ifndef KORVELT_APP_MEDIAREMOVEDDLG_H
#define KORVELT_APP_MEDIAREMOVEDDLG_H

#include "fw/Dialog.h"

class CMediaRemovedDlg : public CDialog
{
public:
    CMediaRemovedDlg();

protected:
    bool OnInitDialog() override;
};

#endif
