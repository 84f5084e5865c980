// The main window as a user meets it: caption, menus, buttons, columns, its fixed place after
// a restore, the refresh requests to the view, and the end after a volume removal.
#include "tests/app/MessageSequence.h"
#include "tests/app/ModalWatcher.h"
#include "tests/app/ShellFixture.h"

#include "fw/FrameWnd.h"
#include "res/resource.h"
#include "win/ListView932.h"
#include "win/ScopedHandle.h"
#include "win/User932.h"

#include <commctrl.h>
#include <dbt.h>

#include <memory>
#include <type_traits>

namespace
{
constexpr UINT WM_REFRESH = WM_USER + 1;
// The frame closes this long after a volume removal.
constexpr DWORD kCloseDelayMs = 500;
// A timer's interval measured with the tick count may read a little short: both move in steps
// (about 16 ms on Windows).
constexpr DWORD kTimerSlackMs = 50;

// Texts as code page 932, whatever the system's code page.
std::string ItemText(HWND hWnd, int nID)
{
    return GetWindowText932(GetDlgItem(hWnd, nID));
}

std::string ColumnTitle(HWND hList, int nColumn)
{
    return GetListColumnTitle932(hList, nColumn);
}

int ColumnCount(HWND hList)
{
    HWND hHeader = reinterpret_cast<HWND>(SendMessageA(hList, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0));
}

bool IsAtHome(const RECT& rc)
{
    return rc.left == 85 && rc.top == 50 && rc.right - rc.left == 651 && rc.bottom - rc.top == 480;
}

void ExpectPlacedAtHome(const RECT& rc)
{
    EXPECT_EQ(rc.left, 85);
    EXPECT_EQ(rc.top, 50);
    EXPECT_EQ(rc.right - rc.left, 651);
    EXPECT_EQ(rc.bottom - rc.top, 480);
}

LRESULT SendDeviceEvent(HWND hFrame, WPARAM nEvent, DWORD nDeviceType)
{
    DEV_BROADCAST_HDR header{};
    header.dbch_size = sizeof header;
    header.dbch_devicetype = nDeviceType;
    return SendMessageA(hFrame, WM_DEVICECHANGE, nEvent, reinterpret_cast<LPARAM>(&header));
}
}

TEST_F(ShellTextTest, Start_ShowsComposedCaptionMenusButtonsAndColumns)
{
    ASSERT_TRUE(Start());
    HWND hFrame = Frame();
    ASSERT_NE(hFrame, nullptr);
    EXPECT_TRUE(IsWindowVisible(hFrame));

    EXPECT_EQ(WindowText(hFrame), "Korvelt - Dravemont");

    HMENU hMenu = GetMenu(hFrame);
    ASSERT_EQ(GetMenuItemCount(hMenu), 3);
    EXPECT_EQ(MenuText(hMenu, 0), "\x83\x74\x83\x40\x83\x43\x83\x8b(&F)");
    EXPECT_EQ(MenuText(hMenu, 1), "Setup(&S)");
    EXPECT_EQ(MenuText(hMenu, 2), "Help(&H)");
    const struct
    {
        const char* pszItem;
        UINT nCommand;
    } items[] = {{"Exit(&X)", ID_APP_EXIT}, {"Force set-up(&F)", ID_FORCE_SETUP}, {"About(&A)...", ID_APP_ABOUT}};
    for (int i = 0; i < 3; ++i)
    {
        HMENU hPopup = GetSubMenu(hMenu, i);
        ASSERT_NE(hPopup, nullptr) << i;
        EXPECT_EQ(GetMenuItemCount(hPopup), 1);
        EXPECT_EQ(MenuText(hPopup, 0), items[i].pszItem);
        EXPECT_EQ(GetMenuItemID(hPopup, 0), items[i].nCommand);
    }

    HWND hView = View();
    EXPECT_EQ(GetParent(hView), hFrame);
    EXPECT_EQ(GetDlgCtrlID(hView), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(ItemText(hView, IDC_SETUP), "Set up(&I)");
    EXPECT_EQ(ItemText(hView, IDC_UNINSTALL), "Uninstall(&U)");
    EXPECT_EQ(ItemText(hView, IDC_TEXTFILE), "Read me(&R)");
    HWND hList = GetDlgItem(hView, IDC_APPLIST);
    EXPECT_EQ(ColumnCount(hList), 3);
    EXPECT_EQ(ColumnTitle(hList, 0), "Application");
    EXPECT_EQ(ColumnTitle(hList, 1), "Description");
    EXPECT_EQ(ColumnTitle(hList, 2), "Status");
    EXPECT_EQ(SendMessageA(hList, LVM_GETCOLUMNWIDTH, 0, 0), 260);
    EXPECT_EQ(SendMessageA(hList, LVM_GETCOLUMNWIDTH, 1, 0), 190);
    EXPECT_EQ(SendMessageA(hList, LVM_GETCOLUMNWIDTH, 2, 0), 139);

    // The view fills the frame's client area.
    RECT rcClient, rcView;
    GetClientRect(hFrame, &rcClient);
    GetClientRect(hView, &rcView);
    RECT rcViewWindow;
    GetWindowRect(hView, &rcViewWindow);
    EXPECT_EQ(rcViewWindow.right - rcViewWindow.left, rcClient.right);
    EXPECT_EQ(rcViewWindow.bottom - rcViewWindow.top, rcClient.bottom);
}

TEST_F(ShellTest, Start_PlacesTheWindowAndAsksTheViewForOneRefresh)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    ExpectPlacedAtHome(FrameRect());
    EXPECT_EQ(PostedToView(WM_REFRESH), 1);
    EXPECT_EQ(GetWindowLongA(Frame(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
}

TEST_F(ShellTest, MinimiseAndRestore_RefreshesAndReturnsHome)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hFrame = Frame();
    SetWindowPos(hFrame, nullptr, 200, 180, 500, 400, SWP_NOZORDER);
    // The refresh is asked for after the restore, not after the minimisation, and once.
    CMessageSequence sequence({{hFrame, "frame", {WM_SIZE}}, {View(), "view", {WM_REFRESH}}});
    const std::vector<CMessageSequence::CMessage> expected = {
        {hFrame, WM_SIZE, CMessageSequence::kSent | CMessageSequence::kWParam, SIZE_MINIMIZED},
        {hFrame, WM_SIZE, CMessageSequence::kSent | CMessageSequence::kWParam, SIZE_RESTORED},
        // The move home, where it changes the size.
        {hFrame, WM_SIZE, CMessageSequence::kSent | CMessageSequence::kWParam | CMessageSequence::kOptional,
         SIZE_RESTORED},
        {View(), WM_REFRESH, CMessageSequence::kPosted},
    };
    MinimiseFrame();
    ShowWindow(hFrame, SW_RESTORE);
    ASSERT_TRUE(WaitForRefresh(2));
    // A window manager may answer the restore with a move of its own before the frame's.
    PumpUntil([&] { return IsAtHome(FrameRect()); });
    ExpectPlacedAtHome(FrameRect());
    EXPECT_TRUE(sequence.Matches(expected));

    // And again after every minimisation.
    sequence.Clear();
    MinimiseFrame();
    ShowWindow(hFrame, SW_RESTORE);
    ASSERT_TRUE(WaitForRefresh(3));
    EXPECT_TRUE(sequence.Matches(expected));
}

TEST_F(ShellTest, MaximiseAndRestore_NeitherRefreshesNorMoves)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    SetWindowPos(Frame(), nullptr, 200, 180, 500, 400, SWP_NOZORDER);
    ShowWindow(Frame(), SW_MAXIMIZE);
    PumpPending();
    ShowWindow(Frame(), SW_RESTORE);
    // A refresh would have been posted while the frame changed its size: it is queued by now.
    PumpPending();
    const RECT rc = FrameRect();
    EXPECT_EQ(rc.left, 200);
    EXPECT_EQ(rc.top, 180);
    EXPECT_EQ(rc.right - rc.left, 500);
    EXPECT_EQ(PostedToView(WM_REFRESH), 1);
}

TEST_F(ShellTest, UserMessage_MinimisesTheFrame)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    ASSERT_FALSE(IsIconic(Frame()));
    PostMessageA(Frame(), WM_USER, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(Frame()) != FALSE; }));
}

TEST_F(ShellTest, DisplayChange_IsSwallowedWhileColourChangesReachTheView)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    EXPECT_EQ(SendMessageA(Frame(), WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768)), 0);
    EXPECT_EQ(SentToView(WM_DISPLAYCHANGE), 0);
    // The frame does pass other system changes on to its view.
    SendMessageA(Frame(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(SentToView(WM_SYSCOLORCHANGE), 1);
    // A window manager may answer the restore with a move of its own before the frame's.
    PumpUntil([&] { return IsAtHome(FrameRect()); });
    ExpectPlacedAtHome(FrameRect());
}

TEST_F(ShellTextTest, VolumeRemoved_ShowsTheNoticeAndClosesHalfASecondLater)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hFrame = Frame();
    // Esc ends the notice at once; the close still comes, from the frame's timer.
    CModalWatcher watcher(IDCANCEL);
    CMessageSequence sequence({{hFrame, "frame", {WM_DEVICECHANGE, WM_TIMER, WM_CLOSE}},
                               {hFrame, "frame", {WM_INITDIALOG}, true}});
    const DWORD nStart = GetTickCount();
    EXPECT_EQ(SendDeviceEvent(hFrame, DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_VOLUME), 0);
    ASSERT_TRUE(watcher.SawOneBox(std::nullopt));
    const CModalWatcher::CSeen& notice = watcher.Seen()[0];
    EXPECT_EQ(notice.hOwner, hFrame);
    EXPECT_EQ(notice.texts.at(IDC_REMOVED_LINE1), "Disk removed.");
    EXPECT_EQ(notice.texts.at(IDC_REMOVED_LINE2), "Closing.");
    EXPECT_EQ(notice.texts.at(IDC_REMOVED_LINE3), "Insert the disk and start again.");

    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hFrame); }));
    EXPECT_TRUE(sequence.Matches({
        {hFrame, WM_DEVICECHANGE, CMessageSequence::kSent | CMessageSequence::kWParam, DBT_DEVICEREMOVECOMPLETE},
        {notice.hWnd, WM_INITDIALOG, CMessageSequence::kSent},
        {hFrame, WM_TIMER, CMessageSequence::kPosted},
        {hFrame, WM_CLOSE, CMessageSequence::kPosted},
    }));
    const CMessageSequence::CRecorded* pClose = sequence.Find(hFrame, WM_CLOSE);
    ASSERT_NE(pClose, nullptr);
    EXPECT_GE(pClose->nTime - nStart, kCloseDelayMs - kTimerSlackMs);
    EXPECT_TRUE(m_bQuitPosted);
}

TEST_F(ShellTest, VolumeRemovedWhileMinimised_ClosesWithoutNotice)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hFrame = Frame();
    MinimiseFrame();
    CModalWatcher watcher;
    SendDeviceEvent(hFrame, DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_VOLUME);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hFrame); }));
    EXPECT_TRUE(watcher.Seen().empty());
    EXPECT_TRUE(m_bQuitPosted);
}

TEST_F(ShellTest, OtherDeviceEvents_ChangeNothing)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    CModalWatcher watcher;
    const struct
    {
        WPARAM nEvent;
        DWORD nType;
    } events[] = {
        {DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME},
        {DBT_DEVICEREMOVEPENDING, DBT_DEVTYP_VOLUME},
        {DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_PORT},
        {DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_OEM},
    };
    for (const auto& event : events)
        EXPECT_EQ(SendDeviceEvent(Frame(), event.nEvent, event.nType), 0);
    // That nothing happens takes time to show: the wait outlasts the close timer of a removal.
    // A notice would have come during the sends.
    PumpFor(kCloseDelayMs + 300);
    EXPECT_TRUE(IsWindow(Frame()));
    EXPECT_TRUE(watcher.Seen().empty());
    EXPECT_FALSE(m_bQuitPosted);
}

TEST_F(ShellTest, ForceSetupMenuItem_GetsItsCheckMarkFromTheView)
{
    ASSERT_TRUE(Start());
    HMENU hMenu = GetMenu(Frame());
    auto openPopup = [&](int nPosition) {
        HMENU hPopup = GetSubMenu(hMenu, nPosition);
        SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(nPosition, FALSE));
        return GetMenuState(hPopup, 0, MF_BYPOSITION);
    };
    UINT nState = openPopup(1);
    EXPECT_EQ(nState & MF_CHECKED, 0u);
    EXPECT_EQ(nState & (MF_GRAYED | MF_DISABLED), 0u);

    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FORCE_SETUP, 0), 0);
    EXPECT_EQ(openPopup(1) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FORCE_SETUP, 0), 0);
    EXPECT_EQ(openPopup(1) & MF_CHECKED, 0u);

    // Exit and About have handlers on the command route, so they stay enabled.
    EXPECT_EQ(openPopup(0) & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(openPopup(2) & (MF_GRAYED | MF_DISABLED), 0u);
}

TEST_F(ShellTest, UnhandledMenuCommand_IsGrayed)
{
    ASSERT_TRUE(Start());
    // Paste has no handler anywhere; Save has the document's.
    CScopedMenu popup(CreatePopupMenu());
    AppendMenuA(popup.Get(), MF_STRING, ID_EDIT_PASTE, "Paste");
    AppendMenuA(popup.Get(), MF_STRING, ID_FILE_SAVE, "Save");
    SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.Get()), MAKELPARAM(0, FALSE));
    EXPECT_NE(GetMenuState(popup.Get(), 0, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(popup.Get(), 1, MF_BYPOSITION) & MF_GRAYED, 0u);
}

TEST_F(ShellTextTest, AboutCommand_ShowsIconAndMessages)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    CModalWatcher watcher;
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), 0);
    ASSERT_TRUE(watcher.SawOneBox("About Korvelt"));
    const CModalWatcher::CSeen& about = watcher.Seen()[0];
    EXPECT_EQ(about.hOwner, Frame());
    EXPECT_EQ(about.texts.at(IDC_ABOUT_LINE1), "Korvelt & Dravemont");
    EXPECT_EQ(about.texts.at(IDC_ABOUT_LINE2), "Copyright &Korvelt");
    // The ampersand of the first line is shown as it is; the second line's marks a mnemonic.
    EXPECT_NE(about.styles.at(IDC_ABOUT_LINE1) & SS_NOPREFIX, 0);
    EXPECT_EQ(about.styles.at(IDC_ABOUT_LINE2) & SS_NOPREFIX, 0);
    EXPECT_EQ(about.texts.at(IDOK), "OK");
    EXPECT_TRUE(about.bShowsIcon);
    EXPECT_FALSE(IsWindow(about.hWnd));
}

TEST_F(ShellTest, ExitCommand_ClosesTheProgram)
{
    ASSERT_TRUE(Start());
    HWND hFrame = Frame();
    SendMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    EXPECT_FALSE(IsWindow(hFrame));
    PumpPending();
    EXPECT_TRUE(m_bQuitPosted);
}

TEST_F(ShellTextTest, SecondCopy_SaysSoAndBringsTheRunningOneForward)
{
    // Japanese caption and message ("Korvelt インストーラー", "起動中"): the search and the box
    // carry them on any system.
    const std::string strCaption = "Korvelt \x83\x43\x83\x93\x83\x58\x83\x67\x81\x5b\x83\x89\x81\x5b";
    const std::string strRunning = "\x8b\x4e\x93\xae\x92\x86";
    SetMessage("CAPTION", strCaption);
    SetMessage("ALREADY_RUNNING", strRunning);
    // A window captioned like a running launcher, minimised. Destroyed however the test ends:
    // every later start would take it for a running launcher.
    const std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> other(
        CreateWindowEx932(0, "STATIC", strCaption, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr, nullptr,
                          nullptr),
        &DestroyWindow);
    HWND hOther = other.get();
    ASSERT_NE(hOther, nullptr);
    ShowWindow(hOther, SW_MINIMIZE);

    CModalWatcher watcher;
    EXPECT_FALSE(Start());
    EXPECT_EQ(Frame(), nullptr);
    // The system's own caption: the box names no other.
    ASSERT_TRUE(watcher.SawOneBox(std::nullopt, strRunning));
    const CModalWatcher::CSeen& box = watcher.Seen()[0];
    EXPECT_EQ(box.hOwner, nullptr);
    EXPECT_FALSE(box.bShowsIcon);
    EXPECT_NE(box.strCaption, m_pApp->GetAppName());
    EXPECT_FALSE(IsIconic(hOther));
    EXPECT_TRUE(IsWindowVisible(hOther));
}
