#include "app/translucency.h"

int LayeredAvailable;
SetLayeredWindowAttributesFn LayeredAttributesFunction;
HMODULE User32Library;
float PanelAlpha;
float TargetAlpha;
int PanelLayered;

#ifdef VEXLO_TEST_HOOKS
int TranslucencyForcedUnavailable;
#endif

#ifndef WS_EX_LAYERED
#define WS_EX_LAYERED 0x00080000
#endif
#ifndef LWA_ALPHA
#define LWA_ALPHA 0x00000002
#endif

void ProbeTranslucency()
{
    LayeredAvailable = 0;
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT || version.dwMajorVersion <= 4)
        return;
    User32Library = LoadLibraryA("User32.dll");
    FARPROC found = GetProcAddress(User32Library, "SetLayeredWindowAttributes");
#ifdef VEXLO_TEST_HOOKS
    if (TranslucencyForcedUnavailable)
        found = NULL;
#endif
    if (found == NULL)
        return;
    LayeredAttributesFunction = reinterpret_cast<SetLayeredWindowAttributesFn>(
        reinterpret_cast<void (*)()>(found));
    LayeredAvailable = 1;
    PanelAlpha = 255.0f;
    TargetAlpha = 255.0f;
}

void SetWindowAlpha(HWND window, float alpha)
{
    if (!LayeredAvailable || LayeredAttributesFunction == NULL)
        return;
    // Truncated toward zero; the low byte is the alpha.
    BYTE value = static_cast<BYTE>(static_cast<int>(alpha) & 0xFF);
    LayeredAttributesFunction(window, 0, value, LWA_ALPHA);
}

void ApplyOpacity(HWND window, float alpha)
{
    LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetWindowAlpha(window, alpha);
}

void ClearOpacity(HWND window, const RECT* area)
{
    LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
    RedrawWindow(window, area, NULL, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}
