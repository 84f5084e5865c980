// The report-style list view's texts with code page 932: the control's wide messages on the NT
// family, its ANSI messages with the bytes as they are on Windows 95/98.
#ifndef KORVELT_WIN_LISTVIEW932_H
#define KORVELT_WIN_LISTVIEW932_H

#include <windows.h>

#include <string>

// The index of the new column or row, -1 when it was not added.
int InsertListColumn932(HWND hList, int nIndex, int nWidth, const std::string& strTitle);
int InsertListRow932(HWND hList, int nRow, const std::string& strText);
bool SetListItemText932(HWND hList, int nRow, int nSubItem, const std::string& strText);
// Texts read back; characters that code page 932 lacks read as "?".
std::string GetListItemText932(HWND hList, int nRow, int nSubItem);
std::string GetListColumnTitle932(HWND hList, int nIndex);

#endif
