// What the installed-state checks take from whoever runs them: the Start-menu Programs folder
// piece and the observer told of every look. Owns the piece; the observer is not owned.
#ifndef KORVELT_CATALOG_CHECKCONTEXT_H
#define KORVELT_CATALOG_CHECKCONTEXT_H

#include <string>

class ICheckObserver;

struct CCheckContext
{
    // The Start-menu Programs folder piece of the file check, in code page 932, which the
    // launcher takes from its message file: it differs with the system's language.
    std::string m_strStartMenuPrograms;
    // Told of each look as it is made; null for none, as the launcher runs.
    ICheckObserver* m_pObserver = nullptr;
};

#endif
