// The notice an entry shows before its set-up starts, read-only.
// White background, title and OK text from the message file.
#ifndef KORVELT_VIEW_INSTALLNOTICEDLG_H
#define KORVELT_VIEW_INSTALLNOTICEDLG_H

#include "Dialog.h"

#include <string>

class CInstallNoticeDlg : public CDialog
{
public:
    explicit CInstallNoticeDlg(CWnd* pParent = nullptr);

    std::string m_strText;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    bool ProcessMessageTable(CMessageCall& call) override;
};

#endif
