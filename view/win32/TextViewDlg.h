// The text-file viewer: an entry's text file, read-only, in a scrollable edit control.
#ifndef KORVELT_VIEW_WIN32_TEXTVIEWDLG_H
#define KORVELT_VIEW_WIN32_TEXTVIEWDLG_H

#include "view/win32/ReadOnlyTextDlg.h"

#include <istream>
#include <string>

class CTextViewDlg : public CReadOnlyTextDlg
{
public:
    explicit CTextViewDlg(CWnd* pParent = nullptr);

    // Fills m_strText from a text file opened for reading (see CViewerText); a read failure
    // throws std::ios_base::failure.
    void LoadText(std::istream& in);
    // Fills m_strText from the file of this code page 932 name; false when it cannot be read.
    bool LoadFile(const std::string& strPath);
};

#endif
