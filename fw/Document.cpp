#include "Document.h"

#include "FrameWnd.h"
#include "SingleDocTemplate.h"
#include "StockMessages.h"
#include "View.h"
#include "WideText.h"
#include "WinApp.h"
#include "FrameworkIds.h"

#include <commdlg.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace
{
// What the document is called after its file: the title the system gives the file, else the
// part after the folder.
std::string TitleOf(const std::string& strPath)
{
    std::wstring strWide;
    if (!WideFrom932Exact(strPath, strWide))
        return strPath.substr(strPath.find_last_of("\\/:") + 1);
    wchar_t szTitle[MAX_PATH] = {};
    if (GetFileTitleW(strWide.c_str(), szTitle, MAX_PATH) == 0 && szTitle[0] != L'\0')
        return Cp932FromWideLossy(szTitle);
    return Cp932FromWideLossy(strWide.substr(strWide.find_last_of(L"\\/:") + 1));
}
}

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
    m_strPathName = strPathName;
    std::wstring strWide;
    if (WideFrom932Exact(strPathName, strWide))
    {
        wchar_t szFull[MAX_PATH] = {};
        const DWORD nLength = GetFullPathNameW(strWide.c_str(), MAX_PATH, szFull, nullptr);
        std::string strFull;
        if (nLength > 0 && nLength < MAX_PATH && Cp932FromWide(szFull, nLength, strFull))
            m_strPathName = strFull;
    }
    SetTitle(TitleOf(m_strPathName));
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
    // Nothing is read; the file only has to be there and readable. A name that is not code page
    // 932 names no file.
    std::wstring strWide;
    if (!WideFrom932Exact(strPathName, strWide) || !std::ifstream(std::filesystem::path(strWide), std::ios::binary))
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
    std::wstring strWide;
    bool bSaved = WideFrom932Exact(strPathName, strWide);
    if (bSaved)
    {
        std::ofstream file(std::filesystem::path(strWide), std::ios::binary | std::ios::trunc);
        file.close();
        bSaved = !file.fail();
    }
    if (!bSaved)
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
