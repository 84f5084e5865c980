// One direction of dialog data exchange: member texts into the controls (at init) or the
// controls' texts back into the members (at OK).
#ifndef KORVELT_FW_DATAEXCHANGE_H
#define KORVELT_FW_DATAEXCHANGE_H

#include <windows.h>

#include <string>

class CDataExchange
{
public:
    CDataExchange(HWND hDlg, bool bSaveAndValidate) : m_hDlg(hDlg), m_bSaveAndValidate(bSaveAndValidate) {}

    // Control nIDC's text <-> strValue.
    void Text(int nIDC, std::string& strValue);

    HWND m_hDlg;
    bool m_bSaveAndValidate;
};

#endif
