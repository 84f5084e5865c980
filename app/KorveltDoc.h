// The launcher's one document. It stores nothing in files of its own: it owns the application
// catalogue (directory "korvelt") and the two pictures that the view paints, with their palettes.
#ifndef KORVELT_APP_KORVELTDOC_H
#define KORVELT_APP_KORVELTDOC_H

#include "AppCatalog.h"
#include "AppReporter.h"
#include "DibPictures.h"
#include "Document.h"
#include "Win32PictureReporter.h"

class CKorveltDoc : public CDocument, private CWin32PictureReporter, public CDibPictures
{
public:
    CKorveltDoc();
    ~CKorveltDoc() override = default;

    // Reads the two pictures again; a document without pictures is still a valid new document.
    bool OnNewDocument() override;

    CAppCatalog m_catalog;

private:
    // Shows the catalogue's read problems (message 94) in the framework message box.
    class CCatalogReporter : public IAppReporter
    {
    public:
        void ReportMessage(int nMessage) override;
    };

    CCatalogReporter m_catalogReporter;
};

#endif
