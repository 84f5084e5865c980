#include "unattend/RunLog.h"

#include "sys/System.h"
#include "utils/Utf8.h"

bool CRunLog::Open()
{
    return IsKept() && TheSystem().AppendFile(m_strPath, std::string());
}

void CRunLog::Write(const std::string& strLine)
{
    if (IsKept())
        TheSystem().AppendFile(m_strPath, Utf8Line(strLine));
}

std::string CRunLog::Utf8Line(const std::string& strLine)
{
    std::u16string strWide;
    if (TheSystem().Cp932ToUtf16(strLine, strWide))
        return Utf8FromUtf16(strWide) + "\r\n";
    // A name read from a damaged file: its ASCII stays readable.
    std::string strAscii = strLine;
    for (char& ch : strAscii)
        if (static_cast<unsigned char>(ch) >= 0x80)
            ch = '?';
    return strAscii + "\r\n";
}
