#include "Win32PictureReporter.h"

#include "Cp932.h"

#include <windows.h>

void CWin32PictureReporter::Report(EBox box, const std::string& strText)
{
    if (box == EBox::Program)
    {
        const std::string strCaption = GetProgramName();
        ::MessageBoxA(::GetActiveWindow(), strText.c_str(), strCaption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    else
    {
        ::MessageBoxA(nullptr, strText.c_str(), nullptr, MB_OK | MB_ICONINFORMATION);
    }
}

std::string CWin32PictureReporter::GetProgramName()
{
    char szPath[MAX_PATH] = {};
    const DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    return FileBaseName(std::string(szPath, nLength < MAX_PATH ? nLength : MAX_PATH));
}
