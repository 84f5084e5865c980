#include "KorveltDoc.h"

#include "WinApp.h"
#include "tarven.h"

// The picture reporter base is constructed before CDibPictures, which keeps a reference to it.
CKorveltDoc::CKorveltDoc() : CDibPictures(static_cast<CWin32PictureReporter&>(*this))
{
    m_catalog.SetDirectory("korvelt");
    m_catalog.SetReporter(&m_catalogReporter);
}

bool CKorveltDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    LoadBitmaps();
    return true;
}

void CKorveltDoc::CCatalogReporter::ReportMessage(int nMessage)
{
    CWinApp::Get()->ShowMessage(LoadMessage(nMessage));
}
