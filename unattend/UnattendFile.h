// korvelt\unattend.ini on the medium: for entries whose set-up kind is unknown or special, their
// own set-up and removal commands without questions. One section per entry, named as the entry
// file without ".app"; the keys "setup" (written as the catalogue writes a set-up command, in the
// entry's set-up folder) and "uninstall" (a command line, "%DIRECT_FROM_CD%=" allowed). Code page
// 932; ";" begins a comment line; names of sections and keys are compared without regard to case.
#ifndef KORVELT_UNATTEND_UNATTENDFILE_H
#define KORVELT_UNATTEND_UNATTENDFILE_H

#include <string>
#include <vector>

class CUnattendFile
{
public:
    // Reads the file; a missing one gives no commands.
    static CUnattendFile Read(const std::string& strPath);
    static CUnattendFile FromText(const std::string& strText);

    // The value of key strKey in the section of entry strEntry; false when there is none.
    bool Find(const std::string& strEntry, const char* pszKey, std::string& strValue) const;

private:
    struct CValue
    {
        std::string m_strSection;
        std::string m_strKey;
        std::string m_strValue;
    };
    std::vector<CValue> m_values;
};

#endif
