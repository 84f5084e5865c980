// The single-document template: creates the one document, its frame and the frame's view, runs
// the new-document and open sequences, and owns the document and the frame.
#ifndef KORVELT_FW_SINGLEDOCTEMPLATE_H
#define KORVELT_FW_SINGLEDOCTEMPLATE_H

#include "fw/DocString.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class CDocument;
class CFrameWnd;
class CView;

class CSingleDocTemplate
{
public:
    using DocFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    CSingleDocTemplate(UINT nIDResource, DocFactory makeDoc, FrameFactory makeFrame, ViewFactory makeView);
    ~CSingleDocTemplate();

    // The template for document class TDoc, frame class TFrame and view class TView.
    template <class TDoc, class TFrame, class TView>
    static std::unique_ptr<CSingleDocTemplate> Create(UINT nIDResource)
    {
        return std::make_unique<CSingleDocTemplate>(
            nIDResource, [] { return std::make_unique<TDoc>(); }, [] { return std::make_unique<TFrame>(); },
            [] { return std::make_unique<TView>(); });
    }

    // With a null name the new-document sequence, otherwise the open sequence; the document, or
    // null when the sequence stopped.
    CDocument* OpenDocumentFile(const char* pszPathName, bool bMakeVisible = true);
    // Asks for a file name with the template's filter; false when the user cancels.
    bool PromptFileName(std::string& strPath, bool bSave) const;

    const CDocString& GetDocString() const { return m_docString; }
    UINT GetResourceID() const { return m_nIDResource; }
    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }

private:
    UINT m_nIDResource;
    CDocString m_docString;
    DocFactory m_makeDoc;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    // The frame (and with it the view) goes before the document it shows.
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
};

#endif
