// The system as the product sees it: the Win32 wide functions, with every text converted from and
// to code page 932 whatever the system's own code page; what only newer systems have is looked up
// at run time (Win32Registry.cpp, Win32Shell.cpp).
#ifndef KORVELT_SYS_WIN32_WIN32SYSTEM_H
#define KORVELT_SYS_WIN32_WIN32SYSTEM_H

#include "sys/System.h"

class CWin32System : public CSystem
{
public:
    bool ReadFile(const std::string& strPath, std::string& strBytes, std::size_t nMaxBytes = SIZE_MAX) override;
    bool WriteFile(const std::string& strPath, const std::string& strBytes) override;
    bool AppendFile(const std::string& strPath, const std::string& strBytes) override;
    bool RemoveFile(const std::string& strPath) override;
    bool CopyFileOver(const std::string& strFrom, const std::string& strTo, EReplace replace) override;
    std::vector<CFoundFile> FindFiles(const std::string& strPattern) override;
    std::string GetWindowsFolder() override;
    std::string GetTempFolder() override;
    std::string GetSystemFolder() override;
    std::string GetSearchPath() override;
    std::string GetCurrentFolder() override;
    COsVersion GetOsVersion() override;
    bool GetShellFolder(EShellFolder folder, std::string& strPath) override;  // Win32Shell.cpp
    bool RegKeyExists(ERoot root, const std::string& strKey, ERegView view = ERegView::Own) override;
    bool RegQueryString(ERoot root, const std::string& strKey, const std::string& strValue,
                        std::size_t nMaxBytes, std::string& strOut, ERegView view = ERegView::Own) override;
    bool RegQueryCommand(ERoot root, const std::string& strKey, const std::string& strValue,
                         std::size_t nMaxBytes, std::string& strOut, ERegView view = ERegView::Own) override;
    EEnumResult RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                              std::size_t nMaxChars, std::string& strName, ERegView view = ERegView::Own) override;
    bool DosDateTimeToFileTime(uint16_t nDate, uint16_t nTime, uint64_t& nFileTime) override;
    uint64_t FileTimeToLocalFileTime(uint64_t nFileTime) override;
    uint64_t GetNow() override;
    void Pause(uint32_t nMilliseconds) override;
    EStartResult StartProcess(const std::string& strProgram, const std::string& strCommandLine,
                              const char* pszFolder, bool bDetached,
                              std::unique_ptr<CFollowedProcess>* pFollow = nullptr) override;
    bool StartElevated(const std::string& strProgram, const std::string& strParameters, const char* pszFolder,
                       std::unique_ptr<CFollowedProcess>* pFollow = nullptr) override;  // Win32Shell.cpp
    bool Utf16ToCp932(const std::u16string& strWide, bool bExact, std::string& strOut) override;
    bool Cp932ToUtf16(const std::string& strText, std::u16string& strOut) override;

private:
    // A REG_SZ or REG_EXPAND_SZ value as stored; *pbExpandable tells which.
    bool QueryString(ERoot root, const std::string& strKey, const std::string& strValue, std::size_t nMaxBytes,
                     std::string& strOut, ERegView view, bool* pbExpandable);
};

#endif
