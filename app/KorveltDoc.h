// The launcher's one document. It stores nothing in files of its own; it will own the
// application catalogue and the two pictures that the view paints.
#ifndef KORVELT_APP_KORVELTDOC_H
#define KORVELT_APP_KORVELTDOC_H

#include "Document.h"

class CKorveltDoc : public CDocument
{
public:
    CKorveltDoc() = default;
    ~CKorveltDoc() override = default;

    bool OnNewDocument() override;

    // Catalogue and pictures: the catalogue member (directory "korvelt") and the application and
    // title pictures with their palettes are added here with the catalogue and bitmap code;
    // OnNewDocument then reads the pictures.
};

#endif
