#include "sys/System.h"

namespace {
CSystem* g_pInstalled = nullptr;
}

CSystem& DefaultSystem();  // the platform's own, from Win32System.cpp or HostSystem.cpp

CSystem& TheSystem()
{
    return g_pInstalled ? *g_pInstalled : DefaultSystem();
}

void SetTheSystem(CSystem* pSystem)
{
    g_pInstalled = pSystem;
}
