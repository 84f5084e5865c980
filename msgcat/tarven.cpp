// The exported functions of tarven over one library-wide catalogue.
#include "tarven.h"

#include "MessageCatalog.h"

namespace {

CMessageCatalog& TheCatalog()
{
    static CMessageCatalog catalog;
    return catalog;
}

} // namespace

extern "C" void TARVEN_CALL SetMessageFile(const char* pszFileName)
{
    TheCatalog().SetMessageFile(pszFileName);
}

extern "C" const char* TARVEN_CALL LoadMessage(int nNumber)
{
    return TheCatalog().LoadMessage(nNumber);
}
