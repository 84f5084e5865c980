// The launcher's one document. It stores nothing in files of its own: it owns the application
// catalogue (directory "korvelt") and the two pictures that the view paints, with their palettes.
#ifndef KORVELT_VIEW_WIN32_KORVELTDOC_H
#define KORVELT_VIEW_WIN32_KORVELTDOC_H

#include "catalog/AppCatalog.h"
#include "catalog/AppReporter.h"
#include "dib/win32/DibPictures.h"
#include "dib/win32/Win32PictureReporter.h"
#include "fw/Document.h"

class CKorveltDoc : public CDocument
{
public:
    CKorveltDoc();
    ~CKorveltDoc() override = default;

    // Reads the two pictures again; a document without pictures is still a valid new document.
    bool OnNewDocument() override;
    // Reads the catalogue ("korvelt\appdb.dat", or the entry files without it) and checks
    // every entry. A catalogue that cannot be read at all ends the process: exit code 30 when
    // there is neither an index nor an entry file, 31 for any other failure of the load.
    void LoadCatalog();
    // The process exit code for a failure code of the catalogue's Load.
    static int ExitCodeFor(int nLoadFailure);

    CAppCatalog& GetCatalog() { return m_catalog; }
    const CDibPictures& GetPictures() const { return m_pictures; }

private:
    // Shows the catalogue's read problems (message 94) in the framework message box.
    class CCatalogReporter : public IAppReporter
    {
    public:
        void ReportMessage(int nMessage) override;
    };

    CCatalogReporter m_catalogReporter;
    CWin32PictureReporter m_pictureReporter;  // before the pictures, which keep a reference to it
    CAppCatalog m_catalog;
    CDibPictures m_pictures{m_pictureReporter};
};

#endif
