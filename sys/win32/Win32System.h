// The system as the product sees it: the Win32 wide functions, with every text converted from and
// to code page 932 whatever the system's own code page.
#ifndef KORVELT_SYS_WIN32_WIN32SYSTEM_H
#define KORVELT_SYS_WIN32_WIN32SYSTEM_H

#include "System.h"

class CWin32System : public CSystem
{
public:
    bool ReadFile(const std::string& strPath, std::string& strBytes) override;
    bool WriteFile(const std::string& strPath, const std::string& strBytes) override;
    bool RemoveFile(const std::string& strPath) override;
    bool CopyFileOver(const std::string& strFrom, const std::string& strTo) override;
    std::vector<CFoundFile> FindFiles(const std::string& strPattern) override;
    std::string GetWindowsFolder() override;
    std::string GetTempFolder() override;
    std::string GetProgramPath() override;
    uint32_t GetVersion() override;
    bool RegKeyExists(ERoot root, const std::string& strKey) override;
    bool RegQueryString(ERoot root, const std::string& strKey, const std::string& strValue,
                        std::size_t nMaxBytes, std::string& strOut) override;
    EEnumResult RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                              std::size_t nMaxChars, std::string& strName) override;
    bool DosDateTimeToFileTime(uint16_t nDate, uint16_t nTime, uint64_t& nFileTime) override;
    uint64_t FileTimeToLocalFileTime(uint64_t nFileTime) override;
    bool StartProcess(const std::string& strCommandLine, const char* pszFolder, bool bDetached) override;
    bool Utf16ToAnsi(const std::u16string& strWide, bool bExact, std::string& strOut) override;
    bool AnsiToUtf16(const std::string& strAnsi, std::u16string& strOut) override;
};

#endif
