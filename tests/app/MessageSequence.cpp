#include "tests/app/MessageSequence.h"

#include "tests/support/System932.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

CMessageSequence* CMessageSequence::s_pActive = nullptr;

namespace
{
std::string Hex(uintptr_t n)
{
    char szHex[24];
    std::snprintf(szHex, sizeof szHex, "0x%lx", static_cast<unsigned long>(n));
    return szHex;
}

std::string MessageName(UINT nMessage)
{
    static const std::pair<UINT, const char*> s_names[] = {
        {WM_DESTROY, "WM_DESTROY"},   {WM_SIZE, "WM_SIZE"},           {WM_CLOSE, "WM_CLOSE"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_COMMAND, "WM_COMMAND"},
        {WM_TIMER, "WM_TIMER"},       {WM_DEVICECHANGE, "WM_DEVICECHANGE"},
    };
    for (const auto& [nNumber, pszName] : s_names)
    {
        if (nNumber == nMessage)
            return pszName;
    }
    if (nMessage >= WM_USER && nMessage < WM_APP)
        return nMessage == WM_USER ? "WM_USER" : "WM_USER+" + std::to_string(nMessage - WM_USER);
    return Hex(nMessage);
}

bool Same(const CMessageSequence::CMessage& expected, const CMessageSequence::CMessage& recorded)
{
    const unsigned nKinds = CMessageSequence::kSent | CMessageSequence::kPosted;
    return expected.hWnd == recorded.hWnd && expected.nMessage == recorded.nMessage &&
           (expected.nFlags & nKinds) == (recorded.nFlags & nKinds) &&
           ((expected.nFlags & CMessageSequence::kWParam) == 0 || expected.wParam == recorded.wParam);
}
}

CMessageSequence::CMessageSequence(std::vector<CWatch> watches) : m_watches(std::move(watches))
{
    s_pActive = this;
    m_hGetMessageHook = SetWindowsHookExA(WH_GETMESSAGE, &CMessageSequence::OnGetMessage, nullptr, GetCurrentThreadId());
    m_hCallWndHook = SetWindowsHookExA(WH_CALLWNDPROC, &CMessageSequence::OnCallWndProc, nullptr, GetCurrentThreadId());
}

CMessageSequence::~CMessageSequence()
{
    UnhookWindowsHookEx(m_hGetMessageHook);
    UnhookWindowsHookEx(m_hCallWndHook);
    s_pActive = nullptr;
}

const CMessageSequence::CRecorded* CMessageSequence::Find(HWND hWnd, UINT nMessage) const
{
    for (const CRecorded& recorded : m_recorded)
    {
        if (recorded.message.hWnd == hWnd && recorded.message.nMessage == nMessage)
            return &recorded;
    }
    return nullptr;
}

LRESULT CALLBACK CMessageSequence::OnGetMessage(int nCode, WPARAM wParam, LPARAM lParam)
{
    // A message only looked at is retrieved again later: it counts once, when it is removed.
    if (nCode == HC_ACTION && wParam == PM_REMOVE && s_pActive != nullptr)
    {
        const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
        s_pActive->Record(pMsg->hwnd, pMsg->message, kPosted, pMsg->wParam);
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK CMessageSequence::OnCallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && s_pActive != nullptr)
    {
        const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        s_pActive->Record(pMsg->hwnd, pMsg->message, kSent, pMsg->wParam);
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void CMessageSequence::Record(HWND hWnd, UINT nMessage, unsigned nKind, WPARAM wParam)
{
    if (hWnd == nullptr)
        return;
    const HWND hOwner = GetWindow(hWnd, GW_OWNER);
    for (const CWatch& watch : m_watches)
    {
        const bool bOwn = watch.hWnd == hWnd;
        const bool bOwned = watch.bOwned && hOwner != nullptr && watch.hWnd == hOwner;
        if ((!bOwn && !bOwned) ||
            std::find(watch.messages.begin(), watch.messages.end(), nMessage) == watch.messages.end())
            continue;
        // An owned window is named while it exists: the report is read after it is gone.
        const std::string strWindow =
            bOwn ? watch.strName : GetClassName932(hWnd) + " " + Hex(reinterpret_cast<uintptr_t>(hWnd)) + " owned by " +
                                       watch.strName;
        m_recorded.push_back(CRecorded{CMessage{hWnd, nMessage, nKind, wParam}, GetTickCount(), strWindow});
        return;
    }
}

std::string CMessageSequence::WindowName(HWND hWnd) const
{
    for (const CWatch& watch : m_watches)
    {
        if (watch.hWnd == hWnd)
            return watch.strName;
    }
    for (const CRecorded& recorded : m_recorded)
    {
        if (recorded.message.hWnd == hWnd)
            return recorded.strWindow;
    }
    return Hex(reinterpret_cast<uintptr_t>(hWnd));
}

std::string CMessageSequence::Describe(const CMessage& message, const std::string& strWindow) const
{
    std::string strText = strWindow + " " + MessageName(message.nMessage) +
                          ((message.nFlags & kPosted) != 0 ? " posted" : " sent");
    if ((message.nFlags & kWParam) != 0)
        strText += " wParam " + Hex(message.wParam);
    if ((message.nFlags & kOptional) != 0)
        strText += " (optional)";
    return strText;
}

::testing::AssertionResult CMessageSequence::Matches(const std::vector<CMessage>& expected) const
{
    size_t nExpected = 0;
    size_t nRecorded = 0;
    while (nExpected < expected.size() || nRecorded < m_recorded.size())
    {
        if (nExpected < expected.size() && nRecorded < m_recorded.size() &&
            Same(expected[nExpected], m_recorded[nRecorded].message))
        {
            ++nExpected;
            ++nRecorded;
        }
        else if (nExpected < expected.size() && (expected[nExpected].nFlags & kOptional) != 0)
        {
            ++nExpected;
        }
        else
        {
            break;
        }
    }
    if (nExpected == expected.size() && nRecorded == m_recorded.size())
        return ::testing::AssertionSuccess();

    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "the messages differ at expected " << nExpected << ", recorded " << nRecorded << "\nexpected:";
    for (size_t n = 0; n < expected.size(); ++n)
        failure << "\n  " << n << ": " << Describe(expected[n], WindowName(expected[n].hWnd));
    failure << "\nrecorded:";
    for (size_t n = 0; n < m_recorded.size(); ++n)
    {
        CMessage shown = m_recorded[n].message;
        shown.nFlags |= kWParam;
        failure << "\n  " << n << ": " << Describe(shown, m_recorded[n].strWindow);
    }
    return failure;
}
