// Screen capture of a window into a PNG file, and waiting for another process's
// window (used by the screenshot tool and the end-to-end tests).
#pragma once
#include <windows.h>

// Copies the screen under the window's rectangle (width x height from its top-left).
bool CaptureWindowPng(HWND window, int width, int height, const char* path);
// Reads one screen pixel through a fresh screen DC.
COLORREF ScreenPixel(int x, int y);
// A visible top-level window of process pid with this class (and title, unless
// NULL), waited for up to ms milliseconds; NULL if none came.
HWND WaitForProcessWindow(DWORD pid, const char* cls, const char* title, DWORD ms);
// Real pointer input: SendInput to the screen point (x, y), with flags such as
// MOUSEEVENTF_LEFTDOWN added to the move.
void SendPointer(DWORD flags, int x, int y);
