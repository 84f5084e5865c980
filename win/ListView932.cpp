#include "win/ListView932.h"

#include "win/User932.h"
#include "win/WideText.h"
#include "win/Windows9x.h"

#include <commctrl.h>

#include <type_traits>

namespace
{
constexpr int kMaxText = 512;

// The message and item structure of one character form; TChar says which.
template <class TColumn, class TChar>
int InsertColumn(HWND hList, UINT nMessage, int nIndex, int nWidth, std::basic_string<TChar> strTitle)
{
    TColumn lvc{};
    lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    lvc.fmt = LVCFMT_LEFT;
    lvc.cx = nWidth;
    lvc.pszText = &strTitle[0];
    lvc.iSubItem = nIndex;
    return static_cast<int>(SendMessage932(hList, nMessage, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&lvc)));
}

template <class TItem, class TChar>
int SendItem(HWND hList, UINT nMessage, WPARAM wParam, UINT nMask, int nRow, int nSubItem,
             std::basic_string<TChar> strText)
{
    TItem item{};
    item.mask = nMask;
    item.iItem = nRow;
    item.iSubItem = nSubItem;
    item.pszText = &strText[0];
    return static_cast<int>(SendMessage932(hList, nMessage, wParam, reinterpret_cast<LPARAM>(&item)));
}

// An item's or a column's text read back. The item messages answer with the text's length, the
// column message with success; the text ends at its terminator either way.
template <class TInfo, class TChar>
std::basic_string<TChar> ReadText(HWND hList, UINT nMessage, WPARAM wParam, int nSubItem)
{
    TChar szText[kMaxText] = {};
    TInfo info{};
    if constexpr (std::is_same_v<TInfo, LVCOLUMNA> || std::is_same_v<TInfo, LVCOLUMNW>)
        info.mask = LVCF_TEXT;
    else
        info.iSubItem = nSubItem;
    info.pszText = szText;
    info.cchTextMax = kMaxText;
    if (SendMessage932(hList, nMessage, wParam, reinterpret_cast<LPARAM>(&info)) == 0)
        return std::basic_string<TChar>();
    return std::basic_string<TChar>(szText);
}
}

int InsertListColumn932(HWND hList, int nIndex, int nWidth, const std::string& strTitle)
{
    if (IsWindows9x())
        return InsertColumn<LVCOLUMNA>(hList, LVM_INSERTCOLUMNA, nIndex, nWidth, strTitle);
    return InsertColumn<LVCOLUMNW>(hList, LVM_INSERTCOLUMNW, nIndex, nWidth,
                                   WideFromCodePageLossy(kCodePage932, strTitle));
}

int InsertListRow932(HWND hList, int nRow, const std::string& strText)
{
    if (IsWindows9x())
        return SendItem<LVITEMA>(hList, LVM_INSERTITEMA, 0, LVIF_TEXT, nRow, 0, strText);
    return SendItem<LVITEMW>(hList, LVM_INSERTITEMW, 0, LVIF_TEXT, nRow, 0,
                             WideFromCodePageLossy(kCodePage932, strText));
}

bool SetListItemText932(HWND hList, int nRow, int nSubItem, const std::string& strText)
{
    const WPARAM wRow = static_cast<WPARAM>(nRow);
    if (IsWindows9x())
        return SendItem<LVITEMA>(hList, LVM_SETITEMTEXTA, wRow, 0, nRow, nSubItem, strText) != 0;
    return SendItem<LVITEMW>(hList, LVM_SETITEMTEXTW, wRow, 0, nRow, nSubItem,
                             WideFromCodePageLossy(kCodePage932, strText)) != 0;
}

std::string GetListItemText932(HWND hList, int nRow, int nSubItem)
{
    if (IsWindows9x())
        return ReadText<LVITEMA, char>(hList, LVM_GETITEMTEXTA, static_cast<WPARAM>(nRow), nSubItem);
    return CodePageFromWideLossy(
        kCodePage932, ReadText<LVITEMW, wchar_t>(hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(nRow), nSubItem));
}

std::string GetListColumnTitle932(HWND hList, int nIndex)
{
    if (IsWindows9x())
        return ReadText<LVCOLUMNA, char>(hList, LVM_GETCOLUMNA, static_cast<WPARAM>(nIndex), 0);
    return CodePageFromWideLossy(kCodePage932,
                                 ReadText<LVCOLUMNW, wchar_t>(hList, LVM_GETCOLUMNW, static_cast<WPARAM>(nIndex), 0));
}
