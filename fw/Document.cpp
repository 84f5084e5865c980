#include "fw/Document.h"

#include "fw/FrameWnd.h"
#include "fw/FrameworkIds.h"
#include "fw/SingleDocTemplate.h"
#include "fw/StockMessages.h"
#include "fw/View.h"
#include "fw/WinApp.h"
#include "win/CommonDialogs932.h"
#include "win/Kernel932.h"
#include "win/ScopedHandle.h"

#include <algorithm>

namespace
{
// What the document is called after its file: the title the system gives the file, else the
// part after the folder.
std::string TitleOf(const std::string& strPath)
{
    std::string strTitle;
    if (GetFileTitle932(strPath, strTitle))
        return strTitle;
    return strPath.substr(strPath.find_last_of("\\/:") + 1);
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
    GetFullPathName932(strPathName, m_strPathName);
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
    CScopedKernelHandle file(CreateFile932(strPathName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    if (!file.IsValid())
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
    CScopedKernelHandle file(CreateFile932(strPathName, GENERIC_WRITE, 0, CREATE_ALWAYS));
    if (!file.IsValid())
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
