// A target in a process of its own for the action tests. Its one thread owns
// `count` plain windows titled "Stuck Target 0", "Stuck Target 1", ...; a posted
// WM_APP puts that thread to sleep for wParam milliseconds, so it answers
// nothing at all until it wakes. The events named after the test's process id
// tell the test when the windows exist and while the thread sleeps.
// Command line: <test process id> <count>. It ends with the test process.
#include <windows.h>

#include <cstdio>

static HANDLE Asleep;

static LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        SetEvent(Asleep);
        Sleep((DWORD)wParam);
        ResetEvent(Asleep);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    unsigned long testId = 0;
    int count = 0;
    if (sscanf(commandLine, "%lu %d", &testId, &count) != 2)
        return 2;
    char name[64];
    sprintf(name, "VexloStuckAsleep%lu", testId);
    Asleep = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    sprintf(name, "VexloStuckReady%lu", testId);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    HANDLE test = OpenProcess(SYNCHRONIZE, FALSE, testId);
    if (!Asleep || !ready || !test)
        return 3;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = "VexloStuckTarget";
    RegisterClassA(&wc);
    for (int i = 0; i < count; ++i) {
        char title[32];
        sprintf(title, "Stuck Target %d", i);
        CreateWindowExA(0, "VexloStuckTarget", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40 + 30 * i,
                        40 + 20 * i, 200, 150, NULL, NULL, instance, NULL);
    }
    SetEvent(ready);

    for (;;) {
        if (MsgWaitForMultipleObjects(1, &test, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
            return 0;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return 0;
            DispatchMessageA(&msg);
        }
    }
}
