#include "fw/WinApp.h"

#include "fw/FrameWnd.h"
#include "fw/FrameworkIds.h"
#include "fw/SingleDocTemplate.h"
#include "fw/StockMessages.h"
#include "fw/View.h"
#include "utils/Cp932.h"
#include "win/Kernel932.h"
#include "win/ScopedHandle.h"
#include "win/User932.h"
#include "win/WideText.h"


#include <new>
#include <stdexcept>
#include <stdlib.h>

namespace
{
constexpr char kRecentSection[] = "Recent File List";
constexpr char kSettingsSection[] = "Settings";
constexpr char kPreviewPages[] = "PreviewPages";

std::string ModuleBaseName(HINSTANCE hInstance)
{
    // A character that code page 932 lacks becomes "?", never a separator.
    return FileBaseName(GetModuleFileName932Lossy(hInstance));
}

// Where the profile functions look for a file of this name: a bare name lies in the Windows
// folder.
std::string ProfilePath(const std::string& strFile)
{
    if (strFile.find_first_of("\\/:") != std::string::npos)
        return strFile;
    const std::string strWindows = GetWindowsDirectory932();
    return strWindows.empty() ? std::string() : strWindows + "\\" + strFile;
}


}

CWinApp* CWinApp::s_pApp = nullptr;

CWinApp::CWinApp()
{
    s_pApp = this;
    m_hInstance = GetModuleHandleA(nullptr);
    m_strAppName = ModuleBaseName(m_hInstance);
    m_strProfileName = m_strAppName + ".INI";
}

CWinApp::~CWinApp()
{
    // The template's windows and document go before the application they refer to.
    m_pDocTemplate.reset();
    if (s_pApp == this)
        s_pApp = nullptr;
}

int CWinApp::WinMain(HINSTANCE hInstance, const char* pszCmdLine, int nCmdShow)
{
    // tarven.dll, which the program imports, is already loaded from beside it.
    KeepLibrariesToTheSystem();
    m_hInstance = hInstance;
    m_strCmdLine = pszCmdLine != nullptr ? pszCmdLine : "";
    m_nCmdShow = nCmdShow;
    m_strAppName = ModuleBaseName(hInstance);
    m_strProfileName = m_strAppName + ".INI";

    bool bStarted = false;
    try
    {
        bStarted = InitInstance();
    }
    catch (...)
    {
        ReportCurrentException();
    }
    if (!bStarted)
        return ExitInstance();
    return Run();
}

int CWinApp::ExitInstance()
{
    if (m_bProfileLoaded)
        SaveStdProfileSettings();
    m_pDocTemplate.reset();
    m_pMainWnd = nullptr;
    return m_nExitCode;
}

int CWinApp::Run()
{
    MSG msg;
    int nResult;
    while ((nResult = GetMessage932(msg)) != 0)
    {
        if (nResult == -1)
            break;
        if (PreTranslateMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessage932(msg);
    }
    const int nExitCode = ExitInstance();
    return nResult == 0 && msg.wParam != 0 ? static_cast<int>(msg.wParam) : nExitCode;
}

// The main window's accelerators come first, then the form's dialog keys (Tab, Enter, mnemonics),
// which would otherwise swallow them.
bool CWinApp::PreTranslateMessage(MSG& msg)
{
    if (m_pMainWnd == nullptr || m_pMainWnd->m_hWnd == nullptr)
        return false;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
    {
        HACCEL hAccel = m_pMainWnd->GetAccelerators();
        if (hAccel != nullptr && TranslateAccelerator932(m_pMainWnd->m_hWnd, hAccel, msg))
            return true;
    }
    CWnd* pView = m_pMainWnd->GetActiveView();
    if (pView != nullptr && pView->m_hWnd != nullptr &&
        (msg.hwnd == pView->m_hWnd || IsChild(pView->m_hWnd, msg.hwnd)))
        return IsDialogMessage932(pView->m_hWnd, msg);
    return false;
}

int CWinApp::ShowMessage(const std::string& strText, UINT nType)
{
    HWND hOwner = GetActiveWindow();
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        hOwner = GetLastActivePopup(m_pMainWnd->m_hWnd);
    return MessageBox932(hOwner, strText, &m_strAppName, nType);
}

void CWinApp::ReportCurrentException()
{
    std::string strText;
    try
    {
        throw;
    }
    catch (const std::bad_alloc&)
    {
        strText = stock::kOutOfMemory;
    }
    catch (const std::exception& e)
    {
        strText = e.what();
        if (strText.empty())
            strText = stock::kInternalFailure;
    }
    catch (...)
    {
        strText = stock::kInternalFailure;
    }
    if (s_pApp != nullptr)
        s_pApp->ShowMessage(strText);
    else
        MessageBox932(nullptr, strText, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void CWinApp::LoadStdProfileSettings(size_t nMaxMRU)
{
    m_recentFiles = CRecentFileList(nMaxMRU);
    m_bProfileLoaded = true;
    if (!IsCp932Text(m_strProfileName))
        return;
    std::vector<std::string> names;
    // A name that code page 932 cannot carry names no file the program could open: it reads as
    // empty.
    for (size_t i = 1; i <= nMaxMRU; ++i)
        names.push_back(GetPrivateProfileString932(kRecentSection, "File" + std::to_string(i), m_strProfileName));
    m_recentFiles.SetNames(names);
    m_nPreviewPages = static_cast<int>(GetPrivateProfileInt932(kSettingsSection, kPreviewPages, m_strProfileName));
}

void CWinApp::SaveStdProfileSettings()
{
    const std::string& strFile = m_strProfileName;
    if (!IsCp932Text(strFile))
        return;
    BeginUnicodeProfile932(ProfilePath(strFile));
    // The section is rewritten as a whole, so entries beyond the list do not linger.
    WritePrivateProfileString932(kRecentSection, nullptr, nullptr, strFile);
    const std::vector<std::string>& names = m_recentFiles.GetNames();
    for (size_t i = 0; i < names.size(); ++i)
    {
        const std::string strEntry = "File" + std::to_string(i + 1);
        WritePrivateProfileString932(kRecentSection, &strEntry, &names[i], strFile);
    }
    if (m_nPreviewPages != 0)
    {
        const std::string strKey = kPreviewPages;
        const std::string strPages = std::to_string(m_nPreviewPages);
        WritePrivateProfileString932(kSettingsSection, &strKey, &strPages, strFile);
    }
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate)
{
    m_pDocTemplate = std::move(pTemplate);
}

std::vector<std::string> CWinApp::GetArguments() const
{
    return m_arguments ? *m_arguments : GetCommandLineArguments932();
}

bool CWinApp::ProcessShellCommand(const CCommandLineInfo& info)
{
    if (m_pDocTemplate == nullptr)
        return false;
    if (info.m_nShellCommand == CCommandLineInfo::FileOpen)
        return m_pDocTemplate->OpenDocumentFile(info.m_strFileName.c_str()) != nullptr;
    m_pDocTemplate->OpenDocumentFile(nullptr);
    return m_pMainWnd != nullptr;
}

void CWinApp::OnFileNew()
{
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    if (m_pDocTemplate == nullptr)
        return;
    std::string strPath;
    if (m_pDocTemplate->PromptFileName(strPath, false))
        m_pDocTemplate->OpenDocumentFile(strPath.c_str());
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        SendMessage932(m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
}

bool CWinApp::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CWinApp> s_table[] = {
        HandleCommand(ID_APP_EXIT, &CWinApp::OnAppExit),
    };
    return call.Run(s_table, this) || CCmdTarget::ProcessMessageTable(call);
}
