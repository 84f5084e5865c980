#include "fw/DocString.h"

std::string CDocString::GetField(EField field) const
{
    size_t nStart = 0;
    for (int i = 0; i < field; ++i)
    {
        const size_t nBreak = m_strText.find('\n', nStart);
        if (nBreak == std::string::npos)
            return std::string();
        nStart = nBreak + 1;
    }
    const size_t nEnd = m_strText.find('\n', nStart);
    return m_strText.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
}

std::string CDocString::GetFilterPattern() const
{
    const std::string strExt = GetField(filterExt);
    return strExt.empty() ? std::string() : "*" + strExt;
}
