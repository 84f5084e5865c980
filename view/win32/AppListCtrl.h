// The report-style list of the view's form: three columns (title, description, status) and
// one row per catalogue entry. Wraps the form's control; the form owns the window.
#ifndef KORVELT_VIEW_WIN32_APPLISTCTRL_H
#define KORVELT_VIEW_WIN32_APPLISTCTRL_H

#include <windows.h>

#include <string>

class CAppListCtrl
{
public:
    struct CColumn
    {
        std::string m_strTitle;
        int m_nWidth;
    };

    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND GetHwnd() const { return m_hWnd; }

    // Deletes every row; with bColumns also every column, so that the list can be built anew.
    void Clear(bool bColumns);
    void InsertColumn(int nIndex, const CColumn& column);
    // Appends a row with its three texts.
    void AddRow(const std::string& strTitle, const std::string& strDescription, const std::string& strStatus);
    void SetStatus(int nRow, const std::string& strStatus);
    // Focuses the list and makes the row selected and focused.
    void Select(int nRow);
    // The focused row, or the first selected one; -1 when there is none.
    int GetFocusedRow() const;
    int GetSelectedRow() const;

private:
    int GetNextRow(UINT nFlags) const;
    void SetText(int nRow, int nSubItem, const std::string& strText);

    HWND m_hWnd = nullptr;
};

#endif
