// The text-file viewer: an entry's text file, read-only, in a scrollable edit control.
// White background, title and OK text from the message file.
#ifndef KORVELT_VIEW_TEXTVIEWDLG_H
#define KORVELT_VIEW_TEXTVIEWDLG_H

#include "Dialog.h"

#include <istream>
#include <string>

class CTextViewDlg : public CDialog
{
public:
    explicit CTextViewDlg(CWnd* pParent = nullptr);

    // Fills m_strText from a text file opened for reading (see CViewerText); a read failure
    // throws std::ios_base::failure.
    void LoadText(std::istream& in);

    std::string m_strText;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    bool ProcessMessageTable(CMessageCall& call) override;
};

#endif
