// The system for native tests: real files and folders of the host, with backslashes taken as
// separators; an in-memory registry with two views that the test fills; settable Windows,
// temporary, program and shell folder paths, version, WOW64 and local-time offset; started
// processes recorded instead of run.
#ifndef KORVELT_SYS_HOSTSYSTEM_H
#define KORVELT_SYS_HOSTSYSTEM_H

#include "sys/System.h"

#include <functional>
#include <map>
#include <set>
#include <tuple>

class CHostSystem : public CSystem
{
public:
    struct CStarted
    {
        std::string m_strCommandLine;
        bool m_bHasFolder = false;
        std::string m_strFolder;
        bool m_bDetached = false;
        std::string m_strProgram;  // empty: named by the command line
    };

    struct CStartedElevated
    {
        std::string m_strProgram;
        std::string m_strParameters;
        bool m_bHasFolder = false;
        std::string m_strFolder;
    };

    CHostSystem();

    // Test settings.
    std::string m_strWindowsDirectory;
    std::string m_strSystemDirectory;
    std::string m_strSearchPath;
    std::string m_strTempPath;
    std::string m_strCurrentFolder;          // empty: code page 932 cannot carry it
    std::map<std::string, std::string> m_environment;  // for REG_EXPAND_SZ values, by upper-case name
    std::string m_strCommonPrograms;          // shell folders; empty: the system has none
    std::string m_strPrograms;
    uint32_t m_nVersion = 0x0A280105;        // as GetVersion gives it; an NT-family version by default
    bool m_bWow64 = false;
    int64_t m_nLocalOffset = 0;               // added to UTC file times, 100 ns units
    EStartResult m_startResult = EStartResult::Started;
    bool m_bElevatedStartSucceeds = true;
    std::vector<CStarted> m_started;
    std::vector<CStartedElevated> m_startedElevated;
    std::unique_ptr<CFollowedProcess> m_pNextFollowed;
    // When set, what each start asked to follow hands out instead, made for the start just recorded.
    std::function<std::unique_ptr<CFollowedProcess>(const std::string& strCommandLine)> m_makeFollowed;
    uint64_t m_nNow = 0;                      // GetNow's answer; each Pause moves it on
    std::function<void()> m_onPause;          // called by each Pause, after the clock moved

    // Registry contents, one table per view. Keys are created with their parents; subkeys
    // enumerate in the order they were added. A subkey name that is not valid code page 932
    // stands for a name with a character that code page 932 lacks: it enumerates as such.
    void AddRegKey(ERoot root, const std::string& strKey, ERegView view = ERegView::Own);
    void SetRegString(ERoot root, const std::string& strKey, const std::string& strValue, const std::string& strData,
                      ERegView view = ERegView::Own);
    // A REG_EXPAND_SZ value: RegQueryCommand expands it with m_environment.
    void SetRegExpandString(ERoot root, const std::string& strKey, const std::string& strValue,
                            const std::string& strData, ERegView view = ERegView::Own);
    void RemoveRegKey(ERoot root, const std::string& strKey, ERegView view = ERegView::Own);  // with its subkeys

    // A host path for a path written with backslashes (code page 932 aware).
    static std::string NativePath(const std::string& strPath);

    bool ReadFile(const std::string& strPath, std::string& strBytes, std::size_t nMaxBytes = SIZE_MAX) override;
    bool WriteFile(const std::string& strPath, const std::string& strBytes) override;
    bool AppendFile(const std::string& strPath, const std::string& strBytes) override;
    bool RemoveFile(const std::string& strPath) override;
    bool CopyFileOver(const std::string& strFrom, const std::string& strTo, EReplace replace) override;
    std::vector<CFoundFile> FindFiles(const std::string& strPattern) override;
    std::string GetWindowsFolder() override { return m_strWindowsDirectory; }
    std::string GetSystemFolder() override { return m_strSystemDirectory; }
    std::string GetSearchPath() override { return m_strSearchPath; }
    std::string GetTempFolder() override { return m_strTempPath; }
    std::string GetCurrentFolder() override { return m_strCurrentFolder; }
    COsVersion GetOsVersion() override { return COsVersion::FromGetVersion(m_nVersion, m_bWow64); }
    bool GetShellFolder(EShellFolder folder, std::string& strPath) override;
    bool RegKeyExists(ERoot root, const std::string& strKey, ERegView view = ERegView::Own) override;
    bool RegQueryString(ERoot root, const std::string& strKey, const std::string& strValue,
                        std::size_t nMaxBytes, std::string& strOut, ERegView view = ERegView::Own) override;
    bool RegQueryCommand(ERoot root, const std::string& strKey, const std::string& strValue,
                         std::size_t nMaxBytes, std::string& strOut, ERegView view = ERegView::Own) override;
    EEnumResult RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                              std::size_t nMaxChars, std::string& strName, ERegView view = ERegView::Own) override;
    bool DosDateTimeToFileTime(uint16_t nDate, uint16_t nTime, uint64_t& nFileTime) override;
    uint64_t FileTimeToLocalFileTime(uint64_t nFileTime) override;
    uint64_t GetNow() override { return m_nNow; }
    void Pause(uint32_t nMilliseconds) override;
    // Records the program and the command line and answers m_startResult.
    // Asked to follow, hands out m_pNextFollowed (null when none is set).
    EStartResult StartProcess(const std::string& strProgram, const std::string& strCommandLine,
                              const char* pszFolder, bool bDetached,
                              std::unique_ptr<CFollowedProcess>* pFollow = nullptr) override;
    bool StartElevated(const std::string& strProgram, const std::string& strParameters, const char* pszFolder,
                       std::unique_ptr<CFollowedProcess>* pFollow = nullptr) override;
    // iconv's CP932 on the host; in the Windows tree the platform's own conversion.
    bool Utf16ToCp932(const std::u16string& strWide, bool bExact, std::string& strOut) override;
    bool Cp932ToUtf16(const std::string& strText, std::u16string& strOut) override;

private:
    struct CKey
    {
        std::vector<std::string> m_subKeys;                // names as added, in order
        std::map<std::string, std::string> m_values;       // by lower-case name
        std::set<std::string> m_expandable;                // lower-case names of REG_EXPAND_SZ values
    };
    using KeyId = std::tuple<ERoot, ERegView, std::string>;  // root, view and lower-case full path

    static std::string Normalize(const std::string& strKey);  // lower case, no stray backslashes
    CKey* FindKey(ERoot root, ERegView view, const std::string& strKey);

    std::map<KeyId, CKey> m_keys;
};

// Matches a name against a pattern of * and ? (ASCII letters without regard to case).
bool MatchesWildcard(const std::string& strName, const std::string& strPattern);

#endif
