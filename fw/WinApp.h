// The application object: start-up, the message loop with the main window's accelerators, the
// program's name for message boxes, the private profile's recent-file list, and the one document
// template, which it owns.
#ifndef KORVELT_FW_WINAPP_H
#define KORVELT_FW_WINAPP_H

#include "fw/CmdTarget.h"
#include "fw/CommandLineInfo.h"
#include "fw/RecentFileList.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CFrameWnd;
class CSingleDocTemplate;

class CWinApp : public CCmdTarget
{
public:
    CWinApp();
    ~CWinApp() override;

    // The one application object of the process.
    static CWinApp* Get() { return s_pApp; }

    // The framework's start-up: records the start parameters, runs InitInstance and then the
    // message loop; returns the process exit code.
    int WinMain(HINSTANCE hInstance, const char* pszCmdLine, int nCmdShow);

    virtual bool InitInstance() { return true; }
    // The process exit code: 0, or what SetExitCode set.
    virtual int ExitInstance();
    void SetExitCode(int nExitCode) { m_nExitCode = nExitCode; }
    int GetExitCode() const { return m_nExitCode; }
    int Run();

    // The framework message box: the program's name as caption, owned by the active window.
    int ShowMessage(const std::string& strText, UINT nType = MB_OK | MB_ICONEXCLAMATION);
    // The stock report of an exception that reached the message dispatch; call inside catch.
    static void ReportCurrentException();

    CFrameWnd* GetMainWnd() const { return m_pMainWnd; }
    void SetMainWnd(CFrameWnd* pMainWnd) { m_pMainWnd = pMainWnd; }
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    const std::string& GetAppName() const { return m_strAppName; }
    // The text after the program name, as the process received it.
    const std::string& GetCmdLine() const { return m_strCmdLine; }
    // For a start without WinMain (the in-process tests).
    void SetCmdLine(const std::string& strCmdLine) { m_strCmdLine = strCmdLine; }
    const CRecentFileList& GetRecentFileList() const { return m_recentFiles; }
    void AddToRecentFileList(const std::string& strPath) { m_recentFiles.Add(strPath); }

    HINSTANCE m_hInstance = nullptr;
    // Show command for the main window's first showing; -1 once it has been used.
    int m_nCmdShow = SW_SHOWNORMAL;
    // The private profile file; a bare name lies in the Windows folder.
    std::string m_strProfileName;

    // The main window's accelerators, then the form's dialog keys; true when the message was
    // handled and must not be dispatched.
    bool PreTranslateMessage(MSG& msg);
    // The command-line arguments after the program name, in code page 932.
    std::vector<std::string> GetArguments() const;
    // For a start without WinMain (the in-process tests): these instead of the process's own.
    void SetArguments(std::vector<std::string> args) { m_arguments = std::move(args); }

protected:
    // Reads the recent-file list ("Recent File List", File1...) and "PreviewPages" of "Settings".
    void LoadStdProfileSettings(size_t nMaxMRU = 4);
    // Writes them back (at exit).
    void SaveStdProfileSettings();
    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate);
    // A new document or the named file; false when that fails.
    bool ProcessShellCommand(const CCommandLineInfo& info);

    // Framework commands that a derived class lists in its own table.
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    bool ProcessMessageTable(CMessageCall& call) override;

private:

    static CWinApp* s_pApp;
    CFrameWnd* m_pMainWnd = nullptr;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::string m_strAppName;
    std::string m_strCmdLine;
    CRecentFileList m_recentFiles{0};
    int m_nPreviewPages = 0;
    bool m_bProfileLoaded = false;
    int m_nExitCode = 0;
    std::optional<std::vector<std::string>> m_arguments;
};

#endif
