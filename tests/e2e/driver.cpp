#include "tests/e2e/driver.h"

#include "tools/shot/capture.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string ExePath()
{
    const char* unixPath = std::getenv("VEXLO_EXE");
    if (unixPath == NULL)
        return "vexlo.exe";
    // Wine maps the Unix root to drive Z:.
    std::string p = std::string("Z:") + unixPath;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

Launched Launch()
{
    Launched l = {};
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string cmd = "\"" + ExePath() + "\"";
    l.ok = CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &l.pi) != 0;
    return l;
}

HWND WaitForPanel(DWORD pid, DWORD ms)
{
    HWND panel = NULL;
    WaitFor(
        [&] {
            panel = WaitForProcessWindow(pid, "Vexlo_App", NULL, 0);
            char title[16] = "";
            // The title comes a moment after the window shows; wait for both.
            return panel && IsWindowVisible(panel) && GetWindowTextA(panel, title, sizeof(title)) &&
                   std::strcmp(title, "Vexlo") == 0;
        },
        ms);
    return panel;
}

DWORD WaitExit(const Launched& l, DWORD ms)
{
    DWORD code = 0xDEADBEEF;
    if (WaitFor([&] { return WaitForSingleObject(l.pi.hProcess, 0) == WAIT_OBJECT_0; }, ms))
        GetExitCodeProcess(l.pi.hProcess, &code);
    return code;
}

int WindowHeight(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

void CloseHandles(Launched& l)
{
    CloseHandle(l.pi.hThread);
    CloseHandle(l.pi.hProcess);
}

DWORD ClosePanel(HWND panel, Launched& l)
{
    PostMessageA(panel, WM_CLOSE, 0, 0);
    DWORD code = WaitExit(l, 30000);
    if (code == 0xDEADBEEF)
        TerminateProcess(l.pi.hProcess, 2);
    CloseHandles(l);
    return code;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (GetTickCount() - start > ms)
            return false;
        Sleep(10);
    }
}

// Where the driver last put the pointer; button events are sent there.
static POINT LastPointer;
bool CheckXPointer = true;

void PointerTo(int x, int y)
{
    LastPointer.x = x;
    LastPointer.y = y;
    SendPointer(0, x, y);
    // A drag's clip holds the pointer at its edge.
    RECT clip;
    GetClipCursor(&clip);
    const LONG cx = std::max(clip.left, std::min<LONG>(clip.right - 1, x));
    const LONG cy = std::max(clip.top, std::min<LONG>(clip.bottom - 1, y));
    POINT at;
    WaitFor([&] { return GetCursorPos(&at) && at.x == cx && at.y == cy; }, 2000);
    // Let the panel's thread take the move before the next input.
    WaitFor([] { return false; }, 60);
    // Wine moves the X pointer only while no other client holds a grab on it;
    // otherwise X keeps the old place and Wine takes it back at the next
    // crossing. Outside a clip Wine asks X again 100 ms after a move, so a
    // pointer left behind shows then, and is moved again.
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (int tries = 0; tries < 5 && CheckXPointer && EqualRect(&clip, &screen); ++tries) {
        WaitFor([] { return false; }, 60);
        if (!GetCursorPos(&at) || (at.x == x && at.y == y))
            break;
        std::fprintf(stderr, "driver: the X pointer stayed at %ld,%ld, not %d,%d; moved again\n", at.x, at.y, x, y);
        SetCursorPos(at.x, at.y);
        SendPointer(0, x, y);
    }
}

static void Button(DWORD flag)
{
    SendPointer(flag, LastPointer.x, LastPointer.y);
    WaitFor([] { return false; }, 80);
}

void LeftDown() { Button(MOUSEEVENTF_LEFTDOWN); }
void LeftUp() { Button(MOUSEEVENTF_LEFTUP); }

void ClickAt(int x, int y)
{
    PointerTo(x, y);
    LeftDown();
    LeftUp();
}

void DragFromTo(int x0, int y0, int x1, int y1)
{
    PointerTo(x0, y0);
    LeftDown();
    const int steps = 8;
    for (int i = 1; i <= steps; ++i)
        PointerTo(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    LeftUp();
}

void RightClick()
{
    SendPointer(MOUSEEVENTF_RIGHTDOWN, LastPointer.x, LastPointer.y);
    SendPointer(MOUSEEVENTF_RIGHTUP, LastPointer.x, LastPointer.y);
    WaitFor([] { return false; }, 80);
}

// Wine shows tray icons in its own window when the desktop has no notification
// area: one child window per icon, the newest last.
static BOOL CALLBACK LastIconWindow(HWND w, LPARAM lp)
{
    char cls[64] = "";
    if (GetClassNameA(w, cls, sizeof(cls)) && std::strcmp(cls, "__winex11_tray_icon") == 0 && IsWindowVisible(w))
        *reinterpret_cast<HWND*>(lp) = w;
    return TRUE;
}

HWND TrayIconWindow(DWORD ms)
{
    HWND icon = NULL;
    WaitFor([&] {
        EnumChildWindows(FindWindowA("__winex11_standalone_tray", NULL), LastIconWindow, (LPARAM)&icon);
        return icon != NULL;
    }, ms);
    return icon;
}

bool PointerFree()
{
    RECT clip, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return GetClipCursor(&clip) && EqualRect(&clip, &screen);
}

// A plain white popup: the window manager leaves it alone and never hands it the focus back.
static HWND MakePopup(const char* cls, WNDPROC proc, const char* title, int x, int y, int width, int height)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    return CreateWindowExA(0, cls, title, WS_POPUP | WS_VISIBLE, x, y, width, height, NULL, NULL, wc.hInstance,
                           NULL);
}

HWND MakeTarget(const char* title, int x, int y, int width, int height)
{
    HWND w = MakePopup("VexloE2ETarget", DefWindowProcA, title, x, y, width, height);
    WaitFor([] { return false; }, 100);
    return w;
}

static LRESULT CALLBACK SleepyProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        Sleep(static_cast<DWORD>(wParam));
    return DefWindowProcA(w, message, wParam, lParam);
}

static DWORD WINAPI SleepyThread(LPVOID arg)
{
    HWND* made = static_cast<HWND*>(arg);
    HWND w = MakePopup("VexloE2ESleepy", SleepyProc, reinterpret_cast<const char*>(made[1]), 600, 20, 200, 150);
    InterlockedExchangePointer(reinterpret_cast<void**>(&made[0]), w);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

HWND MakeSleepyTarget(const char* title)
{
    static HWND made[2];
    made[0] = NULL;
    made[1] = reinterpret_cast<HWND>(const_cast<char*>(title));
    CloseHandle(CreateThread(NULL, 0, SleepyThread, made, 0, NULL));
    WaitFor([] { return made[0] != NULL; });
    return made[0];
}

static const char kKey[] = "SOFTWARE\\Qorvsoft\\Vexlo";

void StoreLastWindow(const char* title)
{
    if (title == NULL)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    else
        SHSetValueA(HKEY_LOCAL_MACHINE, kKey, "LastWindow", REG_SZ, title, lstrlenA(title) + 1);
}

std::string StoredLastWindow()
{
    char text[128] = "";
    DWORD size = sizeof(text);
    return SHGetValueA(HKEY_LOCAL_MACHINE, kKey, "LastWindow", NULL, text, &size) == ERROR_SUCCESS ? text : "";
}
