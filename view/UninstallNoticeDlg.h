// The notice an entry shows before its removal starts, read-only.
// White background, title and OK text from the message file.
#ifndef KORVELT_VIEW_UNINSTALLNOTICEDLG_H
#define KORVELT_VIEW_UNINSTALLNOTICEDLG_H

#include "Dialog.h"

#include <string>

class CUninstallNoticeDlg : public CDialog
{
public:
    explicit CUninstallNoticeDlg(CWnd* pParent = nullptr);

    std::string m_strText;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    bool ProcessMessageTable(CMessageCall& call) override;
};

#endif
