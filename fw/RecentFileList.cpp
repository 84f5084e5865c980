#include "fw/RecentFileList.h"

#include "utils/AsciiText.h"
#include "utils/Cp932.h"

#include <algorithm>

bool CRecentFileList::SamePath(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (IsCp932LeadByte(static_cast<unsigned char>(a[i])))
        {
            // Both bytes of the character must match as they are.
            if (a[i] != b[i])
                return false;
            if (i + 1 < a.size())
            {
                if (a[i + 1] != b[i + 1])
                    return false;
                ++i;
            }
            continue;
        }
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i]))
            return false;
    }
    return true;
}

void CRecentFileList::Add(std::string_view strPath)
{
    if (m_nSize == 0 || strPath.empty())
        return;
    m_names.erase(std::remove_if(m_names.begin(), m_names.end(),
                                 [&](const std::string& strName) { return SamePath(strName, strPath); }),
                  m_names.end());
    m_names.insert(m_names.begin(), std::string(strPath));
    if (m_names.size() > m_nSize)
        m_names.resize(m_nSize);
}

void CRecentFileList::SetNames(const std::vector<std::string>& names)
{
    m_names.clear();
    for (const std::string& strName : names)
    {
        if (!strName.empty() && m_names.size() < m_nSize)
            m_names.push_back(strName);
    }
}
