// What a user sees in the launcher's form: the list, the buttons per kind of entry, the refresh
// after a restore, the post-install copy, the error box, the layout at other window sizes and
// the painted pictures. The view runs in-process on a catalogue of the test's own.
#include "tests/app/MessageSequence.h"
#include "tests/app/ModalWatcher.h"
#include "tests/app/ShellFixture.h"

#include "app/MainFrame.h"
#include "fw/FormView.h"
#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "res/resource.h"
#include "view/FormLayout.h"
#include "view/win32/KorveltView.h"
#include "win/Kernel932.h"
#include "win/ListView932.h"
#include "win/ScopedHandle.h"
#include "win/User932.h"
#include "win/WideText.h"
#include "win/Windows9x.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <nlohmann/json.hpp>

#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <sstream>
#include <type_traits>

namespace
{
// As code page 932, whatever the system's code page.
std::string ItemText(HWND hList, int nRow, int nSubItem)
{
    return GetListItemText932(hList, nRow, nSubItem);
}

int RowCount(HWND hList)
{
    return static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
}

int ColumnCount(HWND hList)
{
    HWND hHeader = reinterpret_cast<HWND>(SendMessageA(hList, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND hList)
{
    return static_cast<int>(SendMessageA(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// As a click on a row does: the row becomes selected and focused.
void SelectRow(HWND hList, int nRow)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
}

// The three buttons' enabled states as "setup/uninstall/textfile" of 0 and 1.
std::string ButtonStates(HWND hView)
{
    std::string strStates;
    for (int nID : {IDC_SETUP, IDC_UNINSTALL, IDC_TEXTFILE})
    {
        if (!strStates.empty())
            strStates += '/';
        strStates += IsWindowEnabled(GetDlgItem(hView, nID)) ? '1' : '0';
    }
    return strStates;
}

// The button's command as a click sends it (also for a button that is disabled).
void Click(HWND hView, int nID)
{
    SendMessageA(hView, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hView, nID)));
}

RECT ControlRect(HWND hView, int nID)
{
    RECT rc{};
    GetWindowRect(GetDlgItem(hView, nID), &rc);
    MapWindowPoints(nullptr, hView, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// A control's place in the form's template (x, y, width, height in dialog units), in pixels:
// the dialog manager converts position and size separately.
RECT DesignRect(HWND hView, RECT rcUnits)
{
    MapDialogRect(hView, &rcUnits);
    return RECT{rcUnits.left, rcUnits.top, rcUnits.left + rcUnits.right, rcUnits.top + rcUnits.bottom};
}

struct CDesign
{
    int nID;
    RECT rcUnits;
};
const CDesign kDesign[] = {
    {IDC_APPLIST, {10, 80, 406, 160}},
    {IDC_SETUP, {14, 257, 85, 16}},
    {IDC_UNINSTALL, {115, 257, 85, 16}},
    {IDC_TEXTFILE, {336, 257, 80, 16}},
};

std::string ReadFile(const std::string& strPath)
{
    std::ifstream in(strPath, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A 24-bit bottom-up bitmap file; colour(x, y) gives each pixel (top-down coordinates).
template <class TColour>
std::string MakeBitmapFile(int nWidth, int nHeight, TColour colour)
{
    const int nStride = (nWidth * 3 + 3) & ~3;
    const int nBits = nStride * nHeight;
    std::string strFile(static_cast<size_t>(54 + nBits), '\0');
    auto put32 = [&](size_t nAt, uint32_t n) {
        for (int i = 0; i < 4; ++i)
            strFile[nAt + static_cast<size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
    };
    strFile[0] = 'B';
    strFile[1] = 'M';
    put32(2, static_cast<uint32_t>(strFile.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(nWidth));
    put32(22, static_cast<uint32_t>(nHeight));
    strFile[26] = 1;
    strFile[28] = 24;
    put32(34, static_cast<uint32_t>(nBits));
    for (int y = 0; y < nHeight; ++y)
    {
        for (int x = 0; x < nWidth; ++x)
        {
            const COLORREF cr = colour(x, y);
            const size_t nAt = 54 + static_cast<size_t>((nHeight - 1 - y) * nStride + x * 3);
            strFile[nAt] = static_cast<char>(GetBValue(cr));
            strFile[nAt + 1] = static_cast<char>(GetGValue(cr));
            strFile[nAt + 2] = static_cast<char>(GetRValue(cr));
        }
    }
    return strFile;
}

CKorveltView* ViewObject(HWND hView)
{
    return static_cast<CKorveltView*>(CWnd::FromHandle(hView));
}

// A key for the focused window as the launcher's message loop delivers it: the accelerators and
// the form's dialog keys see it first.
void PressKey(CWinApp& app, UINT nMessage, WPARAM nKey, BYTE nShiftState = 0)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = nShiftState;
    SetKeyboardState(keys);
    MSG msg{};
    msg.hwnd = GetFocus();
    msg.message = nMessage;
    msg.wParam = nKey;
    msg.lParam = 1;
    if (!app.PreTranslateMessage(msg))
    {
        TranslateMessage(&msg);
        DispatchMessage932(msg);
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}
}

TEST_F(ShellTextTest, ButtonsAndStatus_FollowEachKindOfEntry)
{
    const std::string strReleaseFile = m_dir.Write("old-release.dat", "1.0");
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("Installed")));
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("Previous")));
    // A Japanese title and status ("古い", "旧版") read back as the same code page 932 bytes.
    const char* const pszOlder = "\x8c\xc3\x82\xa2";
    const char* const pszPrevious = "\x8b\x8c\x94\xc5";
    SetMessage("STATUS_PREVIOUS", pszPrevious);
    WriteCatalog({
        {{{"m_strTitle", "Fresh"}, {"m_strSubItemText", "not installed"}, {"m_strCheckKey", TestKey("Absent")}},
         {{"m_bCanUninstall", 1}}},
        {{{"m_strTitle", "Installed"}, {"m_strCheckKey", TestKey("Installed")}, {"m_strTextFile", "readme.txt"}},
         {{"m_bCanUninstall", 1}}},
        {{{"m_strTitle", "Fixed"}, {"m_strCheckKey", TestKey("Installed")}}, {}},
        {{{"m_strTitle", "Always"}, {"m_strCheckKey", TestKey("Installed")}},
         {{"m_bAlwaysInstall", 1}, {"m_bCanUninstall", 1}}},
        {{{"m_strTitle", pszOlder},
          {"m_strCheckKey", TestKey("Absent")},
          {"m_strPrevCheckKey", TestKey("Previous")},
          {"m_strPrevReleaseDate", "2107/12/31"},
          {"m_strPrevReleaseFile", strReleaseFile}},
         {{"m_bHasPrevRelease", 1}, {"m_bCanUninstall", 1}}},
    });
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hView = View();
    HWND hList = GetDlgItem(hView, IDC_APPLIST);
    ASSERT_EQ(RowCount(hList), 5);

    const struct
    {
        const char* pszTitle;
        const char* pszStatus;
        const char* pszButtons;
        const char* pszForced;
    } rows[] = {
        {"Fresh", "", "1/0/0", "1/0/0"},
        {"Installed", "Installed", "0/1/1", "1/0/1"},
        {"Fixed", "Installed", "0/0/0", "1/0/0"},
        {"Always", "Installed", "1/0/0", "1/0/0"},
        {pszOlder, pszPrevious, "0/1/0", "1/0/0"},
    };
    EXPECT_EQ(SelectedRow(hList), 0);
    EXPECT_EQ(ItemText(hList, 0, 1), "not installed");
    for (int nRow = 0; nRow < 5; ++nRow)
    {
        SelectRow(hList, nRow);
        EXPECT_EQ(ItemText(hList, nRow, 0), rows[nRow].pszTitle);
        EXPECT_EQ(ItemText(hList, nRow, 2), rows[nRow].pszStatus) << rows[nRow].pszTitle;
        EXPECT_EQ(ButtonStates(hView), rows[nRow].pszButtons) << rows[nRow].pszTitle;
    }

    // Set-up mode offers set-up for every entry and removal for none; twice is the old state.
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FORCE_SETUP, 0), 0);
    for (int nRow = 0; nRow < 5; ++nRow)
    {
        SelectRow(hList, nRow);
        EXPECT_EQ(ButtonStates(hView), rows[nRow].pszForced) << rows[nRow].pszTitle;
        EXPECT_EQ(ItemText(hList, nRow, 2), rows[nRow].pszStatus);
    }
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FORCE_SETUP, 0), 0);
    SelectRow(hList, 1);
    EXPECT_EQ(ButtonStates(hView), "0/1/1");
}

TEST_F(ShellTest, EmptyCatalogue_ShowsNoRowsAndOffersNothing)
{
    WriteCatalog({});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    EXPECT_EQ(RowCount(hList), 0);
    EXPECT_EQ(ColumnCount(hList), 3);
    EXPECT_EQ(ButtonStates(View()), "0/0/0");
    // The commands have no entry to work on and do nothing.
    CModalWatcher watcher;
    Click(View(), IDC_SETUP);
    Click(View(), IDC_TEXTFILE);
    PumpPending();
    EXPECT_TRUE(watcher.Seen().empty());
    EXPECT_FALSE(IsIconic(Frame()));
}

TEST_F(ShellTest, RepeatedNew_RebuildsTheListFromTheCatalogue)
{
    WriteCatalog({{{{"m_strTitle", "One"}}, {}}, {{{"m_strTitle", "Two"}}, {}}, {{{"m_strTitle", "Three"}}, {}}});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
    EXPECT_EQ(ColumnCount(hList), 3);
    ASSERT_EQ(RowCount(hList), 3);
    EXPECT_EQ(ItemText(hList, 2, 0), "Three");

    SelectRow(hList, 2);
    EXPECT_EQ(ViewObject(View())->GetSelected(), 3);
    WriteCatalog({{{{"m_strTitle", "Alpha"}, {"m_strTextFile", "a.txt"}, {"m_strCheckKey", TestKey("Alpha")}}, {}},
                  {{{"m_strTitle", "Beta"}}, {}}});
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
    EXPECT_EQ(ColumnCount(hList), 3);
    ASSERT_EQ(RowCount(hList), 2);
    EXPECT_EQ(ItemText(hList, 0, 0), "Alpha");
    EXPECT_EQ(ItemText(hList, 1, 0), "Beta");
    // The selection went back inside the shorter catalogue, and the buttons follow its entry.
    EXPECT_EQ(ViewObject(View())->GetSelected(), 1);
    EXPECT_EQ(SelectedRow(hList), 0);
    EXPECT_EQ(ButtonStates(View()), "1/0/1");
}

TEST_F(ShellTest, RestoreAfterMinimise_ShowsAnInstallationMadeMeanwhile)
{
    WriteCatalog({{{{"m_strTitle", "Later"}, {"m_strCheckKey", TestKey("Later")}}, {{"m_bCanUninstall", 1}}}});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hFrame = Frame();
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    EXPECT_EQ(ItemText(hList, 0, 2), "");
    // The re-check is the one that the restore asks for.
    CMessageSequence sequence({{hFrame, "frame", {WM_SIZE}}, {View(), "view", {WM_REFRESH_STATE}}});
    MinimiseFrame();
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("Later")));
    EXPECT_EQ(ItemText(hList, 0, 2), "");
    ShowWindow(hFrame, SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return ItemText(hList, 0, 2) == "Installed"; }));
    EXPECT_TRUE(sequence.Matches({
        {hFrame, WM_SIZE, CMessageSequence::kSent | CMessageSequence::kWParam, SIZE_MINIMIZED},
        {hFrame, WM_SIZE, CMessageSequence::kSent | CMessageSequence::kWParam, SIZE_RESTORED},
        // The move home, should it change the size.
        {hFrame, WM_SIZE, CMessageSequence::kSent | CMessageSequence::kWParam | CMessageSequence::kOptional,
         SIZE_RESTORED},
        {View(), WM_REFRESH_STATE, CMessageSequence::kPosted},
    }));
    EXPECT_EQ(ButtonStates(View()), "0/1/0");
    EXPECT_EQ(SelectedRow(hList), 0);
}

TEST_F(ShellSetupTest, SetupWithMissingProgram_ReportsAndCopiesAfterTheNextRefresh)
{
    // The copy sources lie on the medium (the folder whose catalogue the launcher reads, below
    // the root of its drive); the list names them from the medium's top.
    const CTempDir sourceDir(m_dir.Path());
    const std::filesystem::path& source = sourceDir.Path();
    const std::string strSourceOnMedium = "\\" + source.filename().string();
    sourceDir.Write("a.txt", "alpha");
    sourceDir.Write("b.txt", "new beta");
    sourceDir.Write("c.txt", "gamma");
    SetFileAttributesA((source / "a.txt").string().c_str(), FILE_ATTRIBUTE_READONLY);

    const std::string strTarget1 = m_dir.MakeFolder("target1");
    const std::string strTarget2 = m_dir.MakeFolder("target2");
    const std::string strTarget3 = m_dir.MakeFolder("target3");
    m_dir.Write("target1/b.txt", "old beta, longer than the new one");
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("Third")));
    WriteCatalog({
        {{{"m_strTitle", "First"},
          {"m_strSetupCommand", "no-such-setup-program.exe /q"},
          {"m_strCheckKey", TestKey("First")},
          {"m_strPostInstallCopyList",
           strSourceOnMedium + "\\a.txt>" + strTarget1 + "\r\n" + strSourceOnMedium + "\\b.txt>" + strTarget1}},
         {{"m_bPostInstallCopy", 1}}},
        {{{"m_strTitle", "Second"},
          {"m_strCheckKey", TestKey("Second")},
          {"m_strPostInstallCopyList", strSourceOnMedium + "\\c.txt>" + strTarget2}},
         {{"m_bPostInstallCopy", 1}}},
        {{{"m_strTitle", "Third"},
          {"m_strCheckKey", TestKey("Third")},
          {"m_strPostInstallCopyList", strSourceOnMedium + "\\a.txt>" + strTarget3}},
         {{"m_bPostInstallCopy", 1}}},
    });
    ASSERT_TRUE(Start());
    HWND hView = View();
    HWND hList = GetDlgItem(hView, IDC_APPLIST);
    // The first refresh pass finds only the third installed and copies its file from the medium;
    // the other two keep waiting for their copies.
    ASSERT_TRUE(PumpUntil([&] { return PostedToView(WM_REFRESH_STATE) == 1; }));
    EXPECT_TRUE(ViewObject(hView)->IsCopyPending(1));
    EXPECT_TRUE(ViewObject(hView)->IsCopyPending(2));
    EXPECT_FALSE(ViewObject(hView)->IsCopyPending(3));
    EXPECT_EQ(ReadFile(strTarget3 + "\\a.txt"), "alpha");
    EXPECT_EQ(GetFileAttributes932(strTarget1 + "\\a.txt"), INVALID_FILE_ATTRIBUTES);

    {
        CModalWatcher watcher;
        Click(hView, IDC_SETUP);
        ASSERT_TRUE(watcher.SawOneBox("ERROR", "Set-up did not start."));
        const CModalWatcher::CSeen& seen = watcher.Seen()[0];
        EXPECT_EQ(seen.hOwner, Frame());
        EXPECT_TRUE(seen.bShowsIcon);
    }
    EXPECT_TRUE(IsIconic(Frame()));
    EXPECT_EQ(SelectedRow(hList), 0);

    // Both applications turn out installed at the next refresh: each gets its copies.
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("First")));
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("Second")));
    PostMessageA(hView, WM_REFRESH_STATE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return ItemText(hList, 1, 2) == "Installed"; }));
    EXPECT_EQ(ItemText(hList, 0, 2), "Installed");
    EXPECT_FALSE(ViewObject(hView)->IsCopyPending(1));
    EXPECT_FALSE(ViewObject(hView)->IsCopyPending(2));
    EXPECT_EQ(ReadFile(strTarget1 + "\\a.txt"), "alpha");
    EXPECT_EQ(ReadFile(strTarget1 + "\\b.txt"), "new beta");
    EXPECT_EQ(ReadFile(strTarget2 + "\\c.txt"), "gamma");
    const DWORD nAttributes = GetFileAttributesA((strTarget1 + "\\a.txt").c_str());
    ASSERT_NE(nAttributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(nAttributes & FILE_ATTRIBUTE_READONLY, 0u);

    // A set-up of the second entry copies its files again, and only its own: the first one's
    // file, changed since, stays as it is.
    std::ofstream(strTarget1 + "\\b.txt", std::ios::binary) << "changed";
    std::ofstream(strTarget2 + "\\c.txt", std::ios::binary) << "changed";
    SelectRow(hList, 1);
    {
        CModalWatcher watcher;
        Click(hView, IDC_SETUP);
        EXPECT_EQ(watcher.Seen().size(), 1u);
    }
    EXPECT_TRUE(ViewObject(hView)->IsCopyPending(2));
    PostMessageA(hView, WM_REFRESH_STATE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !ViewObject(hView)->IsCopyPending(2); }));
    EXPECT_EQ(ReadFile(strTarget2 + "\\c.txt"), "gamma");
    EXPECT_EQ(ReadFile(strTarget1 + "\\b.txt"), "changed");
}

TEST_F(ShellTextTest, TextFileButton_ShowsTheFileOrReportsItMissing)
{
    // "説明.txt" holding "メモ帳": a Japanese name and line, shown as they are on any system.
    const std::string strJapaneseName = "\x90\xe0\x96\xbe.txt";
    const std::string strJapaneseLine = "\x83\x81\x83\x82\x92\xa0";
    m_dir.Write("readme.txt", "Line one\nLine two\n");
    WriteNamed(strJapaneseName, strJapaneseLine + "\n");
    // "開けません"
    const std::string strFailed = "\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1";
    SetMessage("TEXTFILE_FAILED", strFailed);
    WriteCatalog({{{{"m_strTitle", "Readable"}, {"m_strTextFile", "readme.txt"}}, {}},
                  {{{"m_strTitle", "Japanese"}, {"m_strTextFile", strJapaneseName}}, {}},
                  {{{"m_strTitle", "Lost"}, {"m_strTextFile", "korvelt\\missing.txt"}}, {}},
                  // A lead byte without its second byte: not code page 932, so no file's name.
                  {{{"m_strTitle", "Garbled"}, {"m_strTextFile", "readme\x82.txt"}}, {}}});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hView = View();
    HWND hList = GetDlgItem(hView, IDC_APPLIST);

    // The viewer's caption and the start of its text, or the error box's caption and text.
    const struct
    {
        int nRow;
        const char* pszCaption;
        std::string strText;
    } cases[] = {
        {0, "Read me", "Line one\r\nLine two\r\n\r\n"},
        {1, "Read me", strJapaneseLine + "\r\n\r\n"},
        {2, "ERROR", strFailed},
        {3, "ERROR", strFailed},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nRow);
        SelectRow(hList, c.nRow);
        CModalWatcher watcher;
        Click(hView, IDC_TEXTFILE);
        const bool bError = std::string(c.pszCaption) == "ERROR";
        ASSERT_TRUE(watcher.SawOneBox(c.pszCaption, bError ? std::optional<std::string>(c.strText) : std::nullopt));
        if (!bError)
        {
            EXPECT_EQ(watcher.Seen()[0].texts.at(IDC_TEXTVIEW_EDIT).rfind(c.strText, 0), 0u);
        }
        EXPECT_EQ(SelectedRow(hList), c.nRow);
        EXPECT_EQ(GetFocus(), hList);
    }
    EXPECT_FALSE(IsIconic(Frame()));
}

namespace
{
// Resizes the view and returns the factors that its new client area gives against the form.
CFormLayout::CFactors ResizeView(HWND hView, int nWidth, int nHeight, bool bZoomOut)
{
    SetWindowPos(hView, nullptr, 0, 0, nWidth, nHeight, SWP_NOZORDER | SWP_NOMOVE);
    RECT rcClient{};
    GetClientRect(hView, &rcClient);
    const SIZE sizeForm = static_cast<CFormView*>(CWnd::FromHandle(hView))->GetTotalSize();
    return CFormLayout::Factors(rcClient.right, rcClient.bottom, CLayoutRect{0, 0, sizeForm.cx, sizeForm.cy},
                                bZoomOut);
}

void ExpectControlsScaled(HWND hView, const CFormLayout::CFactors& factors, const char* pszCase)
{
    for (const CDesign& design : kDesign)
    {
        const RECT rcDesign = DesignRect(hView, design.rcUnits);
        const CPlacement expected = CFormLayout::Scale(
            CLayoutRect{rcDesign.left, rcDesign.top, rcDesign.right, rcDesign.bottom}, factors);
        const RECT rc = ControlRect(hView, design.nID);
        EXPECT_EQ(rc.left, expected.m_nX) << pszCase << ' ' << design.nID;
        EXPECT_EQ(rc.top, expected.m_nY) << pszCase << ' ' << design.nID;
        EXPECT_EQ(rc.right - rc.left, expected.m_nWidth) << pszCase << ' ' << design.nID;
        EXPECT_EQ(rc.bottom - rc.top, expected.m_nHeight) << pszCase << ' ' << design.nID;
    }
}
}

TEST_F(ShellTest, Resize_ScalesTheControlsBothWays)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hView = View();
    const SIZE sizeForm = static_cast<CFormView*>(CWnd::FromHandle(hView))->GetTotalSize();
    const RECT rcListDesign = DesignRect(hView, kDesign[0].rcUnits);

    const CFormLayout::CFactors half = ResizeView(hView, sizeForm.cx / 2, sizeForm.cy / 2, true);
    EXPECT_LT(half.m_fX, 0.51f);
    ExpectControlsScaled(hView, half, "half");
    const RECT rcHalf = ControlRect(hView, IDC_APPLIST);
    EXPECT_NEAR(rcHalf.right - rcHalf.left, (rcListDesign.right - rcListDesign.left) / 2, 2);
    EXPECT_EQ(GetWindowLongA(hView, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

    const CFormLayout::CFactors twice = ResizeView(hView, sizeForm.cx * 2, sizeForm.cy * 2, true);
    ExpectControlsScaled(hView, twice, "double");
    const RECT rcTwice = ControlRect(hView, IDC_APPLIST);
    EXPECT_NEAR(rcTwice.top, rcListDesign.top * 2, 2);
    EXPECT_NEAR(rcTwice.bottom - rcTwice.top, (rcListDesign.bottom - rcListDesign.top) * 2, 2);
}

TEST_F(ShellTest, ResizeWithNoZoomOut_NeverShrinksBelowTheDesign)
{
    m_pApp->SetCmdLine("/nozoomout");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hView = View();
    const SIZE sizeForm = static_cast<CFormView*>(CWnd::FromHandle(hView))->GetTotalSize();
    const RECT rcListDesign = DesignRect(hView, kDesign[0].rcUnits);

    ResizeView(hView, sizeForm.cx * 3 / 4, sizeForm.cy * 3 / 4, false);
    EXPECT_NE(GetWindowLongA(hView, GWL_STYLE) & WS_HSCROLL, 0);
    SendMessageA(hView, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    ASSERT_GT(GetScrollPos(hView, SB_HORZ), 0);
    const CFormLayout::CFactors half = ResizeView(hView, sizeForm.cx / 2, sizeForm.cy / 2, false);
    EXPECT_EQ(half.m_fX, 1.0f);
    EXPECT_EQ(GetScrollPos(hView, SB_HORZ), 0);
    EXPECT_NE(GetWindowLongA(hView, GWL_STYLE) & WS_HSCROLL, 0);
    ExpectControlsScaled(hView, half, "half");
    const RECT rcHalf = ControlRect(hView, IDC_APPLIST);
    EXPECT_EQ(rcHalf.left, rcListDesign.left);
    EXPECT_EQ(rcHalf.right - rcHalf.left, rcListDesign.right - rcListDesign.left);

    const CFormLayout::CFactors tall = ResizeView(hView, sizeForm.cx, sizeForm.cy * 2, false);
    ExpectControlsScaled(hView, tall, "tall");
    const RECT rcTall = ControlRect(hView, IDC_APPLIST);
    EXPECT_NEAR(rcTall.top, rcListDesign.top * 2, 2);
    EXPECT_NEAR(rcTall.bottom - rcTall.top, (rcListDesign.bottom - rcListDesign.top) * 2, 2);
}

TEST_F(ShellTest, Painting_TilesTheBackgroundAndDrawsTheTitle)
{
    // A 10 x 8 tile with four coloured corners on grey, a title of two colours side by side.
    const COLORREF crTopLeft = RGB(255, 0, 0), crTopRight = RGB(0, 255, 0), crBottomLeft = RGB(0, 0, 255),
                   crBottomRight = RGB(255, 255, 0), crGrey = RGB(128, 128, 128);
    m_dir.Write("korvelt/instapp.bmp", MakeBitmapFile(10, 8, [&](int x, int y) {
                    if (x == 0 && y == 0)
                        return crTopLeft;
                    if (x == 9 && y == 0)
                        return crTopRight;
                    if (x == 0 && y == 7)
                        return crBottomLeft;
                    if (x == 9 && y == 7)
                        return crBottomRight;
                    return crGrey;
                }));
    const COLORREF crTitleLeft = RGB(0, 128, 255), crTitleRight = RGB(255, 0, 255);
    m_dir.Write("korvelt/instttl.bmp",
                MakeBitmapFile(4, 2, [&](int x, int) { return x < 2 ? crTitleLeft : crTitleRight; }));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hView = View();
    RECT rcClient{};
    GetClientRect(hView, &rcClient);

    HDC hScreen = GetDC(nullptr);
    const std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> mem(CreateCompatibleDC(hScreen), &DeleteDC);
    ReleaseDC(nullptr, hScreen);
    HDC hMem = mem.get();
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = rcClient.right;
    bmi.bmiHeader.biHeight = -rcClient.bottom;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    const std::unique_ptr<std::remove_pointer_t<HBITMAP>, decltype(&DeleteObject)> bitmap(
        CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0), &DeleteObject);
    HBITMAP hBitmap = bitmap.get();
    ASSERT_NE(hBitmap, nullptr);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    RECT rcAll{0, 0, rcClient.right, rcClient.bottom};
    FillRect(hMem, &rcAll, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ViewObject(hView)->OnDraw(hMem);

    for (POINT tile : {POINT{0, 0}, POINT{1, 1}, POINT{20, 30}})
    {
        const int x = tile.x * 10;
        const int y = tile.y * 8;
        EXPECT_EQ(GetPixel(hMem, x, y), crTopLeft) << tile.x << ',' << tile.y;
        EXPECT_EQ(GetPixel(hMem, x + 9, y), crTopRight) << tile.x << ',' << tile.y;
        EXPECT_EQ(GetPixel(hMem, x, y + 7), crBottomLeft) << tile.x << ',' << tile.y;
        EXPECT_EQ(GetPixel(hMem, x + 9, y + 7), crBottomRight) << tile.x << ',' << tile.y;
        EXPECT_EQ(GetPixel(hMem, x + 4, y + 4), crGrey) << tile.x << ',' << tile.y;
    }
    // The tiles reach the client area's last pixel.
    EXPECT_NE(GetPixel(hMem, rcClient.right - 1, rcClient.bottom - 1), RGB(0, 0, 0));
    // The title is stretched over (70, 25)-(577, 89), over the background.
    EXPECT_EQ(GetPixel(hMem, 71, 26), crTitleLeft);
    EXPECT_EQ(GetPixel(hMem, 300, 60), crTitleLeft);
    EXPECT_EQ(GetPixel(hMem, 330, 60), crTitleRight);
    EXPECT_EQ(GetPixel(hMem, 576, 88), crTitleRight);
    // Right of the title, the tile starting at (580, 88) shows again.
    EXPECT_EQ(GetPixel(hMem, 580, 88), crTopLeft);

    // A bitmap still selected into a device context cannot be deleted.
    SelectObject(hMem, hOld);
}

// Not again as Windows 95/98: the table below follows set-ups there.
TEST_F(ShellTest, RealSetup_StandInWritesItsKeyAndTheRestoreShowsInstalled)
{
    // The set-up program lies on the medium, in a folder of its own, where the launcher looks
    // for it.
    const CTempDir medium(m_dir.Path());
    medium.MakeFolder("apps");
    const std::string strFolder = medium.MakeFolder("apps\\real");
    ASSERT_TRUE(CopyFileA(KORVELT_STANDIN_SETUP, (strFolder + "\\setup.exe").c_str(), FALSE));
    const std::string strKey = TestKey("Real");
    WriteCatalog({{{{"m_strTitle", "Real"},
                    {"m_strSetupDir", "\\" + medium.Path().filename().string() + "\\apps\\real"},
                    {"m_strSetupCommand", "setup.exe /key " + strKey},
                    {"m_strCheckKey", strKey}},
                   {{"m_bCanUninstall", 1}}}});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    EXPECT_EQ(ButtonStates(View()), "1/0/0");
    {
        CModalWatcher watcher;
        Click(View(), IDC_SETUP);
        EXPECT_TRUE(watcher.Seen().empty());
    }
    EXPECT_TRUE(IsIconic(Frame()));
    // A Windows process start is slow under emulation.
    EXPECT_TRUE(PumpUntil([&] { return KeyExists(HKEY_LOCAL_MACHINE, strKey); }, 150000));
    ShowWindow(Frame(), SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return ItemText(hList, 0, 2) == "Installed"; }));
    EXPECT_EQ(ButtonStates(View()), "0/1/0");

    // The stand-in set-up may still be ending; its file cannot go with the folder before, and
    // goes once it can.
    const std::string strProgram = strFolder + "\\setup.exe";
    EXPECT_TRUE(PumpUntil([&] { return DeleteFileA(strProgram.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; }));
}

// Each set-up is followed to its end: the window comes back by itself (not before a copy that the
// set-up handed over to has ended, but while a program that a finished set-up started still
// runs), re-checks the row and says in one box what the exit code said, or nothing for a plain
// success or a cancel. As Windows 95/98 only the rows whose following differs there, or that read
// the exit code there: what a code means is the same on every Windows, and each start of the
// 32-bit stand-in costs a minute where that runs under emulation.
TEST_F(ShellSetupTest, FollowedSetup_ComesBackByItselfAndSaysHowItEnded)
{
    struct CEnd
    {
        const char* pszName;
        const char* pszArguments;  // after "/key KEY" where the set-up writes its key
        bool bWritesKey;
        const char* pszBox;        // the box's message; null for none
        bool bAsWindows9x;         // run again as Windows 95/98
    };
    static const CEnd kEnds[] = {
        {"Success", "", true, nullptr, true},
        {"EndsWellButWritesNothing", "/exit 0", false, "Ended, not found.", false},
        {"AsksForARestart", "/exit 3010", true, "Restart Windows.", false},
        {"Cancelled", "/exit 1602", false, nullptr, false},
        {"AnotherInstallationRuns", "/exit 1618", false, "Another installation runs.", false},
        {"Fails", "/exit 1603", false, "Ended with code 1603 (0x00000643)", true},
        {"OwnCodeAfterAGoodRun", "/exit 7", true, nullptr, false},
        {"HandsOverToACopy", "/delay 3000 /relaunch", true, nullptr, true},
        {"LeavesAProgramRunning", "/leave", true, nullptr, false},
    };
    const CTempDir medium(m_dir.Path());
    medium.MakeFolder("apps");
    const std::string strFolder = medium.MakeFolder("apps\\real");
    ASSERT_TRUE(CopyFileA(KORVELT_STANDIN_SETUP, (strFolder + "\\setup.exe").c_str(), FALSE));
    std::vector<SEntry> entries;
    for (const CEnd& end : kEnds)
    {
        const std::string strKey = TestKey(end.pszName);
        const std::string strKeyArgument = end.bWritesKey ? "/key " + strKey + " " : std::string();
        entries.push_back({{{"m_strTitle", end.pszName},
                            {"m_strSetupDir", "\\" + medium.Path().filename().string() + "\\apps\\real"},
                            {"m_strSetupCommand", "setup.exe " + strKeyArgument + end.pszArguments},
                            {"m_strCheckKey", strKey}},
                           {}});
    }
    WriteCatalog(entries);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    // Windows 95/98 and NT 4.0 have no jobs: there the first process alone is followed, and a
    // set-up that hands over to a copy of itself reads as one that ended without its work.
    const bool bFollowsCopies = RunningWindows().IsNT5OrLater();
    int nRefreshes = 1;
    for (int nRow = 0; nRow < static_cast<int>(std::size(kEnds)); ++nRow)
    {
        CEnd end = kEnds[nRow];
        if (RunningWindows().m_bWindows9x && !end.bAsWindows9x)
            continue;
        SCOPED_TRACE(end.pszName);
        if (!bFollowsCopies && std::strstr(end.pszArguments, "/relaunch") != nullptr)
        {
            end.bWritesKey = false;
            end.pszBox = "Ended, not found.";
        }
        SelectRow(hList, nRow);
        CModalWatcher watcher;
        Click(View(), IDC_SETUP);
        EXPECT_TRUE(IsIconic(Frame()));
        // A Windows process start is slow under emulation.
        ASSERT_TRUE(PumpUntil([&] { return !IsIconic(Frame()); }, 150000));
        // Never before the set-up has done its work.
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, TestKey(end.pszName)), end.bWritesKey);
        ASSERT_TRUE(WaitForRefresh(++nRefreshes));
        PumpPending();
        EXPECT_EQ(ItemText(hList, nRow, 2), end.bWritesKey ? "Installed" : "");
        if (end.pszBox != nullptr)
            EXPECT_TRUE(watcher.SawOneBox(m_pApp->GetAppName(), std::string(end.pszBox)));
        else
            EXPECT_TRUE(watcher.Seen().empty());
    }
}

// An administrator's line with the window: it works through the named rows by itself, each
// followed to its end, then closes with the run's code. Passive: silent forms, the row's status
// says what is under way, no notices, no boxes. Without /passive: as clicks, notices and boxes.
// Not again as Windows 95/98: the following there is the table's above, and each start of the
// 32-bit stand-in costs a minute where that runs under emulation.
TEST_F(ShellTest, UnattendedWithTheWindow_WorksThroughTheRowsAndCloses)
{
    const struct
    {
        const char* pszName;
        std::vector<std::string> args;
        std::vector<std::string> seen;  // the captions of the dialogs and boxes, in order (APP: the program's)
        bool bStatusShown;              // "Setting up" stood in a row's status meanwhile
    } kModes[] = {
        {"Passive", {"/install:two,one", "/passive", "/NOZOOMOUT"}, {}, true},
        {"AsClicks", {"/install:one,two"}, {"Before set-up", "Before set-up", "APP"}, false},
    };
    const CTempDir medium(m_dir.Path());
    medium.MakeFolder("apps");
    const std::string strFolder = medium.MakeFolder("apps\\real");
    ASSERT_TRUE(CopyFileA(KORVELT_STANDIN_SETUP, (strFolder + "\\setup.exe").c_str(), FALSE));
    const std::string strDir = "\\" + medium.Path().filename().string() + "\\apps\\real";
    // The stand-in's kind is no known one: its silent form comes from the medium.
    const auto setup = [&](const char* pszName, const char* pszMore) {
        return "setup.exe /key " + TestKey(pszName) + " /delay 1500" + pszMore;
    };
    WriteCatalog({{{{"m_strFileName", "one.app"}, {"m_strTitle", "One"}, {"m_strSetupDir", strDir},
                    {"m_strSetupCommand", setup("One", "")}, {"m_strCheckKey", TestKey("One")},
                    {"m_strInstallNotice", "One."}},
                   {}},
                  {{{"m_strFileName", "two.app"}, {"m_strTitle", "Two"}, {"m_strSetupDir", strDir},
                    {"m_strSetupCommand", setup("Two", " /exit 3010")}, {"m_strCheckKey", TestKey("Two")},
                    {"m_strInstallNotice", "Two."}},
                   {}}});
    m_dir.Write("korvelt/unattend.ini", "[one]\r\nsetup=" + setup("One", "") + "\r\n[two]\r\nsetup=" +
                                            setup("Two", " /exit 3010") + "\r\n");
    for (const auto& mode : kModes)
    {
        SCOPED_TRACE(mode.pszName);
        m_pApp = std::make_unique<CKorveltApp>();
        m_pApp->m_strProfileName = m_dir.File("korvelt.ini");
        m_pApp->SetArguments(mode.args);
        m_bQuitPosted = false;
        CModalWatcher watcher;
        ASSERT_TRUE(Start());
        HWND hList = GetDlgItem(View(), IDC_APPLIST);
        bool bStatusShown = false;
        // A Windows process start is slow under emulation.
        EXPECT_TRUE(PumpUntil(
            [&] {
                if (IsWindow(hList) && (ItemText(hList, 0, 2) == "Setting up" || ItemText(hList, 1, 2) == "Setting up"))
                    bStatusShown = true;
                return m_bQuitPosted;
            },
            300000));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, TestKey("One")));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, TestKey("Two")));
        EXPECT_EQ(bStatusShown, mode.bStatusShown);
        std::vector<std::string> seen;
        for (const CModalWatcher::CSeen& box : watcher.Seen())
            seen.push_back(box.strCaption == m_pApp->GetAppName() ? "APP" : box.strCaption);
        EXPECT_EQ(seen, mode.seen);
        // The stand-in of "two" asked for a restart.
        EXPECT_EQ(m_pApp->ExitInstance(), 3010);
        m_pApp.reset();
        PumpPending();
        for (const char* pszName : {"One", "Two"})
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, TestKey(pszName).c_str());
    }
}

// As clicks, a set-up that does not start fails its step, though an entry that is always set up
// reads as done before and after: the box says so, nothing is copied, the run ends with 1603.
TEST_F(ShellTest, UnattendedWithTheWindow_ASetupThatDoesNotStartFails)
{
    const CTempDir medium(m_dir.Path());
    medium.MakeFolder("apps");
    const std::string strTarget = medium.MakeFolder("target");
    medium.Write("apps\\extra.txt", "from the medium");
    WriteCatalog({{{{"m_strFileName", "gone.app"}, {"m_strTitle", "Gone"},
                    {"m_strSetupDir", "\\" + medium.Path().filename().string() + "\\apps"},
                    {"m_strSetupCommand", "missing.exe"},
                    {"m_strPostInstallCopyList", "\\" + medium.Path().filename().string() + "\\apps\\extra.txt>" + strTarget}},
                   {{"m_bAlwaysInstall", 1}, {"m_bPostInstallCopy", 1}}}});
    m_pApp->SetArguments({"/install:gone"});
    CModalWatcher watcher;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(PumpUntil([&] { return m_bQuitPosted; }));
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].strCaption, "ERROR");
    EXPECT_EQ(GetFileAttributesA((strTarget + "\\extra.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(m_pApp->ExitInstance(), 1603);
}

TEST_F(ShellTextTest, UninstallWithMissingProgram_ShowsTheNoticeThenReports)
{
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("Gone")));
    WriteCatalog({{{{"m_strTitle", "Gone"},
                    {"m_strCheckKey", TestKey("Gone")},
                    {"m_strUninstallCommand", "%DIRECT_FROM_CD%=\\no\\such\\remove.exe /q  "},
                    {"m_strUninstallNotice", "Removing.\r\nReally."}},
                   {{"m_bCanUninstall", 1}, {"m_nUninstallType", 1}}}});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hView = View();
    ASSERT_EQ(ButtonStates(hView), "0/1/0");
    {
        CModalWatcher watcher;
        Click(hView, IDC_UNINSTALL);
        ASSERT_EQ(watcher.Seen().size(), 2u);
        const CModalWatcher::CSeen& notice = watcher.Seen()[0];
        EXPECT_EQ(notice.strCaption, "Before removal");
        std::string strPadded = "Removing.\r\nReally.";
        for (int i = 0; i < 15; ++i)
            strPadded += "\r\n";
        EXPECT_EQ(notice.texts.at(IDC_UNINSTALL_NOTICE_EDIT), strPadded);
        const CModalWatcher::CSeen& error = watcher.Seen()[1];
        EXPECT_EQ(error.strCaption, "ERROR");
        ASSERT_FALSE(error.statics.empty());
        EXPECT_EQ(error.statics.back(), "Removal did not start.");
    }
    // The frame was asked to minimise, and does so once the click is over.
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(Frame()) != FALSE; }));
    EXPECT_EQ(PostedToView(WM_REFRESH_STATE), 1);
}

TEST_F(ShellTest, KeyboardAndDoubleClick_RunTheRowsActionRefreshAndMove)
{
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("Installed")));
    WriteCatalog({
        {{{"m_strTitle", "Fresh"}, {"m_strSetupCommand", "no-such-setup.exe"}, {"m_strCheckKey", TestKey("Absent")}},
         {}},
        {{{"m_strTitle", "Installed"}, {"m_strCheckKey", TestKey("Installed")}, {"m_strUninstallCommand", "%DIRECT_FROM_CD%=\\no-such-remover.exe"}},
         {{"m_bCanUninstall", 1}, {"m_nUninstallType", 1}}},
        {{{"m_strTitle", "Fixed"}, {"m_strCheckKey", TestKey("Installed")}}, {}},
        {{{"m_strTitle", "Later"}, {"m_strCheckKey", TestKey("Later")}}, {}},
    });
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hView = View();
    HWND hList = GetDlgItem(hView, IDC_APPLIST);
    SetForegroundWindow(Frame());
    SetFocus(hList);
    ASSERT_EQ(GetFocus(), hList);

    // What Enter, a double-click on the row and the buttons' mnemonics start, row by row: the
    // last line of the error box that the missing program brings, or nothing.
    const struct
    {
        int nRow;
        std::function<void()> act;
        const char* pszBox;
    } cases[] = {
        {0, [&] { PressKey(*m_pApp, WM_KEYDOWN, VK_RETURN); }, "Set-up did not start."},
        {1, [&] { PressKey(*m_pApp, WM_KEYDOWN, VK_RETURN); }, "Removal did not start."},
        {2, [&] { PressKey(*m_pApp, WM_KEYDOWN, VK_RETURN); }, nullptr},
        {1, [&] { NMITEMACTIVATE nm{}; nm.hdr = {hList, IDC_APPLIST, static_cast<UINT>(NM_DBLCLK)}; nm.iItem = 1;
                  SendMessageA(hView, WM_NOTIFY, IDC_APPLIST, reinterpret_cast<LPARAM>(&nm)); }, "Removal did not start."},
        {0, [&] { NMITEMACTIVATE nm{}; nm.hdr = {hList, IDC_APPLIST, static_cast<UINT>(NM_DBLCLK)}; nm.iItem = -1;
                  SendMessageA(hView, WM_NOTIFY, IDC_APPLIST, reinterpret_cast<LPARAM>(&nm)); }, nullptr},
        {1, [&] { PressKey(*m_pApp, WM_SYSCHAR, 'u'); }, "Removal did not start."},
        {0, [&] { PressKey(*m_pApp, WM_SYSCHAR, 'u'); }, nullptr},
        {0, [&] { PressKey(*m_pApp, WM_SYSCHAR, 'i'); }, "Set-up did not start."},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nRow);
        ShowWindow(Frame(), SW_RESTORE);
        PumpPending();
        SelectRow(hList, c.nRow);
        SetFocus(hList);
        CModalWatcher watcher;
        c.act();
        // The minimisation that a removal asks for is posted.
        PumpPending();
        if (c.pszBox == nullptr)
        {
            EXPECT_TRUE(watcher.Seen().empty());
            continue;
        }
        EXPECT_TRUE(watcher.SawOneBox("ERROR", c.pszBox));
    }

    // F5 re-checks every entry, as the refresh after a restore does.
    ShowWindow(Frame(), SW_RESTORE);
    PumpPending();
    SetFocus(hList);
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, TestKey("Later")));
    EXPECT_EQ(ItemText(hList, 3, 2), "");
    PressKey(*m_pApp, WM_KEYDOWN, VK_F5);
    EXPECT_EQ(ItemText(hList, 3, 2), "Installed");

    // Tab goes from the list to the first enabled button, Shift+Tab back.
    SelectRow(hList, 1);
    SetFocus(hList);
    PressKey(*m_pApp, WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(hView, IDC_UNINSTALL));
    PressKey(*m_pApp, WM_KEYDOWN, VK_TAB, 0x80);
    EXPECT_EQ(GetFocus(), hList);
}

// The sample medium's catalogue and message file, on a machine where none of its applications
// was installed; whatever a test or a set-up it ran leaves behind is removed after the test. The
// medium's set-ups lie in apps\ beside the test program, the top of its medium.
class SampleMediumTest : public ShellTest
{
protected:
    static constexpr wchar_t kSamples[] = L"Software\\Korvelt\\Samples";
    static constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

    void SetUp() override
    {
        ShellTest::SetUp();
        wchar_t szPrograms[MAX_PATH] = {};
        ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, szPrograms), S_OK);
        m_shortcutFolder = std::filesystem::path(szPrograms) / L"Korvelt";
        wchar_t szLocal[MAX_PATH] = {};
        ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szLocal), S_OK);
        m_userSamples = std::filesystem::path(szLocal) / L"Programs" / L"Korvelt Samples";
        RemoveSampleState();
        const std::filesystem::path medium = std::filesystem::path(KORVELT_SOURCE_DIR) / "examples" / "medium";
        std::filesystem::remove_all(m_dir.Path() / "korvelt");
        std::filesystem::copy(medium, m_dir.Path(), std::filesystem::copy_options::overwrite_existing |
                                                        std::filesystem::copy_options::recursive);
        // The set-ups that the build made lie beside the test program; on the medium, they lie
        // below its top.
        wchar_t szModule[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, szModule, MAX_PATH);
        std::filesystem::copy(std::filesystem::path(szModule).parent_path() / "apps", m_dir.Path() / "apps",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    }
    void TearDown() override
    {
        RemoveSampleState();
        ShellTest::TearDown();
    }

    static void SetSampleKey(HKEY hRoot, const std::wstring& strKey, REGSAM nView, const std::wstring& strUninstall)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyExW(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | nView, nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        CScopedRegKey key(hKey);
        if (!strUninstall.empty())
            RegSetValueExW(hKey, L"UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(strUninstall.c_str()),
                           static_cast<DWORD>((strUninstall.size() + 1) * sizeof(wchar_t)));
    }
    static bool KeyInView(HKEY hRoot, REGSAM nView, const std::wstring& strKey)
    {
        HKEY hKey = nullptr;
        const LONG nResult = RegOpenKeyExW(hRoot, strKey.c_str(), 0, KEY_READ | nView, &hKey);
        CScopedRegKey key(hKey);
        return nResult == ERROR_SUCCESS;
    }
    void RemoveSampleState()
    {
        for (const wchar_t* pszEntry : {L"KorveltMemo", L"KorveltKakeibo", L"KorveltViewer"})
        {
            const std::wstring strKey = std::wstring(kUninstall) + L"\\" + pszEntry;
            for (REGSAM nView : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
                RegDeleteKeyExW(HKEY_LOCAL_MACHINE, strKey.c_str(), nView, 0);
            RegDeleteKeyW(HKEY_CURRENT_USER, strKey.c_str());
        }
        SHDeleteKeyW(HKEY_CURRENT_USER, kSamples);
        SHDeleteKeyW(HKEY_LOCAL_MACHINE, kSamples);
        for (const wchar_t* pszKey : {L"Software\\Korvelt\\Samples\\Memo", L"Software\\Korvelt\\Samples\\Kakeibo\\2.0",
                                      L"Software\\Korvelt\\Samples\\Kakeibo", L"Software\\Korvelt\\Samples"})
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, pszKey, KEY_WOW64_64KEY, 0);
        std::error_code error;
        for (const std::filesystem::path& folder : {m_shortcutFolder, m_userSamples})
        {
            if (!folder.empty())
                std::filesystem::remove_all(folder, error);
        }
        // A 32-bit program's Program Files is the 32-bit one; the 64-bit one is named apart.
        wchar_t szProgramFiles64[MAX_PATH] = {};
        if (GetEnvironmentVariableW(L"ProgramW6432", szProgramFiles64, MAX_PATH) > 0)
            std::filesystem::remove_all(std::filesystem::path(szProgramFiles64) / L"Korvelt Samples", error);
    }

    std::filesystem::path m_shortcutFolder;
    std::filesystem::path m_userSamples;
};

// The sample medium's real set-ups, started from the window as a user starts them: the household
// book's, which registers in the 64-bit view, and the viewer's, which installs for the current
// user alone. Both are removed through their uninstall entries, whose uninstallers start a copy of
// themselves in the temporary folder and end at once: only the keys tell when they are done.
TEST_F(SampleMediumTest, RealSetups_InstallAndRemoveThroughTheWindow)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    const std::string strInstalled = LoadMessage(MSG_STATUS_INSTALLED);
    ASSERT_FALSE(strInstalled.empty());
    const struct
    {
        int nRow;
        HKEY hRoot;
        REGSAM nView;
        const wchar_t* pszKey;
    } kSetups[] = {
        {2, HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, L"Software\\Korvelt\\Samples\\Kakeibo\\2.0"},
        {1, HKEY_CURRENT_USER, 0, L"Software\\Korvelt\\Samples\\Viewer"},
    };
    for (const auto& setup : kSetups)
    {
        for (const bool bSetup : {true, false})
        {
            SCOPED_TRACE(std::to_string(setup.nRow) + (bSetup ? " set-up" : " removal"));
            SelectRow(hList, setup.nRow);
            ASSERT_EQ(ItemText(hList, setup.nRow, 2), bSetup ? "" : strInstalled);
            ASSERT_EQ(ButtonStates(View()), bSetup ? "1/0/1" : "0/1/1");
            {
                CModalWatcher watcher;
                Click(View(), bSetup ? IDC_SETUP : IDC_UNINSTALL);
                // The notice, and no error box.
                ASSERT_EQ(watcher.Seen().size(), 1u);
            }
            // The window comes back by itself once the set-up, or the uninstaller and the copy of
            // it that runs from the temporary folder, have ended: never before their work is
            // done, and with no box. Each 32-bit start is slow under emulation, and a removal
            // takes two.
            CModalWatcher watcher;
            ASSERT_TRUE(PumpUntil([&] { return IsIconic(Frame()) != FALSE; }));
            ASSERT_TRUE(PumpUntil([&] { return !IsIconic(Frame()); }, 400000));
            EXPECT_EQ(KeyInView(setup.hRoot, setup.nView, setup.pszKey), bSetup);
            EXPECT_TRUE(PumpUntil([&] { return ItemText(hList, setup.nRow, 2) == (bSetup ? strInstalled : ""); }));
            EXPECT_EQ(ButtonStates(View()), bSetup ? "0/1/1" : "1/0/1");
            EXPECT_TRUE(watcher.Seen().empty());
        }
    }
    // The last uninstaller may still be clearing the places the samples share; it is done when
    // its folder and its key of them are gone.
    EXPECT_TRUE(PumpUntil([&] {
        std::error_code error;
        return !KeyInView(HKEY_CURRENT_USER, 0, kSamples) && !std::filesystem::exists(m_userSamples, error);
    }));
}

// The sample medium as a user has it installed: its memo in the 64-bit view, its viewer's
// shortcut in the user's own Programs folder and its household book's previous release in the
// current user's keys.
class StatusCommandTest : public SampleMediumTest
{
protected:
    void SetUp() override
    {
        SampleMediumTest::SetUp();
        SetSampleKey(HKEY_LOCAL_MACHINE, std::wstring(kSamples) + L"\\Memo", KEY_WOW64_64KEY, L"");
        SetSampleKey(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\KorveltMemo", KEY_WOW64_64KEY,
                     L"\"C:\\Korvelt\\Memo\\uninstall.exe\"");
        SetSampleKey(HKEY_CURRENT_USER, std::wstring(kSamples) + L"\\Kakeibo\\1.0", 0,
                     L"C:\\Korvelt\\Kakeibo\\uninst10.exe");
        std::filesystem::create_directories(m_shortcutFolder);
        std::ofstream(m_shortcutFolder / L"\u753B\u50CF\u30D3\u30E5\u30FC\u30A2.lnk") << "link";  // 画像ビューア
    }

    // Runs the authoring tool's `status --json` on the test's folder and reads its answer.
    nlohmann::json RunStatus()
    {
        const std::wstring strOut = (m_dir.Path() / "status.json").wstring();
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        CScopedKernelHandle out(CreateFileW(strOut.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                                           CREATE_ALWAYS, 0, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.Get();
        startup.hStdError = out.Get();
        std::wstring strLine = L"\"" + std::filesystem::path(KORVELT_CATALOG_TOOL).wstring() + L"\" status --json \"" +
                               m_dir.Path().wstring() + L"\"";
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, &strLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
            return nullptr;
        CScopedKernelHandle hProcess(process.hProcess);
        CScopedKernelHandle hThread(process.hThread);
        // A Windows process start is slow under emulation.
        WaitForSingleObject(hProcess.Get(), 150000);
        out.Reset();
        std::ifstream in(std::filesystem::path(strOut), std::ios::binary);
        return nlohmann::json::parse(in, nullptr, false);
    }
};

namespace
{
std::string Cp932FromUtf8(const std::string& strUtf8)
{
    return CodePageFromWideLossy(kCodePage932, WideFromCodePageLossy(CP_UTF8, strUtf8));
}
} // namespace

TEST_F(StatusCommandTest, StatusOfTheSampleMedium_IsWhatTheWindowShows)
{
    const nlohmann::json status = RunStatus();
    ASSERT_TRUE(status.is_object()) << status.dump();
    EXPECT_EQ(status["reported"], nlohmann::json::array());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    const nlohmann::json& entries = status["entries"];
    ASSERT_EQ(RowCount(hList), 4);
    ASSERT_EQ(entries.size(), 4u);
    for (int nRow = 0; nRow < 4; ++nRow)
    {
        const nlohmann::json& entry = entries[nRow];
        SelectRow(hList, nRow);
        EXPECT_EQ(ItemText(hList, nRow, 0), Cp932FromUtf8(entry["title"].get<std::string>()));
        const std::string strStatus = entry["status"].is_null() ? "" : entry["status"]["text"].get<std::string>();
        EXPECT_EQ(ItemText(hList, nRow, 2), Cp932FromUtf8(strStatus)) << nRow;
        const nlohmann::json& buttons = entry["buttons"];
        const std::string strButtons = std::string(buttons["setup"].get<bool>() ? "1" : "0") + "/" +
                                       (buttons["uninstall"].get<bool>() ? "1" : "0") + "/" +
                                       (buttons["textFile"].get<bool>() ? "1" : "0");
        EXPECT_EQ(ButtonStates(View()), strButtons) << nRow;
    }

    // Each kind of answer is there, with what decided it.
    const struct
    {
        const char* pszPointer;
        nlohmann::json expected;
    } kAnswers[] = {
        {"/0/status/message", 14},
        {"/0/checks/installed/2/view", "64-bit"},
        {"/0/checks/installed/2/exists", true},
        {"/0/removal/commandLine", "\"C:\\Korvelt\\Memo\\uninstall.exe\""},
        {"/0/removal/from/uninstallString/2/root", "HKEY_LOCAL_MACHINE"},
        {"/0/removal/from/uninstallString/2/view", "64-bit"},
        {"/1/status/message", 14},
        {"/1/checks/installed/3/startMenu", "user's Programs"},
        {"/1/checks/installed/3/exists", true},
        {"/2/status/message", 15},
        {"/2/checks/previousRelease/0/older", true},
        {"/2/checks/previousRelease/4/root", "HKEY_CURRENT_USER"},
        {"/2/checks/previousRelease/4/exists", true},
        {"/2/removal/release", "previous"},
        {"/2/removal/commandLine", "C:\\Korvelt\\Kakeibo\\uninst10.exe"},
        {"/3/status", nullptr},
        {"/3/removal", nullptr},
    };
    for (const auto& answer : kAnswers)
        EXPECT_EQ(entries[nlohmann::json::json_pointer(answer.pszPointer)], answer.expected) << answer.pszPointer;
}
