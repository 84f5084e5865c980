// A catalogue folder as the tool's commands open it: the launcher's own reading of the index
// appdb.dat there, or without one of every *.app file, into a catalogue the caller owns.
#ifndef KORVELT_TOOLS_CATALOGFOLDER_H
#define KORVELT_TOOLS_CATALOGFOLDER_H

#include <string>

class CAppCatalog;
class IAppReporter;

class CCatalogFolder
{
public:
    // Fills catalog from strFolder; what the reading reports goes to reporter, which must outlive
    // catalog. False when the folder holds neither an index nor any entry file. Read failures
    // throw, as CAppCatalog::Load does.
    static bool Load(CAppCatalog& catalog, IAppReporter& reporter, const std::string& strFolder);
};

#endif
