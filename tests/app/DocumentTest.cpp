// The contentless document: New reuses it, Open and Save name it (and the caption follows),
// and the recent-file list of the private profile survives a run.
#include "tests/app/ModalWatcher.h"
#include "tests/app/ShellFixture.h"

#include "app/MainFrame.h"
#include "fw/Document.h"
#include "fw/FrameWnd.h"
#include "fw/SingleDocTemplate.h"
#include "res/resource.h"
#include "tests/support/System932.h"
#include "view/win32/KorveltDoc.h"
#include "win/Kernel932.h"

#include <commctrl.h>

#include <fstream>
#include <optional>

namespace
{
// As code page 932, whatever the system's code page.
std::string ReadProfile(const std::string& strFile, const char* pszSection, const char* pszKey)
{
    return ReadProfile932(strFile, pszSection, pszKey, "<none>");
}
}

TEST_F(ShellTextTest, NewCommand_ReusesTheDocumentAndRebuildsTheView)
{
    ASSERT_TRUE(Start());
    CSingleDocTemplate* pTemplate = m_pApp->GetDocTemplate();
    CDocument* pDocument = pTemplate->GetDocument();
    HWND hFrame = Frame();
    SendMessageA(hFrame, WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
    EXPECT_EQ(pTemplate->GetDocument(), pDocument);
    EXPECT_EQ(Frame(), hFrame);
    EXPECT_EQ(pDocument->GetTitle(), "Korvelt");
    EXPECT_EQ(WindowText(hFrame), "Korvelt - Dravemont");
    HWND hList = GetDlgItem(View(), IDC_APPLIST);
    HWND hHeader = reinterpret_cast<HWND>(SendMessageA(hList, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(GetMenuItemCount(GetMenu(hFrame)), 3);
}

TEST_F(ShellTextTest, OpenAndSave_NameTheDocumentAndWriteAnEmptyFile)
{
    ASSERT_TRUE(Start());
    const std::string strOpened = m_dir.Write("list.dat", "anything");
    CSingleDocTemplate* pTemplate = m_pApp->GetDocTemplate();
    CDocument* pDocument = pTemplate->OpenDocumentFile(strOpened.c_str());
    ASSERT_NE(pDocument, nullptr);
    EXPECT_EQ(WindowText(Frame()), pDocument->GetTitle() + " - Dravemont");
    EXPECT_EQ(pDocument->GetTitle().rfind("list", 0), 0u);
    EXPECT_TRUE(CRecentFileList::SamePath(m_pApp->GetRecentFileList().GetNames().at(0), strOpened));

    const std::string strSaved = m_dir.File("saved.dat");
    ASSERT_TRUE(pDocument->DoSave(strSaved));
    EXPECT_EQ(ReadFile932(strSaved), std::optional<std::string>(""));
    EXPECT_EQ(pDocument->GetTitle().rfind("saved", 0), 0u);
    EXPECT_TRUE(CRecentFileList::SamePath(m_pApp->GetRecentFileList().GetNames().at(0), strSaved));
    // Opening read nothing and saving left the opened file alone.
    std::ifstream in(strOpened, std::ios::binary);
    std::string strContent((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(strContent, "anything");
}

TEST_F(ShellTest, OpenMissingFile_ReportsAndKeepsTheDocument)
{
    ASSERT_TRUE(Start());
    CDocument* pDocument = m_pApp->GetDocTemplate()->GetDocument();
    CModalWatcher watcher;
    EXPECT_EQ(m_pApp->GetDocTemplate()->OpenDocumentFile(m_dir.File("missing.dat").c_str()), nullptr);
    EXPECT_TRUE(watcher.SawOneBox(m_pApp->GetAppName()));
    EXPECT_EQ(pDocument->GetTitle(), "Korvelt");
    EXPECT_TRUE(IsWindow(Frame()));
}

TEST_F(ShellTextTest, RecentFileList_IsReadAtStartAndWrittenAtExit)
{
    const std::string strProfile = m_pApp->m_strProfileName;
    const char* pszSection = "Recent File List";
    WritePrivateProfileStringA(pszSection, "File1", "C:\\one.dat", strProfile.c_str());
    WritePrivateProfileStringA(pszSection, "File2", "C:\\two.dat", strProfile.c_str());
    WritePrivateProfileStringA(pszSection, "File3", "C:\\three.dat", strProfile.c_str());
    WritePrivateProfileStringA(pszSection, "File4", "C:\\four.dat", strProfile.c_str());
    WritePrivateProfileStringA(pszSection, "File5", "C:\\five.dat", strProfile.c_str());
    WritePrivateProfileStringA("Settings", "PreviewPages", "3", strProfile.c_str());

    ASSERT_TRUE(Start());
    EXPECT_EQ(m_pApp->GetRecentFileList().GetNames(),
              (std::vector<std::string>{"C:\\one.dat", "C:\\two.dat", "C:\\three.dat", "C:\\four.dat"}));
    const std::string strOpened = m_dir.Write("new.dat", "");
    ASSERT_NE(m_pApp->GetDocTemplate()->OpenDocumentFile(strOpened.c_str()), nullptr);
    m_pApp->ExitInstance();

    EXPECT_TRUE(CRecentFileList::SamePath(ReadProfile(strProfile, "Recent File List", "File1"), strOpened));
    EXPECT_EQ(ReadProfile(strProfile, "Recent File List", "File2"), "C:\\one.dat");
    EXPECT_EQ(ReadProfile(strProfile, "Recent File List", "File4"), "C:\\three.dat");
    EXPECT_EQ(ReadProfile(strProfile, "Recent File List", "File5"), "<none>");
    EXPECT_EQ(ReadProfile(strProfile, "Settings", "PreviewPages"), "3");
}

TEST_F(ShellTextTest, JapaneseDocumentName_IsShownAndKeptForTheNextRun)
{
    // "資料.dat": opened, shown in the caption, and read back from the profile by the next run.
    const std::string strOpened = WriteNamed("\x8e\x91\x97\xbf.dat", "");
    const std::string strProfile = m_pApp->m_strProfileName;
    ASSERT_TRUE(Start());
    ASSERT_NE(m_pApp->GetDocTemplate()->OpenDocumentFile(strOpened.c_str()), nullptr);
    EXPECT_EQ(WindowText(Frame()).rfind("\x8e\x91\x97\xbf", 0), 0u);
    m_pApp->ExitInstance();

    m_pApp.reset();
    PumpPending();
    m_pApp = std::make_unique<CKorveltApp>();
    m_pApp->m_strProfileName = strProfile;
    ASSERT_TRUE(Start());
    ASSERT_FALSE(m_pApp->GetRecentFileList().GetNames().empty());
    EXPECT_TRUE(CRecentFileList::SamePath(m_pApp->GetRecentFileList().GetNames()[0], strOpened));
}

TEST_F(ShellTextTest, CommandLine_JapaneseArgumentArrivesInCodePage932)
{
    // ctest gives "/文書" after the flags. On a system of another code page the run-time's ANSI
    // arguments would have it as "/??".
    const std::vector<std::string> args = m_pApp->GetArguments();
    if (args.empty())
        GTEST_SKIP() << "started without the document name";
    EXPECT_EQ(args.back(), "/\x95\xb6\x8f\x91") << ::testing::PrintToString(args);
}

TEST_F(ShellTextTest, CatalogueEntryFileMissing_ReportsMessage94AndStillOpens)
{
    // The index names one entry whose file is not there.
    m_dir.Write("korvelt/appdb.dat", std::string("\x01\0\0\0\x08gone.app", 13));
    CModalWatcher watcher;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(watcher.SawOneBox(m_pApp->GetAppName(), "Catalogue unreadable."));
    EXPECT_TRUE(IsWindow(Frame()));
    EXPECT_EQ(SendMessageA(GetDlgItem(View(), IDC_APPLIST), LVM_GETITEMCOUNT, 0, 0), 0);
}

// An entry file whose first string claims far more bytes than it has, then (through New) one
// cut short: the reading error is reported, and the window still shows, with an empty list that
// nothing acts on.
TEST_F(ShellTest, CatalogueEntryFileBroken_ReportsTheErrorAndKeepsTheWindow)
{
    WriteCatalog({{{{"m_strTitle", "Good"}, {"m_strSetupCommand", "no-such-setup.exe"}}, {}}, {}});
    m_dir.Write("korvelt/entry2.app", std::string("\xFF\xFF\xFF\xF0\xFF\xFF\x7F", 7) + "short");
    {
        CModalWatcher watcher;
        ASSERT_TRUE(Start());
        ASSERT_TRUE(watcher.SawOneBox(m_pApp->GetAppName()));
    }
    EXPECT_TRUE(IsWindowVisible(Frame()));
    HWND hView = View();
    HWND hList = GetDlgItem(hView, IDC_APPLIST);
    EXPECT_EQ(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0), 0);

    // The buttons keep the form's own state; clicks, a restore's refresh and a resize find no
    // entry to act on.
    CModalWatcher watcher;
    for (int nID : {IDC_SETUP, IDC_UNINSTALL, IDC_TEXTFILE})
    {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hView, nID)));
        SendMessageA(hView, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hView, nID)));
    }
    MinimiseFrame();
    ShowWindow(Frame(), SW_RESTORE);
    // The start's refresh, then the restore's.
    ASSERT_TRUE(WaitForRefresh(2));
    SetWindowPos(Frame(), nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    EXPECT_TRUE(watcher.Seen().empty());
    EXPECT_FALSE(IsIconic(Frame()));

    // A good catalogue fills the list; a truncated entry read by the next New empties it again.
    WriteCatalog({{{{"m_strTitle", "Good"}}, {}}});
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
    EXPECT_EQ(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0), 1);
    WriteCatalog({{{{"m_strTitle", "Good"}}, {}}, {}});
    m_dir.Write("korvelt/entry2.app", std::string("\x05" "ab", 3));
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
    EXPECT_EQ(watcher.Seen().size(), 1u);
    EXPECT_TRUE(IsWindowVisible(Frame()));
    EXPECT_EQ(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0), 0);
    SendMessageA(hView, WM_COMMAND, MAKEWPARAM(IDC_SETUP, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hView, IDC_SETUP)));
    PostMessageA(hView, WM_REFRESH_STATE, 0, 0);
    ASSERT_TRUE(WaitForRefresh(3));
    EXPECT_EQ(watcher.Seen().size(), 1u);
    EXPECT_FALSE(IsIconic(Frame()));
}

TEST_F(ShellTextTest, MissingApplicationPicture_IsReportedOnceAndTheTitleIsNotRead)
{
    ASSERT_TRUE(DeleteFile932(m_dir.File("korvelt\\instapp.bmp")));
    CModalWatcher watcher;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(watcher.SawOneBox(m_pApp->GetAppName(), "Cannot read DIB File"));
    auto* pDocument = static_cast<CKorveltDoc*>(m_pApp->GetDocTemplate()->GetDocument());
    EXPECT_FALSE(pDocument->GetPictures().m_picApp.m_hDib.IsValid());
    EXPECT_FALSE(pDocument->GetPictures().m_picTitle.m_hDib.IsValid());
    EXPECT_TRUE(IsWindowVisible(Frame()));
}

TEST_F(ShellTest, RepeatedNew_ReadsThePicturesAgain)
{
    ASSERT_TRUE(Start());
    auto* pDocument = static_cast<CKorveltDoc*>(m_pApp->GetDocTemplate()->GetDocument());
    ASSERT_TRUE(pDocument->GetPictures().m_picApp.m_hDib.IsValid());
    ASSERT_TRUE(pDocument->GetPictures().m_picApp.m_palette.IsValid());
    ASSERT_TRUE(DeleteFile932(m_dir.File("korvelt\\instttl.bmp")));
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
    EXPECT_TRUE(pDocument->GetPictures().m_picApp.m_hDib.IsValid());
    EXPECT_FALSE(pDocument->GetPictures().m_picTitle.m_hDib.IsValid());
}
