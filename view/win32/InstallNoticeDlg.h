// The notice an entry shows before its set-up starts, read-only.
#ifndef KORVELT_VIEW_WIN32_INSTALLNOTICEDLG_H
#define KORVELT_VIEW_WIN32_INSTALLNOTICEDLG_H

#include "view/win32/ReadOnlyTextDlg.h"

class CInstallNoticeDlg : public CReadOnlyTextDlg
{
public:
    explicit CInstallNoticeDlg(CWnd* pParent = nullptr);
};

#endif
