// Reads the status column of a running launcher's list, in the launcher's own process: a hook on
// its thread (korvelt-peek.dll, beside this program) answers each request with the row's text.
#ifndef KORVELT_TOOLS_STATUSREADER_H
#define KORVELT_TOOLS_STATUSREADER_H

#include "win/ScopedHandle.h"

#include <windows.h>

#include <optional>
#include <string>

class CStatusReader
{
public:
    explicit CStatusReader(HWND hList);
    CStatusReader(const CStatusReader&) = delete;
    CStatusReader& operator=(const CStatusReader&) = delete;

    // The row's status as code page 932; nullopt when no answer came.
    std::optional<std::string> Read(int nRow);

private:
    static LRESULT CALLBACK OnMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    HWND m_hList;
    UINT m_nPeek;
    CScopedLibrary m_library;
    CScopedHook m_hook;
    CScopedWindow m_reply;
    std::optional<std::wstring> m_answer;
};

#endif
