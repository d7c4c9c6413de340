// Shared set-up for the in-process tests: runs the program's real start-up.
#pragma once
#include <windows.h>

// Runs StartUp() with translucency available or forced unavailable.
void BootPanel(bool translucency);
// Dispatches pending messages for up to ms milliseconds (or until none are left
// when ms is 0).
void PumpMessages(DWORD ms);
// Deletes HKLM\SOFTWARE\Qorvsoft\Vexlo so a test starts from a clean system.
void ForgetSettings();
// Reads the LastWindow value; returns false when it is missing.
bool ReadLastWindowValue(char* out, DWORD* bytes, DWORD* type);
