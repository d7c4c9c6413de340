// Layered-window translucency: the probe, the two opacity values and the
// operations that give a window an opacity or take it away. This module owns
// LayeredAvailable, PanelAlpha, TargetAlpha, PanelLayered and the User32 handle.
#pragma once
#include <windows.h>

typedef BOOL(WINAPI* SetLayeredWindowAttributesFn)(HWND, COLORREF, BYTE, DWORD);

extern int LayeredAvailable;
extern SetLayeredWindowAttributesFn LayeredAttributesFunction;
extern HMODULE User32Library;
extern float PanelAlpha;
extern float TargetAlpha;
extern int PanelLayered;

void ProbeTranslucency();
void ApplyOpacity(HWND window, float alpha);
// area NULL means the whole window.
void ClearOpacity(HWND window, const RECT* area);
// SetLayeredWindowAttributes(window, 0, alpha truncated, LWA_ALPHA); only when available.
void SetWindowAlpha(HWND window, float alpha);

#ifdef VEXLO_TEST_HOOKS
// Test builds only: makes the next probe behave as on a system without the function.
extern int TranslucencyForcedUnavailable;
#endif
