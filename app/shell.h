// Application shell: start-up, the message loop and teardown.
// The shell owns every value declared here; other modules read them.
#pragma once
#include <windows.h>

struct PanelPlacementRecord {
    int left;
    int top;
    int width;
    int height;
};

extern HINSTANCE ModuleInstance;
extern HWND DesktopWindow;
extern HWND MainPanel;
extern float DesktopWidth;
extern float DesktopHeight;
extern float PanelWidth;   // client width, measured once after the panel is shown
extern float PanelHeight;  // client height; the fold animation changes it
extern PanelPlacementRecord PanelPlacement;
extern HDC PanelDC;
extern LOGFONTA FontTemplate;
extern HFONT ControlFont;

// True when another copy runs (or the mutex could not be made).
bool CheckSingleInstance();
// Everything between the single-instance check and the message loop.
void StartUp();
// GetMessageA/TranslateMessage/DispatchMessageA until WM_QUIT.
void RunMessageLoop();
// Releases what the shell still holds; returns the process exit code (1).
int TearDown();

// MainPanel's WM_CLOSE and WM_DESTROY.
void OnPanelClose(HWND window);
void OnPanelDestroy();

// Fills FontTemplate's height, width and weight and creates a font from it.
// Every panel font goes through here, so the face policy lives in one place.
HFONT CreateTemplateFont(LONG height, LONG width, LONG weight);
// The same policy for any record: fills its height, width and weight and creates
// the font. Turned text (escapement set) always gets the scalable substitute.
HFONT CreatePolicyFont(LOGFONTA* record, LONG height, LONG width, LONG weight, bool turned);
