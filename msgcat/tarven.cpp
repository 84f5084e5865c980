// The exported functions of tarven over one library-wide catalogue.
#include "msgcat/tarven.h"

#include "msgcat/MessageCatalog.h"

namespace {

CMessageCatalog& TheCatalog()
{
    static CMessageCatalog catalog;
    return catalog;
}

} // namespace

// No exception leaves the library: the program that calls it knows none of ours. A file that
// cannot be held in memory counts as one that cannot be read, and its messages are empty.
extern "C" void TARVEN_CALL SetMessageFile(const char* pszFileName)
{
    try
    {
        TheCatalog().SetMessageFile(pszFileName);
    }
    catch (...)
    {
        TheCatalog().Forget();
    }
}

extern "C" const char* TARVEN_CALL LoadMessage(int nNumber)
{
    try
    {
        return TheCatalog().LoadMessage(nNumber);
    }
    catch (...)
    {
        return "";
    }
}
