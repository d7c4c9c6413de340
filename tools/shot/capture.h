// Screen capture of a window into a PNG file (used by the screenshot tool and the
// end-to-end tests).
#pragma once
#include <windows.h>

// Copies the screen under the window's rectangle (width x height from its top-left).
bool CaptureWindowPng(HWND window, int width, int height, const char* path);
// Reads one screen pixel through a fresh screen DC.
COLORREF ScreenPixel(int x, int y);
