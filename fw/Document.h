// The framework document: title, path and modified flag, its views, and the contentless Open
// and Save of this program (open reads nothing, save writes an empty file).
#ifndef KORVELT_FW_DOCUMENT_H
#define KORVELT_FW_DOCUMENT_H

#include "fw/CmdTarget.h"

#include <string>
#include <vector>

class CSingleDocTemplate;
class CView;

class CDocument : public CCmdTarget
{
public:
    CDocument() = default;
    ~CDocument() override;

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& strTitle);
    const std::string& GetPathName() const { return m_strPathName; }
    // Takes the file as the document's: its display name becomes the title and it goes to the
    // recent-file list.
    void SetPathName(const std::string& strPathName);
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }

    // Empties the document for a new one; false stops the new-document sequence.
    virtual bool OnNewDocument();
    // Checks that the file can be read and empties the document; nothing is stored in it.
    virtual bool OnOpenDocument(const std::string& strPathName);
    // Writes the document's stored form, which is empty.
    virtual bool OnSaveDocument(const std::string& strPathName);
    // Frees what the document holds; the default holds nothing.
    virtual void DeleteContents() {}
    // Saves under the given name, or asks for one when it is empty; false when not saved.
    bool DoSave(const std::string& strPathName);

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }
    // Tells every view but the sender that the document changed.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0);

protected:
    void OnFileSave();
    bool ProcessMessageTable(CMessageCall& call) override;

private:
    friend class CSingleDocTemplate;
    CSingleDocTemplate* m_pTemplate = nullptr;
    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    std::vector<CView*> m_views;
};

#endif
