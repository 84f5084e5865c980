// The notice an entry shows before its removal starts, read-only.
#ifndef KORVELT_VIEW_WIN32_UNINSTALLNOTICEDLG_H
#define KORVELT_VIEW_WIN32_UNINSTALLNOTICEDLG_H

#include "view/win32/ReadOnlyTextDlg.h"

class CUninstallNoticeDlg : public CReadOnlyTextDlg
{
public:
    explicit CUninstallNoticeDlg(CWnd* pParent = nullptr);
};

#endif
