#include "unattend/UnattendFile.h"

#include "sys/System.h"
#include "utils/AsciiText.h"
#include "utils/Cp932.h"

CUnattendFile CUnattendFile::Read(const std::string& strPath)
{
    std::string strText;
    if (!TheSystem().ReadFile(strPath, strText))
        return CUnattendFile();
    return FromText(strText);
}

CUnattendFile CUnattendFile::FromText(const std::string& strText)
{
    CUnattendFile file;
    std::string strSection;
    std::size_t nPos = 0;
    std::string_view line;
    while (NextTrimmedLine(strText, nPos, line))
    {
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[')
        {
            // "]" may be the second byte of a double-byte character.
            const std::size_t nClose = FindSingleByteOf(line, "]", false);
            // A line that opens a section and never closes it names none: its keys belong to nobody.
            strSection = nClose == std::string_view::npos ? std::string() : std::string(Trim(line.substr(1, nClose - 1)));
            continue;
        }
        // "=" is never the second byte of a code page 932 character.
        const std::size_t nEquals = line.find('=');
        if (strSection.empty() || nEquals == std::string_view::npos)
            continue;
        file.m_values.push_back({strSection, std::string(Trim(line.substr(0, nEquals))),
                                 std::string(Trim(line.substr(nEquals + 1)))});
    }
    return file;
}

bool CUnattendFile::Find(const std::string& strEntry, const char* pszKey, std::string& strValue) const
{
    // A key given twice: the last one holds, as an edited file means.
    bool bFound = false;
    for (const CValue& value : m_values)
    {
        if (EqualsNoCaseCp932(value.m_strSection, strEntry) && EqualsNoCaseAscii(value.m_strKey, pszKey))
        {
            strValue = value.m_strValue;
            bFound = true;
        }
    }
    return bFound;
}
