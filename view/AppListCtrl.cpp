#include "AppListCtrl.h"

#include "WideText.h"

#include <commctrl.h>

void CAppListCtrl::Clear(bool bColumns)
{
    SendMessageW(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    if (!bColumns)
        return;
    while (SendMessageW(m_hWnd, LVM_DELETECOLUMN, 0, 0))
    {
    }
}

void CAppListCtrl::InsertColumn(int nIndex, const CColumn& column)
{
    std::wstring strTitle = WideFrom932(column.m_strTitle);
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    lvc.fmt = LVCFMT_LEFT;
    lvc.cx = column.m_nWidth;
    lvc.pszText = strTitle.data();
    lvc.iSubItem = nIndex;
    SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&lvc));
}

void CAppListCtrl::AddRow(const std::string& strTitle, const std::string& strDescription,
                          const std::string& strStatus)
{
    const int nRow = static_cast<int>(SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
    std::wstring strText = WideFrom932(strTitle);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.pszText = strText.data();
    SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetText(nRow, 1, strDescription);
    SetText(nRow, 2, strStatus);
}

void CAppListCtrl::SetStatus(int nRow, const std::string& strStatus)
{
    SetText(nRow, 2, strStatus);
}

void CAppListCtrl::Select(int nRow)
{
    SetFocus(m_hWnd);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
}

int CAppListCtrl::GetFocusedRow() const
{
    return GetNextRow(LVNI_FOCUSED);
}

int CAppListCtrl::GetSelectedRow() const
{
    return GetNextRow(LVNI_SELECTED);
}

int CAppListCtrl::GetNextRow(UINT nFlags) const
{
    return static_cast<int>(SendMessageW(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), nFlags));
}

void CAppListCtrl::SetText(int nRow, int nSubItem, const std::string& strText)
{
    std::wstring strCopy = WideFrom932(strText);
    LVITEMW item{};
    item.iSubItem = nSubItem;
    item.pszText = strCopy.data();
    SendMessageW(m_hWnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
}
