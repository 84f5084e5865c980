#include "WinApp.h"

#include "Cp932.h"
#include "FrameWnd.h"
#include "SingleDocTemplate.h"
#include "StockMessages.h"
#include "View.h"
#include "FrameworkIds.h"

#include <commdlg.h>

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
    char szPath[MAX_PATH] = {};
    const DWORD nLength = GetModuleFileNameA(hInstance, szPath, MAX_PATH);
    return FileBaseName(std::string(szPath, nLength < MAX_PATH ? nLength : MAX_PATH));
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
    return 0;
}

int CWinApp::Run()
{
    MSG msg;
    int nResult;
    while ((nResult = GetMessageA(&msg, nullptr, 0, 0)) != 0)
    {
        if (nResult == -1)
            break;
        if (PreTranslateMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    const int nExitCode = ExitInstance();
    return nResult == 0 ? static_cast<int>(msg.wParam) : nExitCode;
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
        if (hAccel != nullptr && TranslateAcceleratorA(m_pMainWnd->m_hWnd, hAccel, &msg))
            return true;
    }
    CWnd* pView = m_pMainWnd->GetActiveView();
    if (pView != nullptr && pView->m_hWnd != nullptr &&
        (msg.hwnd == pView->m_hWnd || IsChild(pView->m_hWnd, msg.hwnd)))
        return IsDialogMessageA(pView->m_hWnd, &msg) != FALSE;
    return false;
}

int CWinApp::ShowMessage(const std::string& strText, UINT nType)
{
    HWND hOwner = GetActiveWindow();
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        hOwner = GetLastActivePopup(m_pMainWnd->m_hWnd);
    return MessageBoxA(hOwner, strText.c_str(), m_strAppName.c_str(), nType);
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
        MessageBoxA(nullptr, strText.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void CWinApp::LoadStdProfileSettings(size_t nMaxMRU)
{
    m_recentFiles = CRecentFileList(nMaxMRU);
    std::vector<std::string> names;
    for (size_t i = 1; i <= nMaxMRU; ++i)
    {
        const std::string strEntry = "File" + std::to_string(i);
        char szValue[MAX_PATH] = {};
        GetPrivateProfileStringA(kRecentSection, strEntry.c_str(), "", szValue, MAX_PATH,
                                 m_strProfileName.c_str());
        names.push_back(szValue);
    }
    m_recentFiles.SetNames(names);
    m_nPreviewPages = static_cast<int>(
        GetPrivateProfileIntA(kSettingsSection, kPreviewPages, 0, m_strProfileName.c_str()));
    m_bProfileLoaded = true;
}

void CWinApp::SaveStdProfileSettings()
{
    const char* pszFile = m_strProfileName.c_str();
    // The section is rewritten as a whole, so entries beyond the list do not linger.
    WritePrivateProfileStringA(kRecentSection, nullptr, nullptr, pszFile);
    const std::vector<std::string>& names = m_recentFiles.GetNames();
    for (size_t i = 0; i < names.size(); ++i)
    {
        const std::string strEntry = "File" + std::to_string(i + 1);
        WritePrivateProfileStringA(kRecentSection, strEntry.c_str(), names[i].c_str(), pszFile);
    }
    if (m_nPreviewPages != 0)
        WritePrivateProfileStringA(kSettingsSection, kPreviewPages, std::to_string(m_nPreviewPages).c_str(), pszFile);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate)
{
    m_pDocTemplate = std::move(pTemplate);
}

std::vector<std::string> CWinApp::GetArguments() const
{
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i)
        args.push_back(__argv[i] != nullptr ? __argv[i] : "");
    return args;
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
        SendMessageA(m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
}

bool CWinApp::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CWinApp> s_table[] = {
        HandleCommand(ID_APP_EXIT, &CWinApp::OnAppExit),
    };
    return call.Run(s_table, this) || CCmdTarget::ProcessMessageTable(call);
}
