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
// A click of one of the panel's child buttons, as the button reports it.
void PressButton(HWND button);
