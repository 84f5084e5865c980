#include "Win32PictureReporter.h"

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
    std::string strName(szPath, nLength < MAX_PATH ? nLength : MAX_PATH);
    // Code page 932 trail bytes can equal '\\', so the folder is cut at the last separator
    // that is not the second byte of a double-byte character.
    std::size_t nStart = 0;
    for (std::size_t i = 0; i < strName.size(); ++i)
    {
        if (::IsDBCSLeadByte(static_cast<BYTE>(strName[i])) && i + 1 < strName.size())
            ++i;
        else if (strName[i] == '\\' || strName[i] == '/' || strName[i] == ':')
            nStart = i + 1;
    }
    strName.erase(0, nStart);
    const std::size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        strName.erase(nDot);
    return strName;
}
