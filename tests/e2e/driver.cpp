#include <winsock2.h>

#include "tests/e2e/driver.h"

#include "tools/shot/capture.h"

#include <ntsecapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Wine maps the Unix root to drive Z:.
static std::string UnixToWine(const char* unixPath)
{
    std::string p = std::string("Z:") + unixPath;
    std::replace(p.begin(), p.end(), '/', '\\');
    return p;
}

std::string ExePath()
{
    const char* unixPath = std::getenv("VEXLO_EXE");
    return unixPath == NULL ? "vexlo.exe" : UnixToWine(unixPath);
}

// A window manager seconds behind a program that has quit can take a new X
// window that reuses one of that program's ids for the old one, and give it the
// old place and stacking: it is left to finish before anything is shown.
static void WindowManagerCaughtUp()
{
    XInput("w\n");
}

Launched Launch()
{
    Launched l = {};
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string cmd = "\"" + ExePath() + "\"";
    WindowManagerCaughtUp();
    l.ok = CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &l.pi) != 0;
    return l;
}

HWND WaitForPanel(DWORD pid, DWORD ms)
{
    HWND panel = NULL;
    char title[16] = "";
    // The title comes a moment after the window shows; wait for both.
    WaitFor([&] {
        panel = WaitForProcessWindow(pid, "Vexlo_App", NULL, 0);
        return panel && IsWindowVisible(panel) && GetWindowTextA(panel, title, sizeof(title)) && !std::strcmp(title, "Vexlo");
    }, ms);
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
    return GetWindowRect(window, &r), r.bottom - r.top;
}

void CloseHandles(Launched& l)
{
    if (l.pi.hThread != NULL)
        CloseHandle(l.pi.hThread);
    if (l.pi.hProcess != NULL)
        CloseHandle(l.pi.hProcess);
    l.pi.hThread = l.pi.hProcess = NULL;
}

void EndProgram(Launched& l)
{
    if (l.pi.hProcess != NULL && WaitForSingleObject(l.pi.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(l.pi.hProcess, 2);
        WaitForSingleObject(l.pi.hProcess, 10000);
    }
    CloseHandles(l);
}

DWORD ClosePanel(HWND panel, Launched& l)
{
    PostMessageA(panel, WM_CLOSE, 0, 0);
    DWORD code = WaitExit(l, 30000);
    EndProgram(l);
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

// Real input goes through the X server, as a person's mouse and keyboard reach
// Wine: a native helper (tools/xinput/xinput.cpp) makes it with XTest. Wine
// starts a Unix program without the handles it is given, so the helper calls
// back on a loopback port, and proves with the nonce on its command line that it
// is the one started here, not whatever else found the port first.
static SOCKET XHelper = INVALID_SOCKET;
static DWORD Released;

// Whether the socket has something to read, or a caller to accept, within ms.
static bool Ready(SOCKET s, DWORD ms)
{
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(s, &ready);
    timeval wait = {static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000};
    return select(0, &ready, NULL, NULL, &wait) == 1;
}

// Reads until the text ends with `end`; false when ms pass first.
static bool ReadUntil(SOCKET s, const std::string& end, DWORD ms, std::string& text)
{
    const DWORD start = GetTickCount();
    for (char c; text.size() < end.size() || text.compare(text.size() - end.size(), end.size(), end) != 0; text += c)
        if (GetTickCount() - start >= ms || !Ready(s, ms - (GetTickCount() - start)) || recv(s, &c, 1, 0) != 1)
            return false;
    return true;
}

static bool StartXHelper()
{
    const char* path = std::getenv("VEXLO_XINPUT");
    WSADATA wsa;
    if (path == NULL || WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        return false;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(at);
    if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof(at)) != 0 ||
        listen(listener, 4) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size) != 0)
        return false;
    unsigned nonce[2] = {};
    RtlGenRandom(nonce, sizeof(nonce));
    const std::string proof = std::to_string(nonce[0]) + std::to_string(nonce[1]);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string cmd = "\"" + UnixToWine(path) + "\" " + std::to_string(ntohs(at.sin_port)) + " " + proof;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    // Whoever calls has 3 s to say hello; the helper, 15 s to call.
    for (const DWORD start = GetTickCount(); XHelper == INVALID_SOCKET && GetTickCount() - start < 15000;) {
        std::string hello;
        SOCKET caller = Ready(listener, 1000) ? accept(listener, NULL, NULL) : INVALID_SOCKET;
        if (caller != INVALID_SOCKET && ReadUntil(caller, "\n", 3000, hello) && hello == "hello " + proof + "\n")
            XHelper = caller;
        else if (caller != INVALID_SOCKET)
            closesocket(caller);
    }
    closesocket(listener);
    return XHelper != INVALID_SOCKET;
}

std::string XInput(const std::string& commands)
{
    static bool missing = false;  // none to start: no use trying at every command
    if (XHelper == INVALID_SOCKET && (missing || (missing = !StartXHelper())))
        return DriverFault("driver: no X input helper (see VEXLO_XINPUT)"), "";
    const std::string all = commands + ".\n";
    send(XHelper, all.data(), static_cast<int>(all.size()), 0);
    // Everything up to the "ok" that answers the final "."; a helper that hangs
    // fails this test, and the next command starts a new one.
    std::string reply;
    if (!ReadUntil(XHelper, "ok\n", 15000, reply)) {
        closesocket(XHelper);
        XHelper = INVALID_SOCKET;
        return DriverFault("driver: the X input helper gave no answer in 15 s to:\n" + commands + "(said: " + reply + ")"),
               "";
    }
    reply.erase(reply.size() - 3);
    // The X server refused a command: that command failed, the helper goes on.
    for (size_t at; (at = reply.find("error: ")) != std::string::npos;) {
        const size_t end = reply.find('\n', at);
        DriverFault("driver: X input " + reply.substr(at, end - at));
        reply.erase(at, end - at + 1);
    }
    if (commands.compare(0, 2, "u ") == 0 || commands.find("\nu ") != std::string::npos)
        Released = GetTickCount();
    return reply;
}

DWORD SinceRelease() { return GetTickCount() - Released; }

static std::string Move(int x, int y)
{
    return "m " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

void XPixels(const POINT* at, int count, COLORREF* out)
{
    std::string ask;
    for (int i = 0; i < count; ++i)
        ask += "p " + std::to_string(at[i].x) + " " + std::to_string(at[i].y) + "\n";
    const std::string reply = XInput(ask);
    const char* p = reply.c_str();
    for (int i = 0; i < count; ++i) {
        int r = 0, g = 0, b = 0, used = 0;
        std::sscanf(p, "%d %d %d\n%n", &r, &g, &b, &used);
        p += used;
        out[i] = RGB(r, g, b);
    }
}

bool PointerTo(int x, int y)
{
    XInput(Move(x, y));
    // A drag's clip holds the pointer at its edge.
    RECT clip;
    GetClipCursor(&clip);
    const LONG cx = std::max(clip.left, std::min<LONG>(clip.right - 1, x));
    const LONG cy = std::max(clip.top, std::min<LONG>(clip.bottom - 1, y));
    POINT at = {};
    const bool arrived = WaitFor([&] { return GetCursorPos(&at) && at.x == cx && at.y == cy; }, 2000);
    if (!arrived)
        DriverFault("driver: the pointer sent to " + std::to_string(cx) + "," + std::to_string(cy) + " stayed at " +
                    std::to_string(at.x) + "," + std::to_string(at.y));
    // Let the panel's thread take the move before the next input.
    WaitFor([] { return false; }, 60);
    return arrived;
}

static void Button(const char* command)
{
    XInput(command);
    WaitFor([] { return false; }, 80);
}

void LeftDown() { Button("d 1\n"); }
void LeftUp() { Button("u 1\n"); }

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

void HandGesture(int x0, int y0, const POINT* moves, int count, int pauseMs)
{
    std::string s = Move(x0, y0) + "s 20\nd 1\n";
    const std::string pause = "s " + std::to_string(pauseMs) + "\n";
    for (int i = 0; i < count; ++i)
        s += pause + Move(moves[i].x, moves[i].y);
    XInput(s + pause + "u 1\n");
}

void QuickClick(int x, int y)
{
    XInput(Move(x, y) + "s 20\nd 1\ns 30\nu 1\n");
}

void RightClick()
{
    Button("d 3\nu 3\n");
}

void KeyTap(const char* keysym)
{
    XInput(std::string("k ") + keysym + "\n");
    WaitFor([] { return false; }, 60);
}

void TypeKeys(const char* text)
{
    std::string s;
    for (const char* c = text; *c; ++c) {
        if (*c == '-')
            s += "k minus\n";
        else if (*c == ' ')
            s += "k space\n";
        else
            s += std::string("k ") + *c + "\n";
    }
    XInput(s);
    WaitFor([] { return false; }, 60);
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
    WindowManagerCaughtUp();
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
    WindowManagerCaughtUp();
    CloseHandle(CreateThread(NULL, 0, SleepyThread, made, 0, NULL));
    WaitFor([] { return made[0] != NULL; });
    return made[0];
}

bool AnotherProgramCameAndWent()
{
    // First a clip away from the pointer, as a program's drag makes (from the
    // front): the X server moves the pointer into it, which XTest does not see.
    HWND mine = MakeTarget("Vexlo e2e clip", 0, 0, 10, 10);
    const RECT clip = {600, 600, 700, 650};
    XInput("m 512 384\n");
    const bool moved = WaitFor([&] {
        SetForegroundWindow(mine);
        ClipCursor(&clip);
        return XInput("q\n") == "600 600\n";
    }, 3000);
    ClipCursor(NULL);
    DestroyWindow(mine);
    // The action tests' target in a process of its own: one window, made once both events exist.
    const std::string id = std::to_string(GetCurrentProcessId());
    HANDLE events[2] = {CreateEventA(NULL, TRUE, FALSE, ("VexloStuckReady" + id).c_str()),
                        CreateEventA(NULL, TRUE, FALSE, ("VexloStuckAsleep" + id).c_str())};
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string cmd = std::string(path, std::strrchr(path, '\\') + 1) + "vexlo_stuck_target.exe " + id + " 1";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    HWND other = NULL;
    const bool shown = CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi) &&
                       WaitFor([&] { return WaitForSingleObject(events[0], 0) == WAIT_OBJECT_0; }, 15000) &&
                       (other = FindWindowA("VexloStuckTarget", "Stuck Target 0")) != NULL &&
                       WaitFor([&] { return SetForegroundWindow(other), GetForegroundWindow() == other; }, 5000);
    TerminateProcess(pi.hProcess, 0);
    WaitFor([&] { return !IsWindow(other); });
    for (HANDLE h : {pi.hThread, pi.hProcess, events[0], events[1]})
        CloseHandle(h);
    if (!moved || !shown || IsWindow(other))
        DriverFault(std::string("driver: another program's ") +
                    (!moved ? "clip did not move the pointer" : shown ? "window stayed" : "window was not in front"));
    return moved && shown && !IsWindow(other);
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
