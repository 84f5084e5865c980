#include "unattend/UnattendedOptions.h"

#include "utils/AsciiText.h"
#include "utils/Cp932.h"

#include <algorithm>
#include <string_view>

namespace {

// The value after "name:" when strArg is that option (any letter case), else null.
bool TakeValue(std::string_view arg, std::string_view name, std::string& strValue)
{
    if (arg.size() < name.size() + 1 || arg[name.size()] != ':' || !EqualsNoCaseAscii(arg.substr(0, name.size()), name))
        return false;
    strValue = std::string(arg.substr(name.size() + 1));
    return true;
}

// A comma-separated list of entry names, each added once (names compared without regard to case).
// False for an empty list or an empty name.
bool AddNames(const std::string& strList, std::vector<std::string>& names)
{
    if (strList.empty())
        return false;
    for (std::size_t nPos = 0; nPos <= strList.size();)
    {
        const std::size_t nEnd = std::min(strList.find(',', nPos), strList.size());
        const std::string strName(Trim(std::string_view(strList).substr(nPos, nEnd - nPos)));
        if (strName.empty())
            return false;
        const auto same = [&](const std::string& strKnown) { return EqualsNoCaseCp932(strKnown, strName); };
        if (std::none_of(names.begin(), names.end(), same))
            names.push_back(strName);
        nPos = nEnd + 1;
    }
    return true;
}

} // namespace

CUnattendedOptions CUnattendedOptions::Parse(const std::vector<std::string>& args)
{
    CUnattendedOptions options;
    bool bQuiet = false;
    bool bPassive = false;
    const auto fail = [&](const std::string& strWhy) {
        if (options.m_strError.empty())
            options.m_strError = strWhy;
    };
    for (const std::string& strArg : args)
    {
        if (strArg.empty() || (strArg[0] != '/' && strArg[0] != '-'))
        {
            fail("not an option: " + strArg);
            continue;
        }
        const std::string_view arg = std::string_view(strArg).substr(1);
        std::string strValue;
        if (TakeValue(arg, "install", strValue))
        {
            options.m_bUnattended = true;
            if (strValue == "*")
                options.m_bInstallAll = true;
            else if (!AddNames(strValue, options.m_install))
                fail("no entry name in " + strArg);
        }
        else if (TakeValue(arg, "uninstall", strValue))
        {
            options.m_bUnattended = true;
            if (!AddNames(strValue, options.m_uninstall))
                fail("no entry name in " + strArg);
        }
        else if (TakeValue(arg, "log", strValue))
        {
            options.m_bUnattended = true;
            if (strValue.empty())
                fail("no file named in " + strArg);
            options.m_strLogFile = strValue;
        }
        else if (EqualsNoCaseAscii(arg, "quiet"))
        {
            options.m_bUnattended = bQuiet = true;
        }
        else if (EqualsNoCaseAscii(arg, "passive"))
        {
            options.m_bUnattended = bPassive = true;
        }
        else if (EqualsNoCaseAscii(arg, "norestart"))
        {
            options.m_bUnattended = options.m_bNoRestart = true;
        }
        else if (EqualsNoCaseAscii(arg, "plan"))
        {
            options.m_bUnattended = options.m_bPlan = true;
        }
        else if (!EqualsNoCaseAscii(arg, "NOZOOMOUT"))
        {
            fail("unknown option: " + strArg);
        }
    }
    if (bQuiet && bPassive)
        fail("/quiet and /passive exclude each other");
    if (options.m_bUnattended && !options.m_bPlan && !options.m_bInstallAll && options.m_install.empty() &&
        options.m_uninstall.empty())
        fail("nothing to do: name entries with /install: or /uninstall:, or ask for /plan");
    options.m_show = bQuiet ? EShow::Quiet : bPassive ? EShow::Passive : EShow::Full;
    return options;
}
