// The panel's pointer messages: the tooltip relay, the hover and press looks,
// and the actions of the drawn controls.
#pragma once
#include <windows.h>

LRESULT OnPanelMouseMove(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnPanelButtonDown(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnPanelButtonUp(LPARAM lParam);
LRESULT OnPanelNcButtonUp();
// WM_CAPTURECHANGED: taker is the window that now holds the capture, if any.
LRESULT OnPanelCaptureChanged(HWND window, HWND taker);
// Posted to the panel when the platform let its capture go while the button
// was still held on it: the press goes on where the input did not go elsewhere.
constexpr UINT ResumeCaptureMessage = WM_APP + 1;
LRESULT OnResumeCapture(HWND window);
// WM_ACTIVATE with WA_INACTIVE: a press still held is resumed as above.
LRESULT OnPanelDeactivated(HWND window);
// A press of a drawn button or a drag holds the pointer now.
bool PanelPressHeld();
// WM_DESTROY: a press or drag still held lets the pointer go.
void ReleasePointerOnDestroy();
