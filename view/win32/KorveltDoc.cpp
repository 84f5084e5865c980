#include "view/win32/KorveltDoc.h"

#include "catalog/CheckContext.h"
#include "fw/WinApp.h"
#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "unattend/RunLog.h"
#include "unattend/UnattendedOptions.h"

namespace {

struct CExitCode
{
    int m_nLoadFailure;
    int m_nExitCode;
};
// Catalogue load failures and the exit codes they end the process with; one row so far. The
// table ends at the marker 0xFFFF, a code no load gives, so a row added later changes no count.
constexpr CExitCode kExitCodes[] = {
    {1, 30},
    {0xFFFF, 0},
};
constexpr int kUnlistedExitCode = 31;

} // namespace

CKorveltDoc::CKorveltDoc()
{
    m_catalog.SetDirectory("korvelt");
    m_catalog.SetReporter(&m_catalogReporter);
}

bool CKorveltDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    m_pictures.LoadBitmaps();
    return true;
}

int CKorveltDoc::ExitCodeFor(int nLoadFailure)
{
    for (const CExitCode& code : kExitCodes)
    {
        if (code.m_nLoadFailure == 0xFFFF)
            break;
        if (code.m_nLoadFailure == nLoadFailure)
            return code.m_nExitCode;
    }
    return kUnlistedExitCode;
}

void CKorveltDoc::LoadCatalog()
{
    m_catalog.SetDatabasePath("korvelt\\appdb.dat");
    const int nLoad = m_catalog.Load();
    if (nLoad != 0)
        ExitProcess(static_cast<UINT>(ExitCodeFor(nLoad)));
    // The first refresh may already copy files after a set-up: they come from this medium.
    m_catalog.UpdateSourceDrive();
    CCheckContext context;
    context.m_strStartMenuPrograms = LoadMessage(MSG_STARTMENU_PROGRAMS);
    m_catalog.SetCheckContext(context);
    m_catalog.RefreshAll();
}

void CKorveltDoc::CCatalogReporter::ReportMessage(int nMessage)
{
    // A passive run shows no boxes: its log (if any) tells instead.
    const CUnattendedOptions options = CUnattendedOptions::Parse(CWinApp::Get()->GetArguments());
    if (options.IsUnattended() && options.IsSilent())
        CRunLog(options.m_strLogFile).Write(std::string("catalogue: ") + LoadMessage(nMessage));
    else
        CWinApp::Get()->ShowMessage(LoadMessage(nMessage));
}
