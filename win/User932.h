// Windows, messages, menus, message boxes and resources with code page 932 texts: the wide
// functions on the NT family (Unicode windows, whose texts never pass the system's ANSI code
// page), the ANSI functions with the bytes as they are on Windows 95/98 (ANSI windows), whose
// wide functions are stubs. Every window of the program is made and driven through these, so
// that a window and the calls that reach it always agree on its kind.
#ifndef KORVELT_WIN_USER932_H
#define KORVELT_WIN_USER932_H

#include <windows.h>

#include <string>

// Messages without texts, in the form that matches the program's windows.
LRESULT SendMessage932(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
bool PostMessage932(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc932(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
LONG_PTR GetWindowLongPtr932(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtr932(HWND hWnd, int nIndex, LONG_PTR nValue);

// The message loop.
int GetMessage932(MSG& msg);
bool PeekMessage932(MSG& msg, UINT nRemove);
LRESULT DispatchMessage932(const MSG& msg);
bool IsDialogMessage932(HWND hDialog, MSG& msg);
bool TranslateAccelerator932(HWND hWnd, HACCEL hAccel, MSG& msg);

// Window classes and windows. Class names are plain ASCII.
bool RegisterClass932(const char* pszClass, UINT nStyle, WNDPROC pfnWndProc, HINSTANCE hInstance, HICON hIcon,
                      HCURSOR hCursor, HBRUSH hBackground);
bool IsClassRegistered932(HINSTANCE hInstance, const char* pszClass);
HWND CreateWindowEx932(DWORD dwExStyle, const char* pszClass, const std::string& strTitle, DWORD dwStyle, int x,
                       int y, int cx, int cy, HWND hParent, HMENU hMenu, HINSTANCE hInstance, void* pParam);
INT_PTR DialogBoxParam932(HINSTANCE hInstance, UINT nIDTemplate, HWND hOwner, DLGPROC pfnDialogProc, LPARAM lParam);
HWND CreateDialogParam932(HINSTANCE hInstance, UINT nIDTemplate, HWND hParent, DLGPROC pfnDialogProc,
                          LPARAM lParam);
// A top-level window with exactly this caption, or null.
HWND FindWindow932(const std::string& strCaption);

// Window texts. A character that code page 932 lacks reads as "?".
std::string GetWindowText932(HWND hWnd);
bool SetWindowText932(HWND hWnd, const std::string& strText);
bool SetDlgItemText932(HWND hDialog, int nID, const std::string& strText);
// A null caption is the system's ("Error").
int MessageBox932(HWND hOwner, const std::string& strText, const std::string* pCaption, UINT nType);

// Menus.
bool AppendMenu932(HMENU hMenu, UINT nFlags, UINT_PTR nID, const std::string& strText);
bool ModifyMenu932(HMENU hMenu, UINT nPosition, UINT nFlags, UINT_PTR nID, const std::string& strText);
std::string GetMenuString932(HMENU hMenu, UINT nItem, UINT nFlags);

// Resources of the module, by number.
HMENU LoadMenu932(HINSTANCE hInstance, UINT nID);
HACCEL LoadAccelerators932(HINSTANCE hInstance, UINT nID);
HICON LoadIcon932(HINSTANCE hInstance, UINT nID);
HCURSOR LoadCursor932(HINSTANCE hInstance, UINT nID);
// The string resource; empty when there is none. Characters that code page 932 lacks read as "?".
std::string LoadString932(HINSTANCE hInstance, UINT nID);

// A font like hBase in another character set; null when it cannot be made.
HFONT CreateFontInCharset932(HFONT hBase, BYTE nCharSet);

#endif
