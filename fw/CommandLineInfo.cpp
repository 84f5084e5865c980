#include "fw/CommandLineInfo.h"

void CCommandLineInfo::Parse(const std::vector<std::string>& args)
{
    m_nShellCommand = FileNew;
    m_strFileName.clear();
    for (const std::string& strArg : args)
    {
        const bool bFlag = !strArg.empty() && (strArg[0] == '/' || strArg[0] == '-');
        if (bFlag || strArg.empty())
            continue;
        if (m_strFileName.empty())
        {
            m_strFileName = strArg;
            m_nShellCommand = FileOpen;
        }
    }
}
