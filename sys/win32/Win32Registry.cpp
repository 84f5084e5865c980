#include "sys/win32/Win32Registry.h"

#include "sys/win32/Win32System.h"

REGSAM RegViewAccess(CSystem::ERegView view)
{
    if (view == CSystem::ERegView::Own)
        return 0;
    return sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

