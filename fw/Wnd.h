// Base of the framework's windows: owns the HWND of one window (or dialog), finds the C++ object
// again in the window procedure, and dispatches messages through the class's message table.
#ifndef KORVELT_FW_WND_H
#define KORVELT_FW_WND_H

#include "fw/CmdTarget.h"

#include <string>

class CWnd : public CCmdTarget
{
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // Window texts are code page 932 inside the program, whatever the system's code page.
    std::string GetWindowText() const { return TextOf(m_hWnd); }
    void SetWindowText(const std::string& strText) { SetTextOf(m_hWnd, strText); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    std::string GetDlgItemText(int nID) const;
    void SetDlgItemText(int nID, const std::string& strText);
    bool DestroyWindow();

    // The object behind a window of this framework, or null.
    static CWnd* FromHandle(HWND hWnd);
    // Any window's text; characters that code page 932 lacks read as "?".
    static std::string TextOf(HWND hWnd);
    static void SetTextOf(HWND hWnd, const std::string& strText);

protected:
    // Window procedure of windows whose class this framework registers; the creating code passes
    // the object as the creation parameter.
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Dialog procedure of dialogs and form views; the object comes as the WM_INITDIALOG parameter.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    // Looks a message up: commands along OnCmdMsg, notifications and other messages in the
    // message table. False leaves it to the default processing.
    virtual bool OnWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    // Called after the window's last message; the HWND is gone.
    virtual void PostNcDestroy() {}

    // For a message handler: false leaves the message, once the handler returns, to the tables
    // after this one and then to the default processing.
    void SetMsgHandled(bool bHandled);
    // For a message handler: the default window processing of its message, at once (a handler
    // that works before and after it).
    LRESULT Default();

private:
    void Attach(HWND hWnd);
    bool DispatchGuarded(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    CMessageCall* m_pCall = nullptr;  // the message being handled; handlers may send others
};

#endif
