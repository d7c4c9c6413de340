// The panel's pointer messages: the tooltip relay, the hover and press looks,
// and the actions of the drawn controls.
#pragma once
#include <windows.h>

LRESULT OnPanelMouseMove(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnPanelButtonDown(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnPanelButtonUp(LPARAM lParam);
