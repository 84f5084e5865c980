#include "dib/win32/Win32PictureReporter.h"

#include "utils/Cp932.h"
#include "win/Kernel932.h"
#include "win/User932.h"

#include <windows.h>

void CWin32PictureReporter::Report(EBox box, const std::string& strText)
{
    if (box == EBox::Program)
    {
        const std::string strCaption = GetProgramName();
        MessageBox932(::GetActiveWindow(), strText, &strCaption, MB_OK | MB_ICONEXCLAMATION);
    }
    else
    {
        MessageBox932(nullptr, strText, nullptr, MB_OK | MB_ICONINFORMATION);
    }
}

std::string CWin32PictureReporter::GetProgramName()
{
    // A character that code page 932 lacks becomes "?", never a separator.
    return FileBaseName(GetModuleFileName932Lossy(nullptr));
}
