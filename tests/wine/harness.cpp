#include "tests/wine/harness.h"

#include "app/shell.h"
#include "app/translucency.h"

void BootPanel(bool translucency)
{
    TranslucencyForcedUnavailable = translucency ? 0 : 1;
    // Tests send the pointer messages themselves; the real pointer stays off the panel.
    SetCursorPos(0, 0);
    StartUp();
    PumpMessages(0);
}

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetTickCount() - start >= ms)
            break;
        Sleep(5);
    }
}

void ForgetSettings()
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qorvsoft\\Vexlo");
}

bool ReadLastWindowValue(char* out, DWORD* bytes, DWORD* type)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qorvsoft\\Vexlo", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG status = RegQueryValueExA(key, "LastWindow", NULL, type, reinterpret_cast<BYTE*>(out), bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
