#include "fw/DataExchange.h"

#include "fw/Wnd.h"

void CDataExchange::Text(int nIDC, std::string& strValue)
{
    HWND hControl = GetDlgItem(m_hDlg, nIDC);
    if (hControl == nullptr)
        return;
    if (m_bSaveAndValidate)
        strValue = CWnd::TextOf(hControl);
    else
        CWnd::SetTextOf(hControl, strValue);
}
