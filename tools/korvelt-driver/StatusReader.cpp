#include "tools/korvelt-driver/StatusReader.h"

#include "tools/korvelt-driver/PeekRequest.h"
#include "utils/Cp932.h"
#include "win/Kernel932.h"
#include "win/WideText.h"

namespace
{
const wchar_t kReplyClass[] = L"KorveltDriverReply";
}

CStatusReader::CStatusReader(HWND hList) : m_hList(hList), m_nPeek(::RegisterWindowMessageA(kPeekMessage))
{
    std::string strLibrary = GetModuleFileName932(nullptr);
    strLibrary.erase(FindLastBackslash(strLibrary) + 1);
    m_library.Reset(::LoadLibraryW(WideFromCodePageLossy(kCodePage932, strLibrary + kPeekLibrary).c_str()));
    const auto pHook = reinterpret_cast<HOOKPROC>(
        m_library.IsValid() ? reinterpret_cast<void*>(::GetProcAddress(m_library.Get(), kPeekHookName)) : nullptr);
    if (pHook)
        m_hook.Reset(::SetWindowsHookExW(WH_GETMESSAGE, pHook, m_library.Get(),
                                         ::GetWindowThreadProcessId(hList, nullptr)));

    WNDCLASSW wc{};
    wc.lpfnWndProc = &CStatusReader::OnMessage;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kReplyClass;
    ::RegisterClassW(&wc);
    m_reply.Reset(::CreateWindowW(kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
    if (m_reply.IsValid())
        ::SetWindowLongPtrW(m_reply.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

std::optional<std::string> CStatusReader::Read(int nRow)
{
    if (!m_hook.IsValid() || !m_reply.IsValid() || m_nPeek == 0)
        return std::nullopt;
    m_answer.reset();
    ::PostMessageW(m_hList, m_nPeek, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(m_reply.Get()));
    // The answer is sent to this thread: it arrives while this thread looks at its messages.
    const DWORD dwStart = ::GetTickCount();
    while (!m_answer && ::GetTickCount() - dwStart < 10000)
    {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    if (!m_answer)
        return std::nullopt;
    return CodePageFromWideLossy(kCodePage932, *m_answer);
}

LRESULT CALLBACK CStatusReader::OnMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto* pReader = reinterpret_cast<CStatusReader*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (nMessage == WM_COPYDATA && pReader)
    {
        const auto* pData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* pszText = static_cast<const wchar_t*>(pData->lpData);
        pReader->m_answer = pszText ? std::wstring(pszText, pData->cbData / sizeof(wchar_t)) : std::wstring();
        return TRUE;
    }
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}
