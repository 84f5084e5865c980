#include "KorveltDoc.h"

bool CKorveltDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    // Reading the two pictures (LoadBitmaps) goes here; a document without pictures is still a
    // valid new document.
    return true;
}
