#include "SingleDocTemplate.h"

#include "Document.h"
#include "FrameWnd.h"
#include "StockMessages.h"
#include "View.h"
#include "WideText.h"
#include "WinApp.h"

#include <commdlg.h>

#include <vector>

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, DocFactory makeDoc, FrameFactory makeFrame,
                                       ViewFactory makeView)
    : m_nIDResource(nIDResource), m_docString(""), m_makeDoc(std::move(makeDoc)),
      m_makeFrame(std::move(makeFrame)), m_makeView(std::move(makeView))
{
    wchar_t szText[512] = {};
    const int nLength = LoadStringW(CWinApp::Get()->m_hInstance, nIDResource, szText, 512);
    m_docString = CDocString(Cp932FromWideLossy(std::wstring(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0)));
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
    std::wstring strFilter;
    if (!strPattern.empty())
        strFilter = WideFrom932(strName) + L'\0' + WideFrom932(strPattern) + L'\0';
    strFilter += L'\0';
    std::string strExt = m_docString.GetField(CDocString::filterExt);
    if (!strExt.empty() && strExt[0] == '.')
        strExt.erase(0, 1);
    const std::wstring strWideExt = WideFrom932(strExt);

    std::vector<wchar_t> file(MAX_PATH, L'\0');
    lstrcpynW(file.data(), WideFrom932(strPath).c_str(), MAX_PATH);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    CWinApp* pApp = CWinApp::Get();
    ofn.hwndOwner = pApp->GetMainWnd() != nullptr ? pApp->GetMainWnd()->m_hWnd : nullptr;
    ofn.lpstrFilter = strFilter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = strWideExt.empty() ? nullptr : strWideExt.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (bSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL bOk = bSave ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!bOk)
        return false;
    // A chosen file whose name code page 932 cannot carry is one the program cannot name.
    if (!Cp932FromWide(file.data(), lstrlenW(file.data()), strPath))
    {
        pApp->ShowMessage(bSave ? stock::kFailedToSaveDoc : stock::kFailedToOpenDoc);
        return false;
    }
    return true;
}
