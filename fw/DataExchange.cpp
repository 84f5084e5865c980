#include "DataExchange.h"

#include <vector>

void CDataExchange::Text(int nIDC, std::string& strValue)
{
    HWND hControl = GetDlgItem(m_hDlg, nIDC);
    if (hControl == nullptr)
        return;
    if (!m_bSaveAndValidate)
    {
        SetWindowTextA(hControl, strValue.c_str());
        return;
    }
    const int nLength = GetWindowTextLengthA(hControl);
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1);
    const int nCopied = GetWindowTextA(hControl, buffer.data(), static_cast<int>(buffer.size()));
    strValue.assign(buffer.data(), static_cast<size_t>(nCopied > 0 ? nCopied : 0));
}
