#include "Document.h"

#include "FrameWnd.h"
#include "SingleDocTemplate.h"
#include "StockMessages.h"
#include "View.h"
#include "WinApp.h"
#include "FrameworkIds.h"

#include <commdlg.h>

#include <algorithm>
#include <fstream>

CDocument::~CDocument()
{
    for (CView* pView : m_views)
        pView->m_pDocument = nullptr;
}

void CDocument::SetTitle(const std::string& strTitle)
{
    m_strTitle = strTitle;
    if (CWinApp* pApp = CWinApp::Get(); pApp != nullptr && pApp->GetMainWnd() != nullptr)
        pApp->GetMainWnd()->OnUpdateFrameTitle();
}

void CDocument::SetPathName(const std::string& strPathName)
{
    char szFull[MAX_PATH] = {};
    char* pszFilePart = nullptr;
    const DWORD nLength = GetFullPathNameA(strPathName.c_str(), MAX_PATH, szFull, &pszFilePart);
    m_strPathName = (nLength > 0 && nLength < MAX_PATH) ? szFull : strPathName;

    char szTitle[MAX_PATH] = {};
    if (GetFileTitleA(m_strPathName.c_str(), szTitle, MAX_PATH) != 0 || szTitle[0] == '\0')
    {
        const size_t nSlash = m_strPathName.find_last_of("\\/:");
        lstrcpynA(szTitle, m_strPathName.c_str() + (nSlash == std::string::npos ? 0 : nSlash + 1), MAX_PATH);
    }
    SetTitle(szTitle);
    if (CWinApp* pApp = CWinApp::Get())
        pApp->AddToRecentFileList(m_strPathName);
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const std::string& strPathName)
{
    // Nothing is read; the file only has to be there and readable.
    if (!std::ifstream(strPathName, std::ios::binary))
    {
        CWinApp::Get()->ShowMessage(stock::kFailedToOpenDoc);
        return false;
    }
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& strPathName)
{
    // The stored form is empty: the file is created, or emptied.
    std::ofstream file(strPathName, std::ios::binary | std::ios::trunc);
    file.close();
    if (!file)
    {
        CWinApp::Get()->ShowMessage(stock::kFailedToSaveDoc);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::DoSave(const std::string& strPathName)
{
    std::string strPath = strPathName;
    if (strPath.empty())
    {
        strPath = m_strTitle;
        if (m_pTemplate == nullptr || !m_pTemplate->PromptFileName(strPath, true))
            return false;
    }
    if (!OnSaveDocument(strPath))
        return false;
    SetPathName(strPath);
    return true;
}

void CDocument::AddView(CView* pView)
{
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    pView->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint)
{
    for (CView* pView : m_views)
    {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint);
    }
}

void CDocument::OnFileSave()
{
    DoSave(m_strPathName);
}

bool CDocument::ProcessMessageTable(CMessageCall& call)
{
    static const CMessageMapEntry<CDocument> s_table[] = {
        HandleCommand(ID_FILE_SAVE, &CDocument::OnFileSave),
    };
    return call.Run(s_table, this) || CCmdTarget::ProcessMessageTable(call);
}
