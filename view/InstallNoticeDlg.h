// The notice an entry shows before its set-up starts, read-only.
#ifndef KORVELT_VIEW_INSTALLNOTICEDLG_H
#define KORVELT_VIEW_INSTALLNOTICEDLG_H

#include "view/ReadOnlyTextDlg.h"

class CInstallNoticeDlg : public CReadOnlyTextDlg
{
public:
    explicit CInstallNoticeDlg(CWnd* pParent = nullptr);
};

#endif
