// korvelt-peek.dll: korvelt-driver hooks the launcher's thread with it, so it runs in the
// launcher's process. There it reads a row's status from the list as the launcher's own code would
// and sends the text back in a WM_COPYDATA, which the system copies between the processes. The
// driver cannot read the list's memory itself: where Wine's 32-bit programs run through qemu, one
// process's memory cannot be read or written from another.
#include "tools/korvelt-driver/PeekRequest.h"

#include <windows.h>
#include <commctrl.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK KorveltPeekHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    static const UINT s_nPeek = ::RegisterWindowMessageA(kPeekMessage);
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == s_nPeek && s_nPeek != 0)
    {
        constexpr int kMaxText = 256;
        wchar_t szText[kMaxText] = {};
        LVITEMW item{};
        item.iSubItem = kStatusColumn;
        item.pszText = szText;
        item.cchTextMax = kMaxText;
        const int nRow = static_cast<int>(pMsg->wParam);
        LRESULT nLength = ::SendMessageW(pMsg->hwnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(nRow),
                                         reinterpret_cast<LPARAM>(&item));
        if (nLength < 0 || nLength >= kMaxText)
            nLength = 0;
        COPYDATASTRUCT data{static_cast<ULONG_PTR>(nRow), static_cast<DWORD>(nLength * sizeof(wchar_t)), szText};
        ::SendMessageW(reinterpret_cast<HWND>(pMsg->lParam), WM_COPYDATA, reinterpret_cast<WPARAM>(pMsg->hwnd),
                       reinterpret_cast<LPARAM>(&data));
        // The request was the driver's, not the list's.
        pMsg->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
