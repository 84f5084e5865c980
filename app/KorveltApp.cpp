#include "app/KorveltApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/UnattendedMode.h"
#include "fw/SingleDocTemplate.h"
#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "res/resource.h"
#include "view/win32/KorveltDoc.h"
#include "view/win32/KorveltView.h"
#include "win/User932.h"

#include <commctrl.h>

CKorveltApp::CKorveltApp() = default;
CKorveltApp::~CKorveltApp() = default;

bool CKorveltApp::InitInstance()
{
    SetMessageFile("KORVELT.MSG");
    // An administrator's line: the window's single-instance rule is not for it.
    const CUnattendedOptions options = CUnattendedOptions::Parse(GetArguments());
    if (options.IsUnattended())
    {
        m_pUnattended = std::make_unique<CUnattendedMode>(options);
        // A run with the window goes on below once nothing refuses it.
        const int nExitCode = options.ShowsWindow() ? m_pUnattended->Refusal() : m_pUnattended->RunWithoutWindow();
        if (!options.ShowsWindow() || nExitCode != 0)
        {
            SetExitCode(nExitCode);
            return false;
        }
    }
    else if (ActivateRunningInstance())
    {
        return false;
    }

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);

    LoadStdProfileSettings(4);
    AddDocTemplate(CSingleDocTemplate::Create<CKorveltDoc, CMainFrame, CKorveltView>(IDR_MAINFRAME));

    CCommandLineInfo info;
    info.Parse(GetArguments());
    return ProcessShellCommand(info);
}

bool CKorveltApp::ActivateRunningInstance()
{
    // The caption of a running copy's main window, as the view set it and the frame composed it.
    HWND hOther = FindWindow932(LoadMessage(MSG_CAPTION));
    if (hOther == nullptr)
        return false;

    MessageBox932(nullptr, LoadMessage(MSG_ALREADY_RUNNING), nullptr, MB_OK);
    HWND hPopup = GetLastActivePopup(hOther);
    BringWindowToTop(hOther);
    if (hPopup != hOther)
        BringWindowToTop(hPopup);
    ShowWindow(hOther, SW_SHOWNORMAL);
    return true;
}

void CKorveltApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

bool CKorveltApp::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CKorveltApp> s_table[] = {
        HandleCommand(ID_APP_ABOUT, &CKorveltApp::OnAppAbout),
        HandleCommand(ID_FILE_NEW, &CKorveltApp::OnFileNew),
        HandleCommand(ID_FILE_OPEN, &CKorveltApp::OnFileOpen),
    };
    return call.Run(s_table, this) || CWinApp::ProcessMessageTable(call);
}
