// A modal dialog that shows m_strText in one read-only edit control on a white background, with
// its title and OK text from the message file. The text viewer and the two notices are this
// dialog on their own templates.
#ifndef KORVELT_VIEW_WIN32_READONLYTEXTDLG_H
#define KORVELT_VIEW_WIN32_READONLYTEXTDLG_H

#include "fw/Dialog.h"

#include <string>

class CReadOnlyTextDlg : public CDialog
{
public:
    std::string m_strText;

protected:
    // nEditID is the template's edit control; nTitleMessage the message number of the title.
    CReadOnlyTextDlg(UINT nIDTemplate, int nEditID, int nTitleMessage, CWnd* pParent);

    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    HBRUSH OnCtlColorStatic(HDC hDC, HWND hControl);
    bool ProcessMessageTable(CMessageCall& call) override;

private:
    int m_nEditID;
    int m_nTitleMessage;
};

#endif
