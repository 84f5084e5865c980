// Records, in the order they arrive, chosen messages of chosen windows of this thread: posted
// ones when they are retrieved, sent ones when they are delivered. A test compares the record
// with a table of what it expects, in the manner of Wine's message-sequence tests, where the
// order of the messages is what it proves.
#ifndef KORVELT_TESTS_MESSAGESEQUENCE_H
#define KORVELT_TESTS_MESSAGESEQUENCE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CMessageSequence
{
public:
    enum : unsigned
    {
        kSent = 0x1,
        kPosted = 0x2,
        // The expected entry's wParam must match as well.
        kWParam = 0x4,
        // The expected entry may be missing; where the system decides whether it comes.
        kOptional = 0x8,
    };

    // Messages to record for one window, and for the windows it owns (dialogs, boxes) when
    // bOwned holds. strName names the window in reports.
    struct CWatch
    {
        HWND hWnd;
        std::string strName;
        std::vector<UINT> messages;
        bool bOwned = false;
    };

    struct CMessage
    {
        HWND hWnd;
        UINT nMessage;
        // kSent or kPosted, with kWParam and kOptional for an expected entry.
        unsigned nFlags;
        WPARAM wParam = 0;
    };

    struct CRecorded
    {
        CMessage message;
        // The tick count when it arrived.
        DWORD nTime;
        std::string strWindow;
    };

    explicit CMessageSequence(std::vector<CWatch> watches);
    ~CMessageSequence();
    CMessageSequence(const CMessageSequence&) = delete;
    CMessageSequence& operator=(const CMessageSequence&) = delete;

    const std::vector<CRecorded>& Recorded() const { return m_recorded; }
    // The first recorded message of this window and number, or nullptr.
    const CRecorded* Find(HWND hWnd, UINT nMessage) const;
    void Clear() { m_recorded.clear(); }

    // Whether the record is the expected sequence: the same messages in the same order, of
    // which only kOptional ones may be missing. A failure shows both sequences whole.
    ::testing::AssertionResult Matches(const std::vector<CMessage>& expected) const;

private:
    static LRESULT CALLBACK OnGetMessage(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnCallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    void Record(HWND hWnd, UINT nMessage, unsigned nKind, WPARAM wParam);
    std::string Describe(const CMessage& message, const std::string& strWindow) const;
    std::string WindowName(HWND hWnd) const;

    static CMessageSequence* s_pActive;
    std::vector<CWatch> m_watches;
    std::vector<CRecorded> m_recorded;
    HHOOK m_hGetMessageHook = nullptr;
    HHOOK m_hCallWndHook = nullptr;
};

#endif
