#include "tools/standin-setup/StandinOptions.h"

#include "win/Windows9x.h"

#include <windows.h>

#include <cstdlib>

namespace {

// Code page 932: "\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\" in half-width katakana.
const char kProgramsPiece[] = "\\\xBD\xC0\xB0\xC4 \xD2\xC6\xAD\xB0\\\xCC\xDF\xDB\xB8\xDE\xD7\xD1\\";

// Skips the program name at the start of a command line.
const char* SkipProgram(const char* p)
{
    if (*p == '"')
    {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p)
            ++p;
    }
    else
    {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

} // namespace

std::vector<std::string> CStandinOptions::SplitArguments(const char* p)
{
    std::vector<std::string> args;
    while (*p)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string strArg;
        bool bQuoted = false;
        while (*p && (bQuoted || (*p != ' ' && *p != '\t')))
        {
            if (*p == '"')
                bQuoted = !bQuoted;
            else
                strArg += *p;
            ++p;
        }
        args.push_back(strArg);
    }
    return args;
}

void CStandinOptions::Parse(const char* pszCommandLine)
{
    const char* pszArguments = SkipProgram(pszCommandLine);
    m_strArguments = pszArguments;
    const std::vector<std::string> args = SplitArguments(pszArguments);
    for (const std::string& strArg : args)
    {
        if (lstrcmpiA(strArg.c_str(), "/relaunch") == 0)
            m_bRelaunch = true;
        else if (lstrcmpiA(strArg.c_str(), "/leave") == 0)
            m_bLeave = true;
        else
            m_strCopyArguments += (m_strCopyArguments.empty() ? "\"" : " \"") + strArg + "\"";
    }
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
    {
        unsigned long* pNumber = nullptr;
        if (lstrcmpiA(args[i].c_str(), "/exit") == 0)
        {
            pNumber = &m_nExitCode;
            m_bExitCode = true;
        }
        else if (lstrcmpiA(args[i].c_str(), "/delay") == 0)
            pNumber = &m_nDelayMs;
        else if (lstrcmpiA(args[i].c_str(), "/sleep") == 0)
            pNumber = &m_nSleepMs;
        if (pNumber)
        {
            *pNumber = std::strtoul(args[++i].c_str(), nullptr, 10);
            continue;
        }
        std::string* pTarget = nullptr;
        if (lstrcmpiA(args[i].c_str(), "/key") == 0)
            pTarget = &m_strKey;
        else if (lstrcmpiA(args[i].c_str(), "/name") == 0)
            pTarget = &m_strName;
        else if (lstrcmpiA(args[i].c_str(), "/startmenu") == 0)
            pTarget = &m_strStartMenu;
        else if (lstrcmpiA(args[i].c_str(), "/dir") == 0)
            pTarget = &m_strFolder;
        if (pTarget)
            *pTarget = args[++i];
    }
    if (m_strName.empty())
        m_strName = m_strKey;
}

std::string CStandinOptions::StartMenuPath(const std::string& strRelative)
{
    char szWindows[MAX_PATH];
    const UINT n = ::GetWindowsDirectoryA(szWindows, MAX_PATH);
    std::string strPath(szWindows, n < MAX_PATH ? n : 0);
    if (!IsWindows9x())
        strPath += "\\Profiles\\All Users";
    return strPath + kProgramsPiece + strRelative;
}

std::string CStandinOptions::OwnFolder()
{
    char szPath[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath(szPath, n < MAX_PATH ? n : 0);
    const std::size_t nSlash = strPath.find_last_of('\\');
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash);
}
