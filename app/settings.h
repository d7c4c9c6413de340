// Settings store: the one remembered value, the title of the window last acted on.
// This module owns LastWindowText.
#pragma once
#include <windows.h>

extern char LastWindowText[100];

void ReadSettings();
void SaveLastWindow(HWND target);
