// The window both reference programs show: the panel's class style aside, the
// same size, place and z-order as the panel's first frame.
#pragma once
#include <windows.h>

inline HWND ShowReferenceWindow(HINSTANCE inst, const char* className, WNDPROC proc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    RECT d;
    GetClientRect(GetDesktopWindow(), &d);
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, className, className, WS_POPUP,
                             (d.right - 370) / 2, (d.bottom - 150) / 2, 370, 150, NULL, NULL, inst, NULL);
    ShowWindow(w, SW_SHOWNA);
    return w;
}
