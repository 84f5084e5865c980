#include "AppListCtrl.h"

#include <commctrl.h>

void CAppListCtrl::Clear(bool bColumns)
{
    SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    if (!bColumns)
        return;
    while (SendMessageA(m_hWnd, LVM_DELETECOLUMN, 0, 0))
    {
    }
}

void CAppListCtrl::InsertColumn(int nIndex, const CColumn& column)
{
    std::string strTitle = column.m_strTitle;
    LVCOLUMNA lvc{};
    lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    lvc.fmt = LVCFMT_LEFT;
    lvc.cx = column.m_nWidth;
    lvc.pszText = strTitle.data();
    lvc.iSubItem = nIndex;
    SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&lvc));
}

void CAppListCtrl::AddRow(const std::string& strTitle, const std::string& strDescription,
                          const std::string& strStatus)
{
    const int nRow = static_cast<int>(SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
    std::string strText = strTitle;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.pszText = strText.data();
    SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
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
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
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
    return static_cast<int>(SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), nFlags));
}

void CAppListCtrl::SetText(int nRow, int nSubItem, const std::string& strText)
{
    std::string strCopy = strText;
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.pszText = strCopy.data();
    SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
}
