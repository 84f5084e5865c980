#include "view/win32/AppListCtrl.h"

#include "win/ListView932.h"
#include "win/User932.h"

#include <commctrl.h>

void CAppListCtrl::Clear(bool bColumns)
{
    SendMessage932(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    if (!bColumns)
        return;
    while (SendMessage932(m_hWnd, LVM_DELETECOLUMN, 0, 0))
    {
    }
}

void CAppListCtrl::InsertColumn(int nIndex, const CColumn& column)
{
    InsertListColumn932(m_hWnd, nIndex, column.m_nWidth, column.m_strTitle);
}

void CAppListCtrl::AddRow(const std::string& strTitle, const std::string& strDescription,
                          const std::string& strStatus)
{
    const int nRow = static_cast<int>(SendMessage932(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
    InsertListRow932(m_hWnd, nRow, strTitle);
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
    LVITEM item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage932(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
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
    return static_cast<int>(SendMessage932(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), nFlags));
}

void CAppListCtrl::SetText(int nRow, int nSubItem, const std::string& strText)
{
    SetListItemText932(m_hWnd, nRow, nSubItem, strText);
}
