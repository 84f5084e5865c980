// The common dialogs' file prompt and file titles with code page 932 texts: the wide functions on
// the NT family, the ANSI functions with the bytes as they are on Windows 95/98.
#ifndef KORVELT_WIN_COMMONDIALOGS932_H
#define KORVELT_WIN_COMMONDIALOGS932_H

#include <windows.h>

#include <string>

// The Open or Save As box. strFilter holds the pairs "name\0pattern\0" and ends in another
// "\0"; strDefExt is without the dot. strPath gives the first name and takes the chosen one;
// false when the user cancels, and when code page 932 cannot carry the chosen name (strPath is
// left untouched then, and bNotCarried set).
bool PromptFileName932(HWND hOwner, const std::string& strFilter, const std::string& strDefExt, DWORD dwFlags,
                       bool bSave, std::string& strPath, bool& bNotCarried);

// The title the system gives the file (its name as the shell shows it); false when it gives none.
bool GetFileTitle932(const std::string& strPath, std::string& strTitle);

#endif
