// The registry views of 64-bit Windows as the Win32 calls name them.
#ifndef KORVELT_SYS_WIN32_WIN32REGISTRY_H
#define KORVELT_SYS_WIN32_WIN32REGISTRY_H

#include "sys/System.h"

#include <windows.h>

// The access flag that opens a key in the given view. The own view gets none, so that every
// system (Windows 2000 and older know no view flags) sees exactly the plain call.
REGSAM RegViewAccess(CSystem::ERegView view);

#endif
