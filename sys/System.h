// The launcher's one way to the operating system: files, folders, file search, the registry
// (read only), times, and starting processes. Win32System serves the product; HostSystem serves
// native tests with an in-memory registry and settable folders.
#ifndef KORVELT_SYS_SYSTEM_H
#define KORVELT_SYS_SYSTEM_H

#include "sys/FollowedProcess.h"
#include "utils/OsVersion.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One directory entry found by a search.
struct CFoundFile
{
    std::string m_strName;          // the entry's own name, without folder
    // False for a name with a character that code page 932 lacks: m_strName is then empty, as no
    // code page 932 text names that entry. It still counts where only its existence matters.
    bool m_bNameCarried = true;
    bool m_bDirectory = false;
    uint64_t m_nLastWriteTime = 0;  // file time: 100 ns units since 1601, UTC
};

class CSystem
{
public:
    enum class ERoot
    {
        LocalMachine,
        CurrentUser,
    };

    // On 64-bit Windows a 32-bit program's calls see the 32-bit view of HKEY_LOCAL_MACHINE\Software
    // (and of a few other keys); a 64-bit set-up writes to the 64-bit view.
    enum class ERegView
    {
        Own,    // the view this program's plain calls see
        Other,  // under WOW64, the view of the other word size; otherwise the same as Own
    };

    enum class EEnumResult
    {
        Found,     // name holds the subkey's name
        TooLong,   // the subkey exists but its name does not fit
        NotCp932,  // the subkey exists but its name holds a character that code page 932 lacks
        NoMore,    // no subkey with this index, or the key cannot be opened
    };

    enum class EShellFolder
    {
        CommonPrograms,  // the Start menu's Programs folder of all users
        Programs,        // the current user's own
    };

    // Which existing target a copy may replace; a missing one is always made.
    enum class EReplace
    {
        Any,
        Older,  // only one last written before the source (DosTime.h's IsOlderFileTime)
    };

    enum class EStartResult
    {
        Started,
        Failed,
        ElevationRequired,  // the program asks for administrator rights that this process lacks
    };

    virtual ~CSystem() = default;

    // Files. Paths may use backslashes as separators and are relative to the current folder
    // unless absolute. Output parameters are left untouched on failure. Every text passed in is
    // code page 932, whatever the system's own code page; a path, key or command line that is not
    // valid code page 932 is not found (or not started) rather than guessed.
    // At most nMaxBytes from the start of the file (a set-up's kind is in its first bytes).
    virtual bool ReadFile(const std::string& strPath, std::string& strBytes, std::size_t nMaxBytes = SIZE_MAX) = 0;
    virtual bool WriteFile(const std::string& strPath, const std::string& strBytes) = 0;  // create or truncate
    // Adds the bytes at the end of the file, which is made when missing; others may read it
    // meanwhile.
    virtual bool AppendFile(const std::string& strPath, const std::string& strBytes) = 0;
    virtual bool RemoveFile(const std::string& strPath) = 0;
    // Copies a file through a new one beside the target, which then takes the target's place, so
    // that a copy failing part-way leaves the target as it was; the copy loses the read-only
    // attribute (files from a CD have it). As the system's own copy does, it never replaces a
    // target that is read-only or hidden (on the host: one without the owner's write permission,
    // or whose name begins with "."). With EReplace::Older it replaces only a target last written
    // before its source, so a file that the user changed since survives. True when the target now
    // holds the copy.
    virtual bool CopyFileOver(const std::string& strFrom, const std::string& strTo, EReplace replace) = 0;

    // Every entry matching a pattern whose last component may hold * and ?, in the order the
    // file system reports them.
    virtual std::vector<CFoundFile> FindFiles(const std::string& strPattern) = 0;

    // Folders and the program itself; empty when the path does not fit or code page 932 cannot
    // carry it.
    virtual std::string GetWindowsFolder() = 0;  // no trailing backslash
    virtual std::string GetSystemFolder() = 0;   // no trailing backslash
    // The PATH variable's folders, separated by ";"; empty when there is none.
    virtual std::string GetSearchPath() = 0;
    virtual std::string GetTempFolder() = 0;     // ends in a separator
    // The current folder, absolute. Where code page 932 cannot carry it (a name with a letter
    // that it lacks) or it reaches MAX_PATH, its short (8.3) form when that can be carried and
    // fits; empty otherwise, so that no path is ever built on the root of the current drive.
    virtual std::string GetCurrentFolder() = 0;
    // Which Windows this is (family, version, WOW64), read once.
    virtual COsVersion GetOsVersion() = 0;
    // A shell folder of Windows 2000 and later; false when the system has none or code page 932
    // cannot carry its path.
    virtual bool GetShellFolder(EShellFolder folder, std::string& strPath) = 0;

    // Registry, read only. Key paths are relative to the root and compared without regard to
    // letter case, as the registry does.
    virtual bool RegKeyExists(ERoot root, const std::string& strKey, ERegView view = ERegView::Own) = 0;
    // A string value of at most nMaxBytes bytes including its terminator; false for one with a
    // character that code page 932 lacks.
    virtual bool RegQueryString(ERoot root, const std::string& strKey, const std::string& strValue,
                                std::size_t nMaxBytes, std::string& strOut, ERegView view = ERegView::Own) = 0;
    // The same for a command line (an uninstall string): a value stored as REG_EXPAND_SZ comes
    // back with its environment variables expanded, as the system's own Programs list starts it;
    // nMaxBytes limits the value as stored. False when the expansion fails or code page 932
    // cannot carry it.
    virtual bool RegQueryCommand(ERoot root, const std::string& strKey, const std::string& strValue,
                                 std::size_t nMaxBytes, std::string& strOut, ERegView view = ERegView::Own) = 0;
    // The subkey with the given index; names longer than nMaxChars code page 932 bytes do not
    // fit. Enumeration goes on past a subkey that does not fit or that code page 932 cannot name.
    virtual EEnumResult RegEnumSubKey(ERoot root, const std::string& strKey, uint32_t nIndex,
                                      std::size_t nMaxChars, std::string& strName, ERegView view = ERegView::Own) = 0;
    // True for a 32-bit process on 64-bit Windows, where the two registry views differ.
    bool IsWow64() { return GetOsVersion().m_bWow64; }

    // Times. False when the DOS date or time is not valid.
    virtual bool DosDateTimeToFileTime(uint16_t nDate, uint16_t nTime, uint64_t& nFileTime) = 0;
    virtual uint64_t FileTimeToLocalFileTime(uint64_t nFileTime) = 0;
    // Now, as a file time (UTC).
    virtual uint64_t GetNow() = 0;
    // Lets the given time pass (between two looks at a program being followed).
    virtual void Pause(uint32_t nMilliseconds) = 0;

    // Starts a command line without waiting for it. strProgram is the full path of the program to
    // start, or empty when the command line names it with its folder; the program sees the
    // command line as it is. pszFolder is the working folder, or null for the launcher's own. A
    // detached child gets no console. With pFollow, *pFollow follows the started program (inside a
    // job of its own where the system has them); without, no handle is kept.
    virtual EStartResult StartProcess(const std::string& strProgram, const std::string& strCommandLine,
                                      const char* pszFolder, bool bDetached,
                                      std::unique_ptr<CFollowedProcess>* pFollow = nullptr) = 0;
    // Starts a program with administrator rights (the system asks the user for consent), without
    // waiting for it. strParameters is the command line after the program. pFollow as above; an
    // elevated program is followed through its handle alone where the system refuses it a job.
    virtual bool StartElevated(const std::string& strProgram, const std::string& strParameters,
                               const char* pszFolder, std::unique_ptr<CFollowedProcess>* pFollow = nullptr) = 0;

    // Text conversion between UTF-16 and code page 932, whatever the ANSI code page of the
    // machine. Utf16ToCp932 with bExact false puts "?" for a character that code page 932 lacks
    // (and for a lone surrogate) and always succeeds; with bExact true such a character fails
    // the call. Cp932ToUtf16 fails on bytes that are not valid code page 932. strOut is left
    // untouched on failure.
    virtual bool Utf16ToCp932(const std::u16string& strWide, bool bExact, std::string& strOut) = 0;
    virtual bool Cp932ToUtf16(const std::string& strText, std::u16string& strOut) = 0;
};

// The system the launcher uses: the platform's own unless a test installs another.
CSystem& TheSystem();
// Installs pSystem (not owned) for all later calls; null returns to the platform's own.
void SetTheSystem(CSystem* pSystem);

#endif
