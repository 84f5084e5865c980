// The shell's folders and the elevated start, through the edge that knows the running Windows.
#include "sys/win32/Win32System.h"

#include "win/Shell932.h"

bool CWin32System::GetShellFolder(EShellFolder folder, std::string& strPath)
{
    return GetShellFolderPath932(folder == EShellFolder::CommonPrograms ? kCsidlCommonPrograms : kCsidlPrograms,
                                 strPath);
}

bool CWin32System::StartElevated(const std::string& strProgram, const std::string& strParameters,
                                 const char* pszFolder)
{
    return StartElevated932(strProgram, strParameters, pszFolder);
}
