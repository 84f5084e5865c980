// Stand-in removal program of the sample medium: undoes the stand-in set-up by deleting the
// check key, the Start-menu file and the folder (when empty) that the same arguments name.
#include "StandinOptions.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CStandinOptions options;
    options.Parse(::GetCommandLineA());
    if (options.m_strKey.empty())
        return 2;

    if (!options.m_strStartMenu.empty())
        ::DeleteFileA(CStandinOptions::StartMenuPath(options.m_strStartMenu).c_str());
    if (!options.m_strFolder.empty())
        ::RemoveDirectoryA(options.m_strFolder.c_str());
    // The key has no subkeys of its own, so the plain delete serves every platform.
    const LONG lResult = ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, options.m_strKey.c_str());
    return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND ? 0 : 1;
}
