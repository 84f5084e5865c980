// The text dialogs and the framework's dialog behaviour: texts from the message file, the text
// in the read-only edit control, white backgrounds, data exchange, and the stock report of an
// exception thrown inside a handler.
#include "tests/app/ModalWatcher.h"
#include "tests/app/ShellFixture.h"

#include "res/resource.h"
#include "tests/support/System932.h"
#include "view/win32/InstallNoticeDlg.h"
#include "view/win32/TextViewDlg.h"
#include "view/win32/UninstallNoticeDlg.h"
#include "win/User932.h"

#include <commctrl.h>

#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace
{
// What a read-only edit control gets when it asks its dialog for colours.
struct CColours
{
    HBRUSH hBrush = nullptr;
    COLORREF crBack = 0;
};

CColours AskForStaticColours(HWND hDialog, int nEditID)
{
    CColours colours;
    HDC hDC = CreateCompatibleDC(nullptr);
    colours.hBrush = reinterpret_cast<HBRUSH>(SendMessageA(hDialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                                           reinterpret_cast<LPARAM>(GetDlgItem(hDialog, nEditID))));
    colours.crBack = GetBkColor(hDC);
    DeleteDC(hDC);
    return colours;
}

// As code page 932, whatever the system's code page.
std::string FontFace(HWND hWnd)
{
    return GetFontFace932(reinterpret_cast<HFONT>(SendMessage932(hWnd, WM_GETFONT, 0, 0)));
}

template <class TDialog>
void ExpectTextDialog(TDialog& dlg, int nEditID, const char* pszTitle)
{
    CColours colours;
    LONG nEditStyle = 0;
    std::string strFace;
    CModalWatcher watcher(IDOK, [&](HWND hDialog) {
        colours = AskForStaticColours(hDialog, nEditID);
        nEditStyle = GetWindowLongA(GetDlgItem(hDialog, nEditID), GWL_STYLE);
        strFace = FontFace(hDialog);
    });
    const std::string strText = dlg.m_strText;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(watcher.SawOneBox(pszTitle));
    const CModalWatcher::CSeen& seen = watcher.Seen()[0];
    EXPECT_EQ(seen.texts.at(IDOK), "OK!");
    EXPECT_EQ(seen.texts.at(nEditID), strText);
    EXPECT_NE(nEditStyle & ES_READONLY, 0);
    EXPECT_NE(nEditStyle & ES_MULTILINE, 0);
    EXPECT_EQ(colours.hBrush, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(colours.crBack, RGB(255, 255, 255));
    // "ＭＳ Ｐゴシック"
    EXPECT_EQ(strFace, "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
    // OK reads the control back into the member.
    EXPECT_EQ(dlg.m_strText, strText);
}

// The character set that a control's font is realised in: what decides whether a font with the
// Japanese glyphs is chosen for it.
int RealisedCharset(HWND hControl)
{
    HDC hDC = GetDC(hControl);
    const HGDIOBJ hOld = SelectObject(hDC, reinterpret_cast<HFONT>(SendMessage932(hControl, WM_GETFONT, 0, 0)));
    const int nCharset = GetTextCharset(hDC);
    SelectObject(hDC, hOld);
    ReleaseDC(hControl, hDC);
    return nCharset;
}

// A dialog whose initialisation fails with an exception.
class CFailingDlg : public CDialog
{
public:
    CFailingDlg() : CDialog(IDD_ABOUTBOX) {}

protected:
    bool OnInitDialog() override { throw std::runtime_error("Cannot read the catalogue"); }
};
}

TEST_F(ShellTextTest, TextViewer_ShowsTheFilePaddedTo14Lines)
{
    ASSERT_TRUE(Start());
    CTextViewDlg dlg;
    std::istringstream file("first line\nsecond line\n");
    dlg.LoadText(file);
    std::string strExpected = "first line\r\nsecond line\r\n";
    for (int i = 2; i < 14; ++i)
        strExpected += "\r\n";
    EXPECT_EQ(dlg.m_strText, strExpected);
    ExpectTextDialog(dlg, IDC_TEXTVIEW_EDIT, "Read me");
}

TEST_F(ShellTextTest, NoticeDialogs_ShowTheirTextsAndTitles)
{
    ASSERT_TRUE(Start());
    CInstallNoticeDlg install;
    install.m_strText = "Close other programs first.\r\n\r\n";
    ExpectTextDialog(install, IDC_INSTALL_NOTICE_EDIT, "Before set-up");

    CUninstallNoticeDlg uninstall;
    uninstall.m_strText = "Save your work.";
    ExpectTextDialog(uninstall, IDC_UNINSTALL_NOTICE_EDIT, "Before removal");
}

// The templates name fonts without Japanese glyphs; on a system of any code page the form's and
// the dialogs' controls still get a font of the Japanese character set.
TEST_F(ShellTextTest, FormAndDialogs_DrawTheirControlsInTheJapaneseCharacterSet)
{
    ASSERT_TRUE(Start());
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    for (HWND hControl : {hList, reinterpret_cast<HWND>(SendMessage932(hList, LVM_GETHEADER, 0, 0)),
                          GetDlgItem(View(), IDC_SETUP), GetDlgItem(View(), IDC_UNINSTALL),
                          GetDlgItem(View(), IDC_TEXTFILE)})
        EXPECT_EQ(RealisedCharset(hControl), SHIFTJIS_CHARSET) << GetDlgCtrlID(hControl);

    // The About box's "MS Sans Serif" and the viewer's Japanese face alike.
    std::vector<std::pair<int, int>> charsets;
    CModalWatcher watcher(IDOK, [&](HWND hDialog) {
        // The icon draws no text and keeps no font.
        for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT))
        {
            if (SendMessage932(hChild, WM_GETFONT, 0, 0) != 0)
                charsets.emplace_back(GetDlgCtrlID(hChild), RealisedCharset(hChild));
        }
    });
    SendMessage932(Frame(), WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), 0);
    CTextViewDlg viewer;
    viewer.DoModal();
    ASSERT_EQ(watcher.Seen().size(), 2u);
    EXPECT_EQ(charsets.size(), 5u);
    for (const auto& [nID, nCharset] : charsets)
        EXPECT_EQ(nCharset, SHIFTJIS_CHARSET) << nID;
}

TEST_F(ShellTest, DialogsWithoutParent_AreOwnedByTheMainWindowAndCentredOverIt)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForRefresh(1));
    RECT rcDialog{};
    CModalWatcher watcher(IDOK, [&](HWND hDialog) { GetWindowRect(hDialog, &rcDialog); });
    CInstallNoticeDlg dlg;
    dlg.DoModal();
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].hOwner, Frame());
    const RECT rcFrame = FrameRect();
    EXPECT_NEAR((rcDialog.left + rcDialog.right) / 2, (rcFrame.left + rcFrame.right) / 2, 1);
    EXPECT_NEAR((rcDialog.top + rcDialog.bottom) / 2, (rcFrame.top + rcFrame.bottom) / 2, 1);
}

TEST_F(ShellTextTest, ExceptionInAHandler_IsReportedWithTheStockBox)
{
    ASSERT_TRUE(Start());
    CModalWatcher watcher;
    CFailingDlg dlg;
    dlg.DoModal();
    ASSERT_GE(watcher.Seen().size(), 1u);
    const CModalWatcher::CSeen& box = watcher.Seen()[0];
    EXPECT_EQ(box.strCaption, m_pApp->GetAppName());
    EXPECT_NE(std::find(box.statics.begin(), box.statics.end(), "Cannot read the catalogue"), box.statics.end());
    EXPECT_TRUE(box.bShowsIcon);
}
