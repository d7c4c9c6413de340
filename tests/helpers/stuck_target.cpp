// A target in a process of its own for the action tests and the soak. Its thread
// owns `count` plain windows titled "Stuck Target 0", "Stuck Target 1", ...; a
// posted WM_APP puts the owning thread to sleep for wParam milliseconds, so it
// answers nothing at all until it wakes. The events named after the test's
// process id tell the test when the windows exist and while a thread sleeps.
// Command line: <test process id> <count> [soak]. It ends with the test process.
// With "soak" the windows bear the soak's titles, and a thread message WM_APP + 1
// (wParam: window number, lParam: 1 to destroy it first) brings one back home.
#include <windows.h>

#include <cstdio>
#include <cstring>

static HANDLE Asleep;
static HINSTANCE Instance;
static bool Soak;

// Sorted first in the panel's list; the last is 1251 text of more than 99 bytes.
static const char* const kSoakTitles[] = {
    "000 Soak plain", "001 Soak plain", "002 Soak reborn",
    "003 Soak Длинное окно с русским заголовком: АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ "
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюя єЄіІ 0123456789"};
const int kSoakCount = 4;
static HWND Windows[16];

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

static void MakeWindow(int i)
{
    char title[32];
    sprintf(title, "Stuck Target %d", i);
    // Soak targets stand left of the centred panel, clear of the tray in the corner.
    Windows[i] = CreateWindowExA(0, "VexloStuckTarget", Soak ? kSoakTitles[i] : title,
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, Soak ? 10 + 20 * i : 40 + 30 * i,
                                 Soak ? 120 + 60 * i : 40 + 20 * i, 200, 150, NULL, NULL, Instance, NULL);
}

static void BringBack(int i, bool recreate)
{
    if (i < 0 || i >= kSoakCount)
        return;
    if (recreate && IsWindow(Windows[i]))
        DestroyWindow(Windows[i]);
    if (!IsWindow(Windows[i])) {
        MakeWindow(i);
        return;
    }
    SetWindowLongA(Windows[i], GWL_EXSTYLE, GetWindowLongA(Windows[i], GWL_EXSTYLE) & ~WS_EX_LAYERED);
    SetWindowPos(Windows[i], HWND_NOTOPMOST, 10 + 20 * i, 120 + 60 * i, 200, 150, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Pumps the calling thread's windows until the test process ends.
static int Pump(HANDLE test)
{
    for (;;) {
        if (MsgWaitForMultipleObjects(1, &test, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0)
            return 0;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return 0;
            if (msg.hwnd == NULL && msg.message == WM_APP + 1)
                BringBack((int)msg.wParam, msg.lParam == 1);
            DispatchMessageA(&msg);
        }
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    unsigned long testId = 0;
    int count = 0;
    char mode[8] = "";
    if (sscanf(commandLine, "%lu %d %7s", &testId, &count, mode) < 2)
        return 2;
    Soak = std::strcmp(mode, "soak") == 0;
    Instance = instance;
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
    for (int i = 0; i < count && i < (Soak ? kSoakCount : 16); ++i)
        MakeWindow(i);
    SetEvent(ready);
    return Pump(test);
}
