// The program's one application object and its entry point, which hands over to the framework.
#include "app/KorveltApp.h"

static CKorveltApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR pszCmdLine, int nCmdShow)
{
    return theApp.WinMain(hInstance, pszCmdLine, nCmdShow);
}
