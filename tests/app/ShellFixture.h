// A launcher started in-process on a message file in a temporary folder (the folder is the
// current directory meanwhile), with counters of what reaches the view.
#ifndef KORVELT_TESTS_SHELLFIXTURE_H
#define KORVELT_TESTS_SHELLFIXTURE_H

#include "app/KorveltApp.h"
#include "tests/support/EntryBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The longest a wait for what a test expects may take. A wait ends as soon as its condition
    // holds, so the limit costs nothing when things work, and under emulation on a busy machine
    // a window's reaction may take seconds.
    static constexpr DWORD kWaitMs = 30000;

    // The application's start-up; true when it would enter its message loop.
    bool Start();
    // Dispatches what this thread's queue holds now, and what that posts in turn, without
    // waiting for anything to come.
    void PumpPending();
    // Dispatches messages until done() holds or the time is up; done()'s last answer.
    bool PumpUntil(const std::function<bool()>& done, DWORD nTimeoutMs = kWaitMs);
    // Dispatches messages for the given time: only for a test that needs the time to pass, one
    // that shows that something does not happen within it.
    void PumpFor(DWORD nMilliseconds);
    // Minimises the frame as a user would, and waits until it is.
    void MinimiseFrame();
    // Dispatches messages until the view has received (and handled) its nCount-th refresh
    // request; the first one follows the start.
    bool WaitForRefresh(int nCount);

    HWND Frame() const;
    HWND View() const;
    // Messages of this number that reached the view: posted ones when retrieved, sent ones when
    // delivered.
    int PostedToView(UINT nMessage) const;
    int SentToView(UINT nMessage) const;
    RECT FrameRect() const;
    // Texts that the program shows, read back as code page 932 through the program's own edge
    // (win/): the same bytes as the message file's whatever the system's code page.
    std::string MenuText(HMENU hMenu, int nPosition) const;
    static std::string WindowText(HWND hWnd);
    // Gives one message of the fixture's message file another text (before Start).
    void SetMessage(const std::string& strName, const std::string& strText);
    // Writes a file whose name is code page 932 text, inside the test's folder; its full path.
    std::string WriteNamed(const std::string& strName, const std::string& strBytes) const;

    // One catalogue entry by its stored fields (the others empty or 0).
    using SEntry = CEntryFields;
    // Replaces the catalogue in korvelt\ with these entries (before Start, or before New).
    void WriteCatalog(const std::vector<SEntry>& entries);
    // A registry key path of this test run, below Software\KorveltTest<process id>; both roots'
    // copies are removed at the end of each test.
    std::string TestKey(const std::string& strName) const;
    static bool CreateKey(HKEY hRoot, const std::string& strKey);
    static bool KeyExists(HKEY hRoot, const std::string& strKey);

    CTempDir m_dir;
    std::unique_ptr<CKorveltApp> m_pApp;
    bool m_bQuitPosted = false;

private:
    static LRESULT CALLBACK OnGetMessage(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnCallWndProc(int nCode, WPARAM wParam, LPARAM lParam);

    std::string m_strMessages;
    std::string m_strOldDir;
    HHOOK m_hGetMessageHook = nullptr;
    HHOOK m_hCallWndHook = nullptr;
};

// The suite names say which other runs a case belongs to (tests/app/CMakeLists.txt filters on
// them), so no list of names has to follow the cases.
// Cases whose windows show texts: run again as on a Windows of another language (shell_tests_en)
// and as Windows 95/98 (shell_tests9x).
using ShellTextTest = ShellTest;
// Cases that follow set-up programs started from the medium, or fail to start one: run again as
// Windows 95/98.
using ShellSetupTest = ShellTest;

#endif
