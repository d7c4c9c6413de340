#include "app/shell.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A second copy leaves at once: no window, no tray icon, no registry access.
    if (CheckSingleInstance())
        ExitProcess(0);
    StartUp();
    RunMessageLoop();
    ExitProcess(static_cast<UINT>(TearDown()));
    return 0;
}
