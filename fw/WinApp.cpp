#include "WinApp.h"

#include "Cp932.h"
#include "FrameWnd.h"
#include "ScopedHandle.h"
#include "SingleDocTemplate.h"
#include "StockMessages.h"
#include "View.h"
#include "FrameworkIds.h"
#include "WideText.h"

#include <commdlg.h>

#include <new>
#include <stdexcept>
#include <stdlib.h>

namespace
{
constexpr wchar_t kRecentSection[] = L"Recent File List";
constexpr wchar_t kSettingsSection[] = L"Settings";
constexpr wchar_t kPreviewPages[] = L"PreviewPages";

std::string ModuleBaseName(HINSTANCE hInstance)
{
    wchar_t szPath[MAX_PATH] = {};
    const DWORD nLength = GetModuleFileNameW(hInstance, szPath, MAX_PATH);
    // A character that code page 932 lacks becomes "?", never a separator.
    return FileBaseName(Cp932FromWideLossy(std::wstring(szPath, nLength < MAX_PATH ? nLength : MAX_PATH)));
}

// Where the profile functions look for a file of this name: a bare name lies in the Windows
// folder.
std::wstring ProfilePath(const std::wstring& strFile)
{
    if (strFile.find_first_of(L"\\/:") != std::wstring::npos)
        return strFile;
    wchar_t szWindows[MAX_PATH] = {};
    const UINT nLength = GetWindowsDirectoryW(szWindows, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return std::wstring();
    return std::wstring(szWindows, nLength) + L"\\" + strFile;
}

// The profile functions write a new file in the system's ANSI code page, which on most systems
// cannot carry Japanese names; a file that begins as UTF-16 they keep writing as UTF-16. A code
// page 932 system gets the file it always had.
void BeginUnicodeProfile(const std::wstring& strFile)
{
    if (GetACP() == kCodePage932)
        return;
    const std::wstring strPath = ProfilePath(strFile);
    if (strPath.empty())
        return;
    CScopedKernelHandle file(
        CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return;
    const unsigned char bom[] = {0xFF, 0xFE};
    DWORD nWritten = 0;
    WriteFile(file.Get(), bom, sizeof bom, &nWritten, nullptr);
}
}

CWinApp* CWinApp::s_pApp = nullptr;

CWinApp::CWinApp()
{
    s_pApp = this;
    m_hInstance = GetModuleHandleW(nullptr);
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
    while ((nResult = GetMessageW(&msg, nullptr, 0, 0)) != 0)
    {
        if (nResult == -1)
            break;
        if (PreTranslateMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
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
        if (hAccel != nullptr && TranslateAcceleratorW(m_pMainWnd->m_hWnd, hAccel, &msg))
            return true;
    }
    CWnd* pView = m_pMainWnd->GetActiveView();
    if (pView != nullptr && pView->m_hWnd != nullptr &&
        (msg.hwnd == pView->m_hWnd || IsChild(pView->m_hWnd, msg.hwnd)))
        return IsDialogMessageW(pView->m_hWnd, &msg) != FALSE;
    return false;
}

int CWinApp::ShowMessage(const std::string& strText, UINT nType)
{
    HWND hOwner = GetActiveWindow();
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        hOwner = GetLastActivePopup(m_pMainWnd->m_hWnd);
    return MessageBoxW(hOwner, WideFrom932(strText).c_str(), WideFrom932(m_strAppName).c_str(), nType);
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
        MessageBoxW(nullptr, WideFrom932(strText).c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void CWinApp::LoadStdProfileSettings(size_t nMaxMRU)
{
    m_recentFiles = CRecentFileList(nMaxMRU);
    m_bProfileLoaded = true;
    std::wstring strFile;
    if (!WideFrom932Exact(m_strProfileName, strFile))
        return;
    std::vector<std::string> names;
    for (size_t i = 1; i <= nMaxMRU; ++i)
    {
        const std::wstring strEntry = L"File" + std::to_wstring(i);
        wchar_t szValue[MAX_PATH] = {};
        const DWORD nLength =
            GetPrivateProfileStringW(kRecentSection, strEntry.c_str(), L"", szValue, MAX_PATH, strFile.c_str());
        // A name that code page 932 cannot carry names no file the program could open.
        std::string strName;
        if (!Cp932FromWide(szValue, nLength, strName))
            strName.clear();
        names.push_back(strName);
    }
    m_recentFiles.SetNames(names);
    m_nPreviewPages =
        static_cast<int>(GetPrivateProfileIntW(kSettingsSection, kPreviewPages, 0, strFile.c_str()));
}

void CWinApp::SaveStdProfileSettings()
{
    std::wstring strFile;
    if (!WideFrom932Exact(m_strProfileName, strFile))
        return;
    BeginUnicodeProfile(strFile);
    const wchar_t* pszFile = strFile.c_str();
    // The section is rewritten as a whole, so entries beyond the list do not linger.
    WritePrivateProfileStringW(kRecentSection, nullptr, nullptr, pszFile);
    const std::vector<std::string>& names = m_recentFiles.GetNames();
    for (size_t i = 0; i < names.size(); ++i)
    {
        const std::wstring strEntry = L"File" + std::to_wstring(i + 1);
        WritePrivateProfileStringW(kRecentSection, strEntry.c_str(), WideFrom932(names[i]).c_str(), pszFile);
    }
    if (m_nPreviewPages != 0)
        WritePrivateProfileStringW(kSettingsSection, kPreviewPages, std::to_wstring(m_nPreviewPages).c_str(), pszFile);
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
        SendMessageW(m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
}

bool CWinApp::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CWinApp> s_table[] = {
        HandleCommand(ID_APP_EXIT, &CWinApp::OnAppExit),
    };
    return call.Run(s_table, this) || CCmdTarget::ProcessMessageTable(call);
}
