#include "Win32PictureReporter.h"

#include "Cp932.h"
#include "WideText.h"

#include <windows.h>

void CWin32PictureReporter::Report(EBox box, const std::string& strText)
{
    if (box == EBox::Program)
    {
        const std::wstring strCaption = WideFrom932(GetProgramName());
        ::MessageBoxW(::GetActiveWindow(), WideFrom932(strText).c_str(), strCaption.c_str(),
                      MB_OK | MB_ICONEXCLAMATION);
    }
    else
    {
        ::MessageBoxW(nullptr, WideFrom932(strText).c_str(), nullptr, MB_OK | MB_ICONINFORMATION);
    }
}

std::string CWin32PictureReporter::GetProgramName()
{
    wchar_t szPath[MAX_PATH] = {};
    const DWORD nLength = ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    // A character that code page 932 lacks becomes "?", never a separator.
    return FileBaseName(Cp932FromWideLossy(std::wstring(szPath, nLength < MAX_PATH ? nLength : MAX_PATH)));
}
