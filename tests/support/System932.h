// The tests' own set-up and look-ups on the system, for what the program's edge (win/) has no
// function of its own: the wide functions on the NT family, the ANSI functions with the code page
// 932 bytes as they are on Windows 95/98, chosen as the edge chooses. The tests run as Windows 98
// too, where the wide functions are stubs, and must then make their files and keys the same way.
#ifndef KORVELT_TESTS_SYSTEM932_H
#define KORVELT_TESTS_SYSTEM932_H

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Folders: one level, the names in one (not the entries "." and ".."), and the folder with
// everything in it, read-only files included.
bool CreateFolder932(const std::string& strPath);
std::vector<std::string> ListFolder932(const std::string& strPath);
bool RemoveTree932(const std::string& strPath);

// Creates or replaces the file with exactly these bytes; its contents, or nothing when it does
// not open.
bool WriteFile932(const std::string& strPath, const std::string& strBytes);
std::optional<std::string> ReadFile932(const std::string& strPath);

// Registry keys below a root, in the default view; a value is made with its key.
bool SetRegString932(HKEY hRoot, const std::string& strKey, const std::string& strValue, const std::string& strData);
bool RegKeyExists932(HKEY hRoot, const std::string& strKey);
// The key with everything below it.
void DeleteRegTree932(HKEY hRoot, const std::string& strKey);

// A profile value, or strDefault when the file has none.
std::string ReadProfile932(const std::string& strFile, const char* pszSection, const char* pszKey,
                           const char* pszDefault);

// Window classes and fonts as the system reports them; characters that code page 932 lacks
// read as "?".
std::string GetClassName932(HWND hWnd);
std::string GetFontFace932(HFONT hFont);

#endif
