#include "ListView932.h"

#include "User932.h"
#include "WideText.h"
#include "Windows9x.h"

#include <commctrl.h>

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
}

int InsertListColumn932(HWND hList, int nIndex, int nWidth, const std::string& strTitle)
{
    if (IsWindows9x())
        return InsertColumn<LVCOLUMNA>(hList, LVM_INSERTCOLUMNA, nIndex, nWidth, strTitle);
    return InsertColumn<LVCOLUMNW>(hList, LVM_INSERTCOLUMNW, nIndex, nWidth, WideFrom932(strTitle));
}

int InsertListRow932(HWND hList, int nRow, const std::string& strText)
{
    if (IsWindows9x())
        return SendItem<LVITEMA>(hList, LVM_INSERTITEMA, 0, LVIF_TEXT, nRow, 0, strText);
    return SendItem<LVITEMW>(hList, LVM_INSERTITEMW, 0, LVIF_TEXT, nRow, 0, WideFrom932(strText));
}

bool SetListItemText932(HWND hList, int nRow, int nSubItem, const std::string& strText)
{
    const WPARAM wRow = static_cast<WPARAM>(nRow);
    if (IsWindows9x())
        return SendItem<LVITEMA>(hList, LVM_SETITEMTEXTA, wRow, 0, nRow, nSubItem, strText) != 0;
    return SendItem<LVITEMW>(hList, LVM_SETITEMTEXTW, wRow, 0, nRow, nSubItem, WideFrom932(strText)) != 0;
}

std::string GetListItemText932(HWND hList, int nRow, int nSubItem)
{
    const WPARAM wRow = static_cast<WPARAM>(nRow);
    if (IsWindows9x())
    {
        std::string strBuffer(kMaxText, '\0');
        LVITEMA item{};
        item.iSubItem = nSubItem;
        item.pszText = &strBuffer[0];
        item.cchTextMax = kMaxText;
        const auto nLength = ::SendMessageA(hList, LVM_GETITEMTEXTA, wRow, reinterpret_cast<LPARAM>(&item));
        strBuffer.resize(nLength > 0 && nLength < kMaxText ? static_cast<size_t>(nLength) : 0);
        return strBuffer;
    }
    std::wstring strBuffer(kMaxText, L'\0');
    LVITEMW item{};
    item.iSubItem = nSubItem;
    item.pszText = &strBuffer[0];
    item.cchTextMax = kMaxText;
    const auto nLength = ::SendMessageW(hList, LVM_GETITEMTEXTW, wRow, reinterpret_cast<LPARAM>(&item));
    strBuffer.resize(nLength > 0 && nLength < kMaxText ? static_cast<size_t>(nLength) : 0);
    return Cp932FromWideLossy(strBuffer);
}

std::string GetListColumnTitle932(HWND hList, int nIndex)
{
    if (IsWindows9x())
    {
        char szText[kMaxText] = {};
        LVCOLUMNA lvc{};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = szText;
        lvc.cchTextMax = kMaxText;
        if (!::SendMessageA(hList, LVM_GETCOLUMNA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&lvc)))
            return std::string();
        return std::string(szText);
    }
    wchar_t szText[kMaxText] = {};
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT;
    lvc.pszText = szText;
    lvc.cchTextMax = kMaxText;
    if (!::SendMessageW(hList, LVM_GETCOLUMNW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&lvc)))
        return std::string();
    return Cp932FromWideLossy(szText);
}
