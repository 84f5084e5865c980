// Watches, from a thread timer that modal loops keep running, for dialogs and message boxes of
// this thread: records what each one shows, then closes it with a chosen command.
#ifndef KORVELT_TESTS_MODALWATCHER_H
#define KORVELT_TESTS_MODALWATCHER_H

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CModalWatcher
{
public:
    struct CSeen
    {
        HWND hWnd = nullptr;
        HWND hOwner = nullptr;
        std::string strCaption;
        // Texts and styles of every child control by ID.
        std::map<int, std::string> texts;
        std::map<int, LONG> styles;
        // Texts of the static controls in creation order (message boxes).
        std::vector<std::string> statics;
        bool bShowsIcon = false;
    };

    // onSeen, when given, runs on each new dialog before it is closed.
    explicit CModalWatcher(int nCloseCommand = IDOK, std::function<void(HWND)> onSeen = nullptr);
    ~CModalWatcher();
    CModalWatcher(const CModalWatcher&) = delete;
    CModalWatcher& operator=(const CModalWatcher&) = delete;

    const std::vector<CSeen>& Seen() const { return m_seen; }
    // Whether exactly one dialog or box was seen, with this caption and, for a message box, this
    // message (its last static text); std::nullopt leaves either open. A failure lists every
    // dialog seen, with its caption and static texts.
    ::testing::AssertionResult SawOneBox(const std::optional<std::string>& caption,
                                         const std::optional<std::string>& message = std::nullopt) const;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK CheckWindow(HWND hWnd, LPARAM lParam);
    void Record(HWND hDialog);

    static CModalWatcher* s_pActive;
    int m_nCloseCommand;
    std::function<void(HWND)> m_onSeen;
    UINT_PTR m_nTimer;
    std::vector<CSeen> m_seen;
};

#endif
