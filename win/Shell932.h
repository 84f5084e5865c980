// The shell's folders and the elevated start, by code page 932 texts, in the form the running
// Windows implements. Both shell functions are looked up at run time, so the program still loads
// on Windows 95/98 and NT 4, whose shell32 has no SHGetFolderPath.
#ifndef KORVELT_WIN_SHELL932_H
#define KORVELT_WIN_SHELL932_H

#include "win/ScopedHandle.h"

#include <string>

constexpr int kCsidlPrograms = 0x0002;        // CSIDL_PROGRAMS
constexpr int kCsidlCommonPrograms = 0x0017;  // CSIDL_COMMON_PROGRAMS

// The path of a shell folder (a CSIDL); false when the system has none, the folder does not
// exist or code page 932 cannot carry its path. strPath is left untouched on failure.
bool GetShellFolderPath932(int nCsidl, std::string& strPath);

// Starts a program with administrator rights through the shell, which asks the user; without
// waiting, keeping no handle. False when the start fails or is declined, and on Windows 95/98,
// which know no such rights.
// With pProcess, the started process's handle goes there (null when the shell gives none);
// without, it is closed.
bool StartElevated932(const std::string& strProgram, const std::string& strParameters, const char* pszFolder,
                      CScopedKernelHandle* pProcess = nullptr);

#endif
