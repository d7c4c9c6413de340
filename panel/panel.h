// MainPanel window procedure and the panel's pointer state.
// This module owns HotState, PressedControl, PanelPinned, PanelHidden and PanelExpanded.
#pragma once
#include <windows.h>

extern int HotState;
extern int PressedControl;
extern int PanelPinned;
extern int PanelHidden;
extern int PanelExpanded;

LRESULT CALLBACK MainPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
