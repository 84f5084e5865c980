// korvelt-catalog: the medium maker's tool for the launcher's catalogue. Usage() lists its
// commands; each command's function below says what it does.
#include "catalog/AppCatalog.h"
#include "catalog/AppReporter.h"
#include "catalog/CatalogException.h"
#include "msgcat/MessageCatalog.h"
#include "tools/korvelt-catalog/CatalogFolder.h"
#include "tools/korvelt-catalog/CatalogJson.h"
#include "tools/korvelt-catalog/MediumChecker.h"
#include "tools/korvelt-catalog/MediumStarter.h"
#include "tools/korvelt-catalog/MediumStatus.h"
#include "tools/korvelt-catalog/SourceSchema.h"
#include "tools/korvelt-catalog/TextCodec.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr int kExitOk = 0;
constexpr int kExitNothing = 1;
constexpr int kExitError = 2;

// Message numbers from catalogue reading become lines on standard error, with the text from a
// message file when one was given.
class CStderrReporter : public IAppReporter
{
public:
    explicit CStderrReporter(const CMessageCatalog* pMessages) : m_pMessages(pMessages) {}
    void ReportMessage(int nMessage) override
    {
        std::cerr << "message " << nMessage;
        if (m_pMessages)
            std::cerr << ' ' << CTextCodec::PrintableUtf8(m_pMessages->LoadMessage(nMessage));
        std::cerr << '\n';
    }

private:
    const CMessageCatalog* m_pMessages;
};

int Usage()
{
    std::cerr << "usage: korvelt-catalog dump [--messages FILE] DIR\n"
                 "       korvelt-catalog build SOURCE.json DIR\n"
                 "       korvelt-catalog check MEDIUM\n"
                 "       korvelt-catalog schema\n"
                 "       korvelt-catalog new DIR\n"
                 "       korvelt-catalog status [--json] MEDIUM\n";
    return kExitError;
}

// The catalogue in DIR as JSON on standard output.
int Dump(const std::vector<std::string>& args)
{
    std::string strDir;
    std::unique_ptr<CMessageCatalog> pMessages;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        if (args[i] == "--messages" && i + 1 < args.size())
        {
            pMessages = std::make_unique<CMessageCatalog>();
            pMessages->SetMessageFile(args[++i].c_str());
        }
        else if (strDir.empty() && args[i].rfind("--", 0) != 0)
        {
            strDir = args[i];
        }
        else
        {
            return Usage();
        }
    }
    if (strDir.empty())
        return Usage();

    CStderrReporter reporter(pMessages.get());
    CAppCatalog catalog;
    try
    {
        if (!CCatalogFolder::Load(catalog, reporter, strDir))
        {
            std::cerr << strDir << ": no catalogue (neither appdb.dat nor any *.app file)\n";
            return kExitNothing;
        }
    }
    catch (const CCatalogException& e)
    {
        std::cerr << strDir << ": " << e.what() << '\n';
        return kExitError;
    }
    std::cout << CCatalogJson::Dump(catalog).dump(2) << '\n';
    return kExitOk;
}

// DIR/appdb.dat and the entry files from a JSON source.
int Build(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return Usage();
    std::ifstream in(args[0], std::ios::binary);
    if (!in)
    {
        std::cerr << args[0] << ": cannot be opened\n";
        return kExitError;
    }
    nlohmann::ordered_json source;
    try
    {
        source = nlohmann::ordered_json::parse(in);
    }
    catch (const nlohmann::json::exception& e)
    {
        std::cerr << args[0] << ": " << e.what() << '\n';
        return kExitError;
    }
    try
    {
        CCatalogJson::Build(source, args[1]);
    }
    catch (const CSourceProblems& e)
    {
        for (const std::string& strProblem : e.Problems())
            std::cerr << args[0] << ": " << strProblem << '\n';
        std::cerr << args[0] << ": " << e.Problems().size() << (e.Problems().size() == 1 ? " problem" : " problems")
                  << "; nothing written\n";
        return kExitError;
    }
    return kExitOk;
}

// Every file the launcher needs on a medium.
int Check(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return Usage();
    CMediumChecker checker(args[0], std::cout, std::cerr);
    return checker.Run() == 0 ? kExitOk : kExitNothing;
}

// The JSON Schema of the source that build reads.
int Schema(const std::vector<std::string>& args)
{
    if (!args.empty())
        return Usage();
    std::cout << CSourceSchema::Schema().dump(2) << '\n';
    return kExitOk;
}

// A medium to start from, in a missing or empty folder.
int New(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return Usage();
    CMediumStarter(args[0]).Write();
    std::cout << "wrote a new medium in " << args[0] << "; korvelt-catalog check " << args[0] << " passes on it\n";
    return kExitOk;
}

#ifdef _WIN32
// UTF-8 text on standard output: a file or a pipe gets the bytes; a console, which would read them
// in its own code page, gets the characters.
void WriteUtf8(const std::string& strUtf8)
{
    const HANDLE hOut = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD nMode = 0;
    std::u16string strWide;
    if (GetConsoleMode(hOut, &nMode) && CTextCodec::Utf8ToUtf16(strUtf8, strWide))
    {
        DWORD nWritten = 0;
        WriteConsoleW(hOut, reinterpret_cast<const wchar_t*>(strWide.data()), static_cast<DWORD>(strWide.size()),
                      &nWritten, nullptr);
        return;
    }
    std::cout << strUtf8 << std::flush;
}
#endif

// What the launcher would show on this machine, and why.
int Status(const std::vector<std::string>& args)
{
    const bool bJson = !args.empty() && args[0] == "--json";
    if (args.size() != (bJson ? 2u : 1u) || args.back().rfind("--", 0) == 0)
        return Usage();
#ifndef _WIN32
    // The answer is this machine's registry and Start menu, which only Windows has.
    std::cerr << "status tells what the launcher would show on the machine it runs on: run the Windows "
                 "build (korvelt-catalog.exe) there, or under Wine\n";
    return kExitError;
#else
    const std::string& strMedium = args.back();
    nlohmann::ordered_json status;
    try
    {
        status = CMediumStatus(strMedium).Evaluate();
    }
    catch (const CCatalogException& e)
    {
        std::cerr << strMedium << ": catalogue read error: " << e.what() << '\n';
        return kExitError;
    }
    catch (const std::runtime_error& e)
    {
        std::cerr << strMedium << ": " << e.what() << '\n';
        return kExitNothing;
    }
    std::ostringstream out;
    if (bJson)
        out << status.dump(2) << '\n';
    else
        CMediumStatus::WriteText(status, out);
    WriteUtf8(out.str());
    return kExitOk;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string strCommand = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    try
    {
        if (strCommand == "dump")
            return Dump(args);
        if (strCommand == "build")
            return Build(args);
        if (strCommand == "check")
            return Check(args);
        if (strCommand == "schema")
            return Schema(args);
        if (strCommand == "new")
            return New(args);
        if (strCommand == "status")
            return Status(args);
    }
    catch (const std::exception& e)
    {
        std::cerr << "korvelt-catalog: " << e.what() << '\n';
        return kExitError;
    }
    return Usage();
}
