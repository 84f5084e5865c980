#include "win/User932.h"

#include "win/WideText.h"
#include "win/Windows9x.h"

#include <vector>

namespace
{
// Class names are ASCII, the same characters in either form.
std::wstring WideAscii(const char* psz)
{
    return std::wstring(psz, psz + std::char_traits<char>::length(psz));
}

// The class in one character form; its name already in that form.
template <class TClass, class TChar>
bool Register(ATOM(WINAPI* pfnRegister)(const TClass*), const TChar* pszClass, UINT nStyle, WNDPROC pfnWndProc,
              HINSTANCE hInstance, HICON hIcon, HCURSOR hCursor, HBRUSH hBackground)
{
    TClass wc{};
    wc.style = nStyle;
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hBackground;
    wc.lpszClassName = pszClass;
    return pfnRegister(&wc) != 0;
}
}

LRESULT SendMessage932(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return IsWindows9x() ? ::SendMessageA(hWnd, nMessage, wParam, lParam)
                         : ::SendMessageW(hWnd, nMessage, wParam, lParam);
}

bool PostMessage932(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return (IsWindows9x() ? ::PostMessageA(hWnd, nMessage, wParam, lParam)
                          : ::PostMessageW(hWnd, nMessage, wParam, lParam)) != FALSE;
}

LRESULT DefWindowProc932(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return IsWindows9x() ? ::DefWindowProcA(hWnd, nMessage, wParam, lParam)
                         : ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

LONG_PTR GetWindowLongPtr932(HWND hWnd, int nIndex)
{
    return IsWindows9x() ? ::GetWindowLongPtrA(hWnd, nIndex) : ::GetWindowLongPtrW(hWnd, nIndex);
}

LONG_PTR SetWindowLongPtr932(HWND hWnd, int nIndex, LONG_PTR nValue)
{
    return IsWindows9x() ? ::SetWindowLongPtrA(hWnd, nIndex, nValue) : ::SetWindowLongPtrW(hWnd, nIndex, nValue);
}

int GetMessage932(MSG& msg)
{
    return IsWindows9x() ? ::GetMessageA(&msg, nullptr, 0, 0) : ::GetMessageW(&msg, nullptr, 0, 0);
}

bool PeekMessage932(MSG& msg, UINT nRemove)
{
    return (IsWindows9x() ? ::PeekMessageA(&msg, nullptr, 0, 0, nRemove)
                          : ::PeekMessageW(&msg, nullptr, 0, 0, nRemove)) != FALSE;
}

LRESULT DispatchMessage932(const MSG& msg)
{
    return IsWindows9x() ? ::DispatchMessageA(&msg) : ::DispatchMessageW(&msg);
}

bool IsDialogMessage932(HWND hDialog, MSG& msg)
{
    return (IsWindows9x() ? ::IsDialogMessageA(hDialog, &msg) : ::IsDialogMessageW(hDialog, &msg)) != FALSE;
}

bool TranslateAccelerator932(HWND hWnd, HACCEL hAccel, MSG& msg)
{
    return (IsWindows9x() ? ::TranslateAcceleratorA(hWnd, hAccel, &msg)
                          : ::TranslateAcceleratorW(hWnd, hAccel, &msg)) != 0;
}

bool RegisterClass932(const char* pszClass, UINT nStyle, WNDPROC pfnWndProc, HINSTANCE hInstance, HICON hIcon,
                      HCURSOR hCursor, HBRUSH hBackground)
{
    if (IsWindows9x())
        return Register<WNDCLASSA>(&::RegisterClassA, pszClass, nStyle, pfnWndProc, hInstance, hIcon, hCursor,
                                   hBackground);
    const std::wstring strClass = WideAscii(pszClass);
    return Register<WNDCLASSW>(&::RegisterClassW, strClass.c_str(), nStyle, pfnWndProc, hInstance, hIcon, hCursor,
                               hBackground);
}

bool IsClassRegistered932(HINSTANCE hInstance, const char* pszClass)
{
    if (IsWindows9x())
    {
        WNDCLASSA wc{};
        return ::GetClassInfoA(hInstance, pszClass, &wc) != FALSE;
    }
    WNDCLASSW wc{};
    return ::GetClassInfoW(hInstance, WideAscii(pszClass).c_str(), &wc) != FALSE;
}

HWND CreateWindowEx932(DWORD dwExStyle, const char* pszClass, const std::string& strTitle, DWORD dwStyle, int x,
                       int y, int cx, int cy, HWND hParent, HMENU hMenu, HINSTANCE hInstance, void* pParam)
{
    if (IsWindows9x())
        return ::CreateWindowExA(dwExStyle, pszClass, strTitle.c_str(), dwStyle, x, y, cx, cy, hParent, hMenu,
                                 hInstance, pParam);
    return ::CreateWindowExW(dwExStyle, WideAscii(pszClass).c_str(),
                             WideFromCodePageLossy(kCodePage932, strTitle).c_str(), dwStyle, x, y, cx, cy, hParent,
                             hMenu, hInstance, pParam);
}

INT_PTR DialogBoxParam932(HINSTANCE hInstance, UINT nIDTemplate, HWND hOwner, DLGPROC pfnDialogProc, LPARAM lParam)
{
    if (IsWindows9x())
        return ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(nIDTemplate), hOwner, pfnDialogProc, lParam);
    return ::DialogBoxParamW(hInstance, MAKEINTRESOURCEW(nIDTemplate), hOwner, pfnDialogProc, lParam);
}

HWND CreateDialogParam932(HINSTANCE hInstance, UINT nIDTemplate, HWND hParent, DLGPROC pfnDialogProc, LPARAM lParam)
{
    if (IsWindows9x())
        return ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(nIDTemplate), hParent, pfnDialogProc, lParam);
    return ::CreateDialogParamW(hInstance, MAKEINTRESOURCEW(nIDTemplate), hParent, pfnDialogProc, lParam);
}

HWND FindWindow932(const std::string& strCaption)
{
    if (IsWindows9x())
        return ::FindWindowA(nullptr, strCaption.c_str());
    return ::FindWindowW(nullptr, WideFromCodePageLossy(kCodePage932, strCaption).c_str());
}

std::string GetWindowText932(HWND hWnd)
{
    if (hWnd == nullptr)
        return std::string();
    if (IsWindows9x())
    {
        std::vector<char> buffer(static_cast<size_t>(::GetWindowTextLengthA(hWnd)) + 1);
        const int nCopied = ::GetWindowTextA(hWnd, buffer.data(), static_cast<int>(buffer.size()));
        return std::string(buffer.data(), static_cast<size_t>(nCopied > 0 ? nCopied : 0));
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(::GetWindowTextLengthW(hWnd)) + 1);
    const int nCopied = ::GetWindowTextW(hWnd, buffer.data(), static_cast<int>(buffer.size()));
    return CodePageFromWideLossy(kCodePage932, buffer.data(), static_cast<size_t>(nCopied > 0 ? nCopied : 0));
}

bool SetWindowText932(HWND hWnd, const std::string& strText)
{
    if (IsWindows9x())
        return ::SetWindowTextA(hWnd, strText.c_str()) != FALSE;
    return ::SetWindowTextW(hWnd, WideFromCodePageLossy(kCodePage932, strText).c_str()) != FALSE;
}

bool SetDlgItemText932(HWND hDialog, int nID, const std::string& strText)
{
    if (IsWindows9x())
        return ::SetDlgItemTextA(hDialog, nID, strText.c_str()) != FALSE;
    return ::SetDlgItemTextW(hDialog, nID, WideFromCodePageLossy(kCodePage932, strText).c_str()) != FALSE;
}

int MessageBox932(HWND hOwner, const std::string& strText, const std::string* pCaption, UINT nType)
{
    if (IsWindows9x())
        return ::MessageBoxA(hOwner, strText.c_str(), pCaption != nullptr ? pCaption->c_str() : nullptr, nType);
    const std::wstring strCaption =
        pCaption != nullptr ? WideFromCodePageLossy(kCodePage932, *pCaption) : std::wstring();
    return ::MessageBoxW(hOwner, WideFromCodePageLossy(kCodePage932, strText).c_str(),
                         pCaption != nullptr ? strCaption.c_str() : nullptr, nType);
}

bool AppendMenu932(HMENU hMenu, UINT nFlags, UINT_PTR nID, const std::string& strText)
{
    if (IsWindows9x())
        return ::AppendMenuA(hMenu, nFlags, nID, strText.c_str()) != FALSE;
    return ::AppendMenuW(hMenu, nFlags, nID, WideFromCodePageLossy(kCodePage932, strText).c_str()) != FALSE;
}

bool ModifyMenu932(HMENU hMenu, UINT nPosition, UINT nFlags, UINT_PTR nID, const std::string& strText)
{
    if (IsWindows9x())
        return ::ModifyMenuA(hMenu, nPosition, nFlags, nID, strText.c_str()) != FALSE;
    return ::ModifyMenuW(hMenu, nPosition, nFlags, nID, WideFromCodePageLossy(kCodePage932, strText).c_str()) != FALSE;
}

std::string GetMenuString932(HMENU hMenu, UINT nItem, UINT nFlags)
{
    if (IsWindows9x())
    {
        char szText[256] = {};
        const int nLength = ::GetMenuStringA(hMenu, nItem, szText, 256, nFlags);
        return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
    }
    wchar_t szText[256] = {};
    const int nLength = ::GetMenuStringW(hMenu, nItem, szText, 256, nFlags);
    return CodePageFromWideLossy(kCodePage932, szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

HMENU LoadMenu932(HINSTANCE hInstance, UINT nID)
{
    return IsWindows9x() ? ::LoadMenuA(hInstance, MAKEINTRESOURCEA(nID)) : ::LoadMenuW(hInstance, MAKEINTRESOURCEW(nID));
}

HACCEL LoadAccelerators932(HINSTANCE hInstance, UINT nID)
{
    return IsWindows9x() ? ::LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(nID))
                         : ::LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(nID));
}

HICON LoadIcon932(HINSTANCE hInstance, UINT nID)
{
    return IsWindows9x() ? ::LoadIconA(hInstance, MAKEINTRESOURCEA(nID)) : ::LoadIconW(hInstance, MAKEINTRESOURCEW(nID));
}

HCURSOR LoadCursor932(HINSTANCE hInstance, UINT nID)
{
    return IsWindows9x() ? ::LoadCursorA(hInstance, MAKEINTRESOURCEA(nID))
                         : ::LoadCursorW(hInstance, MAKEINTRESOURCEW(nID));
}

std::string LoadString932(HINSTANCE hInstance, UINT nID)
{
    if (IsWindows9x())
    {
        char szText[512] = {};
        const int nLength = ::LoadStringA(hInstance, nID, szText, 512);
        return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
    }
    wchar_t szText[512] = {};
    const int nLength = ::LoadStringW(hInstance, nID, szText, 512);
    return CodePageFromWideLossy(kCodePage932, szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

HFONT CreateFontInCharset932(HFONT hBase, BYTE nCharSet)
{
    if (IsWindows9x())
    {
        LOGFONTA lf{};
        if (::GetObjectA(hBase, sizeof lf, &lf) == 0)
            return nullptr;
        lf.lfCharSet = nCharSet;
        return ::CreateFontIndirectA(&lf);
    }
    LOGFONTW lf{};
    if (::GetObjectW(hBase, sizeof lf, &lf) == 0)
        return nullptr;
    lf.lfCharSet = nCharSet;
    return ::CreateFontIndirectW(&lf);
}
