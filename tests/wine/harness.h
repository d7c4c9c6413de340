// Shared set-up for the in-process tests: runs the program's real start-up.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Runs StartUp() with translucency available or forced unavailable.
void BootPanel(bool translucency);
// Dispatches pending messages for up to ms milliseconds (or until none are left
// when ms is 0).
void PumpMessages(DWORD ms);
// Pumps messages until condition() holds; false when ms pass first.
bool Within(DWORD ms, const std::function<bool()>& condition);
// Deletes HKLM\SOFTWARE\Qorvsoft\Vexlo so a test starts from a clean system.
void ForgetSettings();
// Reads the LastWindow value; returns false when it is missing.
bool ReadLastWindowValue(char* out, DWORD* bytes, DWORD* type);
// The stored LastWindow string with its terminating NUL, "<none>" when there is none.
std::string StoredLastWindow();
// The title as the settings store it: the text and its NUL.
std::string Stored(const char* title);
// A window's text (at most 255 bytes).
std::string Text(HWND window);
// Refills WindowCombo from a fresh enumeration and selects the window's entry.
bool SelectTarget(HWND window);
// A top-level window of this thread; its class is registered on first use.
HWND MakeWindow(const char* title, DWORD style = WS_POPUP | WS_VISIBLE, int x = 100, int y = 100, int width = 200,
                int height = 150, const char* className = "VexloTestTarget", WNDPROC proc = DefWindowProcA);
// The window's rectangle on the screen.
RECT RectOf(HWND window);
// "left,top widthxheight", of the numbers or of the window on the screen.
std::string Placed(int left, int top, int width, int height);
std::string Placed(HWND window);
// No drag, capture or pointer clip is left from the panel: the clip is the whole screen.
bool PointerFree();
// A press and a release at (x, y) of the panel, through its own procedure.
void PanelClick(int x, int y);
// The panel booted afresh with no stored window (ForgetSettings, then BootPanel).
void FreshPanel(bool translucency = true);
// A click of one of the panel's child buttons, as the button reports it.
void PressButton(HWND button);
