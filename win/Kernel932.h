// Files, folders, modules, processes and profiles named by code page 932 texts: the wide
// functions on the NT family, converted whatever the system's code page; the ANSI functions with
// the bytes as they are on Windows 95/98, whose wide functions are stubs. A path or command line
// that is not valid code page 932 is not found (or not started) on either, rather than guessed.
#ifndef KORVELT_WIN_KERNEL932_H
#define KORVELT_WIN_KERNEL932_H

#include "win/Text932.h"

#include <windows.h>

#include <string>
#include <vector>


// INVALID_HANDLE_VALUE when the file does not open.
HANDLE CreateFile932(const std::string& strPath, DWORD dwAccess, DWORD dwShare, DWORD dwDisposition);
bool DeleteFile932(const std::string& strPath);
// Copies over an existing target.
bool CopyFile932(const std::string& strFrom, const std::string& strTo);
// A new empty file of a name of its own in the folder; empty when none can be made.
std::string CreateTempFile932(const std::string& strFolder);
// strNew takes the place of strTarget (which may be missing), in the same folder. On failure
// both are as they were. Windows 95/98 cannot move over a file: there strTarget steps aside under
// a free name of its folder and comes back (were even that to fail, it keeps the free name).
bool ReplaceFile932(const std::string& strNew, const std::string& strTarget);
// One entry of a file search.
struct CFound932
{
    std::string m_strName;        // empty when code page 932 cannot carry it
    bool m_bNameCarried = true;
    DWORD m_dwAttributes = 0;
    FILETIME m_ftLastWrite = {};
};
// Every entry matching the pattern, in the order the file system reports them; none when the
// pattern is not valid code page 932.
std::vector<CFound932> FindFiles932(const std::string& strPattern);

// INVALID_FILE_ATTRIBUTES when the file is not there.
DWORD GetFileAttributes932(const std::string& strPath);
bool SetFileAttributes932(const std::string& strPath, DWORD dwAttributes);
// strFull is left untouched when the path does not resolve, does not fit MAX_PATH or code page 932
// cannot carry the result.
bool GetFullPathName932(const std::string& strPath, std::string& strFull);

// Folders and modules: empty when the path does not fit MAX_PATH or code page 932 cannot carry it.
std::string GetWindowsDirectory932();
std::string GetTempPath932();  // ends in a separator
std::string GetSystemDirectory932();
// An environment variable; empty when it is not set, is too long or code page 932 cannot carry it.
std::string GetEnvironmentVariable932(const char* pszName);
std::string GetModuleFileName932(HMODULE hModule);
// The current folder; where code page 932 cannot carry it or it does not fit MAX_PATH, its short
// (8.3) form when that can and does; empty otherwise.
std::string GetCurrentDirectory932();
// Environment variables replaced as the system does; false when the result is too long or code
// page 932 cannot carry it.
bool ExpandEnvironmentStrings932(const std::string& strText, std::string& strOut);
// For a name to show: a character that code page 932 lacks reads as "?", never as a separator.
std::string GetModuleFileName932Lossy(HMODULE hModule);

// Starts a command line; strProgram is the program's full path, or empty for the one that the
// command line names. The caller owns the handles in info. On failure GetLastError() tells why.
bool CreateProcess932(const std::string& strProgram, const std::string& strCommandLine, const char* pszFolder,
                      DWORD dwFlags, PROCESS_INFORMATION& info);

// A library of the system folder, by its full path: never one of that name that lies beside the
// program or in the current folder. Null when it does not load.
HMODULE LoadSystemLibrary932(const char* pszName);
// From here on, libraries that the system's own libraries load by name come from the system
// folder only, where the system can say so (Windows 7 with its update of 2011 and later; before
// that, XP SP1 and later, at least not from the current folder). Nothing on older systems.
void KeepLibrariesToTheSystem();

// The program's arguments, without its own name: on the NT family from the wide command line (the
// run-time's ANSI ones have passed through the system's code page, which garbles a Japanese name
// on any other system; a character that code page 932 lacks reads as "?", which names no file),
// on Windows 95/98 the run-time's, from the ANSI command line.
std::vector<std::string> GetCommandLineArguments932();

// The profile functions write a new file in the system's ANSI code page, which on most systems
// cannot carry Japanese names; a file that begins as UTF-16 they keep writing as UTF-16. On a
// system whose ANSI code page is not 932 a profile that is not there yet is begun so; a code page
// 932 system gets the file it always had, and Windows 95/98 know no UTF-16 profiles.
void BeginUnicodeProfile932(const std::string& strPath);

// Private profiles. A value that code page 932 cannot carry reads as empty.
std::string GetPrivateProfileString932(const char* pszSection, const std::string& strKey, const std::string& strFile);
UINT GetPrivateProfileInt932(const char* pszSection, const char* pszKey, const std::string& strFile);
// A null key removes the section; a null value removes the key.
bool WritePrivateProfileString932(const char* pszSection, const std::string* pKey, const std::string* pValue,
                                  const std::string& strFile);

#endif
