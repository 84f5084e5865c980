#include "tools/korvelt-catalog/CatalogFolder.h"

#include "catalog/AppCatalog.h"

bool CCatalogFolder::Load(CAppCatalog& catalog, IAppReporter& reporter, const std::string& strFolder)
{
    catalog.SetReporter(&reporter);
    catalog.SetDirectory(strFolder);
    catalog.SetDatabasePath((strFolder + "\\appdb.dat").c_str());
    return catalog.Load() != 1;
}
