#include "fw/SingleDocTemplate.h"

#include "fw/Document.h"
#include "fw/FrameWnd.h"
#include "fw/StockMessages.h"
#include "fw/View.h"
#include "fw/WinApp.h"
#include "win/CommonDialogs932.h"
#include "win/User932.h"

#include <commdlg.h>

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, DocFactory makeDoc, FrameFactory makeFrame,
                                       ViewFactory makeView)
    : m_nIDResource(nIDResource), m_docString(""), m_makeDoc(std::move(makeDoc)),
      m_makeFrame(std::move(makeFrame)), m_makeView(std::move(makeView))
{
    m_docString = CDocString(LoadString932(CWinApp::Get()->m_hInstance, nIDResource));
}

CSingleDocTemplate::~CSingleDocTemplate() = default;

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* pszPathName, bool bMakeVisible)
{
    CWinApp* pApp = CWinApp::Get();
    bool bDocCreated = false;
    if (m_pDocument == nullptr)
    {
        m_pDocument = m_makeDoc();
        m_pDocument->m_pTemplate = this;
        bDocCreated = true;
    }

    bool bFrameCreated = false;
    if (m_pFrame == nullptr || m_pFrame->m_hWnd == nullptr)
    {
        m_pFrame.reset();
        std::unique_ptr<CFrameWnd> pFrame = m_makeFrame();
        if (!pFrame->LoadFrame(m_nIDResource, m_docString.GetField(CDocString::windowTitle), m_pDocument.get(),
                               m_makeView()))
        {
            pApp->ShowMessage(stock::kFailedToCreateDoc);
            if (bDocCreated)
                m_pDocument.reset();
            return nullptr;
        }
        m_pFrame = std::move(pFrame);
        bFrameCreated = true;
    }

    CDocument* pDocument = m_pDocument.get();
    bool bOpened;
    if (pszPathName == nullptr)
    {
        pDocument->SetTitle(m_docString.GetField(CDocString::docName));
        bOpened = pDocument->OnNewDocument();
    }
    else
    {
        const bool bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(false);
        bOpened = pDocument->OnOpenDocument(pszPathName);
        if (bOpened)
            pDocument->SetPathName(pszPathName);
        else if (!bFrameCreated)
            pDocument->SetModifiedFlag(bWasModified);
    }
    if (!bOpened)
    {
        if (bFrameCreated)
        {
            m_pFrame->DestroyWindow();
            m_pFrame.reset();
            if (bDocCreated)
                m_pDocument.reset();
        }
        return nullptr;
    }

    if (bFrameCreated && pApp->GetMainWnd() == nullptr)
        pApp->SetMainWnd(m_pFrame.get());
    m_pFrame->InitialUpdateFrame(pDocument, bMakeVisible);
    return pDocument;
}

bool CSingleDocTemplate::PromptFileName(std::string& strPath, bool bSave) const
{
    // "Name\0*.ext\0\0": the filter from the document string.
    const std::string strName = m_docString.GetField(CDocString::filterName);
    const std::string strPattern = m_docString.GetFilterPattern();
    std::string strFilter;
    if (!strPattern.empty())
        strFilter = strName + '\0' + strPattern + '\0';
    strFilter += '\0';
    std::string strExt = m_docString.GetField(CDocString::filterExt);
    if (!strExt.empty() && strExt[0] == '.')
        strExt.erase(0, 1);

    CWinApp* pApp = CWinApp::Get();
    HWND hOwner = pApp->GetMainWnd() != nullptr ? pApp->GetMainWnd()->m_hWnd : nullptr;
    const DWORD dwFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (bSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    bool bNotCarried = false;
    if (PromptFileName932(hOwner, strFilter, strExt, dwFlags, bSave, strPath, bNotCarried))
        return true;
    if (bNotCarried)
        pApp->ShowMessage(bSave ? stock::kFailedToSaveDoc : stock::kFailedToOpenDoc);
    return false;
}
