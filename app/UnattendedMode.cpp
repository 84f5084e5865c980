#include "app/UnattendedMode.h"

#include "catalog/AppCatalog.h"
#include "catalog/AppReporter.h"
#include "catalog/CheckContext.h"
#include "msgcat/tarven.h"
#include "res/MessageNumbers.h"
#include "unattend/RunLog.h"
#include "unattend/UnattendedRun.h"
#include "win/Console932.h"

#include <exception>

namespace {

// Held by the run that works; the name is the session's (no "Global\\", which Windows 95 and NT 4
// do not know).
constexpr char kRunningMutex[] = "Korvelt.UnattendedRun";

// What catalogue reading reports goes to the log, never into a box.
class CLoggingReporter : public IAppReporter
{
public:
    explicit CLoggingReporter(CRunLog& log) : m_log(log) {}
    void ReportMessage(int nMessage) override { m_log.Write(std::string("catalogue: ") + LoadMessage(nMessage)); }

private:
    CRunLog& m_log;
};

} // namespace

bool CUnattendedMode::Claim()
{
    m_running.Reset(::CreateMutexA(nullptr, TRUE, kRunningMutex));
    return m_running.IsValid() && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void CUnattendedMode::Tell(const std::string& strLine)
{
    CRunLog log(m_options.m_strLogFile);
    if (log.Open())
        log.Write(strLine);
    else
        WriteOutput932(strLine + "\r\n");
}

int CUnattendedMode::Refusal()
{
    if (!m_options.m_strError.empty())
    {
        Tell(m_options.m_strError);
        return kUnattendedBadCommandLine;
    }
    if (!m_options.m_strLogFile.empty() && !CRunLog(m_options.m_strLogFile).Open())
    {
        Tell("the log cannot be written: " + m_options.m_strLogFile);
        return kUnattendedBadCommandLine;
    }
    // A dry run changes nothing, so it may run beside a working one.
    if (!m_options.m_bPlan && !Claim())
    {
        Tell("another unattended run is working");
        return kUnattendedOtherRunning;
    }
    return 0;
}

int CUnattendedMode::RunWithoutWindow()
{
    if (const int nRefused = Refusal())
        return nRefused;
    CRunLog log(m_options.m_strLogFile);
    CAppCatalog catalog;
    CLoggingReporter reporter(log);
    catalog.SetDirectory("korvelt");
    catalog.SetReporter(&reporter);
    catalog.SetDatabasePath("korvelt\\appdb.dat");
    try
    {
        // As the window ends without a catalogue.
        if (catalog.Load() != 0)
        {
            Tell("no catalogue in korvelt\\");
            return 30;
        }
    }
    catch (const std::exception&)
    {
        Tell(std::string("catalogue: ") + LoadMessage(MSG_CATALOG_UNREADABLE));
        return kUnattendedFailed;
    }
    catalog.UpdateSourceDrive();
    CCheckContext context;
    context.m_strStartMenuPrograms = LoadMessage(MSG_STARTMENU_PROGRAMS);
    catalog.SetCheckContext(context);

    CUnattendedRun run(catalog, m_options, CUnattendFile::Read(catalog.GetDirectory() + "\\unattend.ini"),
                       [&](const std::string& strLine) { log.Write(strLine); });
    std::string strWhy;
    if (!run.CheckNames(strWhy))
    {
        Tell(strWhy);
        return kUnattendedBadCommandLine;
    }
    if (m_options.m_bPlan)
    {
        const std::vector<std::string> plan = run.Plan();
        std::string strPlan;
        for (const std::string& strLine : plan)
        {
            log.Write(strLine);
            strPlan += strLine + "\r\n";
        }
        if (!log.IsKept())
            WriteOutput932(strPlan);
        return kUnattendedSuccess;
    }
    return RunQuietly(run);
}
