// Measures the budgets that need a running program; prints one line per figure.
// Usage (under Wine): vexlo_bench <vexlo.exe> <floor.exe> <minimal.exe>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>

#include "app/shell.h"
#include "app/timeline.h"
#include "app/translucency.h"
#include "catalogue/catalogue.h"
#include "panel/surface.h"
#include "tools/shot/capture.h"

namespace {

double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) / double(f.QuadPart);
}

// Starts exe (with args, if any) and fills pi; false when it could not start.
bool Start(const char* exe, const char* args, PROCESS_INFORMATION* pi)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    *pi = PROCESS_INFORMATION{};
    char cmd[MAX_PATH + 32];
    snprintf(cmd, sizeof(cmd), "\"%s\"%s%s", exe, args ? " " : "", args ? args : "");
    return CreateProcessA(NULL, cmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, pi) != 0;
}

// Closes whatever the program showed and waits for its end, so runs do not overlap.
void CloseAndWait(PROCESS_INFORMATION* pi)
{
    static const char* const kClasses[] = {"Vexlo_App", "VexloFloor", "MinimalBench"};
    for (const char* cls : kClasses) {
        HWND w = FindWindowA(cls, NULL);
        if (w != NULL)
            PostMessageA(w, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi->hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi->hProcess, 3);
    CloseHandle(pi->hThread);
    CloseHandle(pi->hProcess);
    // Let the screen settle back to the desktop colour.
    Sleep(200);
}

// Time from CreateProcess to the panel's body colour at its centre row on screen.
double TimeToFirstFrame(const char* exe, bool* ok)
{
    RECT d;
    GetClientRect(GetDesktopWindow(), &d);
    int x = (d.right - 370) / 2 + 3, y = (d.bottom - 150) / 2 + 100;
    PROCESS_INFORMATION pi;
    double start = Now();
    *ok = Start(exe, NULL, &pi);
    if (!*ok)
        return 0;
    double t = 0;
    *ok = false;
    while (Now() - start < 30) {
        if (ScreenPixel(x, y) == RGB(104, 126, 210)) {
            t = Now() - start;
            *ok = true;
            break;
        }
        Sleep(1);
    }
    CloseAndWait(&pi);
    return t;
}

double Median(double* v, int n)
{
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && v[j] < v[j - 1]; --j) {
            double t = v[j];
            v[j] = v[j - 1];
            v[j - 1] = t;
        }
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The three programs in turn, so a load change on the machine hits all alike.
void StartUpBudget(const char* vexlo, const char* floor, const char* minimal)
{
    const int runs = 9;
    const char* exes[3] = {vexlo, floor, minimal};
    double times[3][runs];
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 3; ++k) {
            bool ok;
            double t = TimeToFirstFrame(exes[k], &ok);
            if (ok)
                times[k][counts[k]++] = t;
        }
    }
    if (counts[0] == 0 || counts[1] == 0 || counts[2] == 0) {
        printf("startup: a program showed no frame (%d, %d, %d of %d)\n", counts[0], counts[1], counts[2], runs);
        return;
    }
    double m[3];
    for (int k = 0; k < 3; ++k)
        m[k] = Median(times[k], counts[k]);
    printf("startup: vexlo %.3f s, platform floor %.3f s, bare window %.3f s (medians of %d alternating runs)\n",
           m[0], m[1], m[2], runs);
    printf("startup: ratio to the floor %.2f (budget 1.25); to the bare window %.2f\n", m[0] / m[1], m[0] / m[2]);
}

bool WaitForScreenPixel(int x, int y, COLORREF want, double seconds)
{
    const double start = Now();
    while (ScreenPixel(x, y) != want) {
        if (Now() - start > seconds)
            return false;
    }
    return true;
}

// Median time from a real pointer move onto the SetTopmostButton's place to its
// hover look on the screen; -1 when the look never came.
double HoverLatency(const char* exe)
{
    RECT d;
    GetClientRect(GetDesktopWindow(), &d);
    const int left = (d.right - 370) / 2, top = (d.bottom - 150) / 2;
    const COLORREF rest = RGB(104, 126, 210), hover = RGB(130, 156, 225);
    PROCESS_INFORMATION pi;
    if (!Start(exe, NULL, &pi))
        return -1;
    const int runs = 200;
    double times[runs];
    int n = 0;
    if (WaitForScreenPixel(left + 3, top + 100, rest, 30)) {
        for (int i = 0; i < runs; ++i) {
            SendPointer(0, left + 200, top + 100);
            if (!WaitForScreenPixel(left + 16, top + 120, rest, 2))
                break;
            const double t0 = Now();
            SendPointer(0, left + 60, top + 128);
            if (!WaitForScreenPixel(left + 16, top + 120, hover, 2))
                break;
            times[n++] = Now() - t0;
        }
    }
    SendPointer(0, 0, 0);
    CloseAndWait(&pi);
    return n == runs ? Median(times, n) : -1;
}

void PointerLatency(const char* vexlo, const char* minimal)
{
    const double panel = HoverLatency(vexlo), bare = HoverLatency(minimal);
    if (panel < 0 || bare < 0) {
        printf("pointer: a hover look did not show within 2 s (panel %s, bare window %s)\n",
               panel < 0 ? "failed" : "ok", bare < 0 ? "failed" : "ok");
        return;
    }
    printf("pointer: hover look on screen %.2f ms after a real move, bare window repaint %.2f ms "
           "(medians of 200; no budget)\n",
           panel * 1000, bare * 1000);
}

void IdleBudget(const char* vexlo)
{
    PROCESS_INFORMATION pi;
    if (!Start(vexlo, NULL, &pi))
        return;
    WaitForInputIdle(pi.hProcess, 10000);
    Sleep(2000);
    FILETIME c, e, k0, u0, k1, u1;
    GetProcessTimes(pi.hProcess, &c, &e, &k0, &u0);
    Sleep(10000);
    GetProcessTimes(pi.hProcess, &c, &e, &k1, &u1);
    auto ticks = [](FILETIME f) { return (ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    double cpu = double((ticks(k1) - ticks(k0)) + (ticks(u1) - ticks(u0))) / 1e7;
    printf("idle: %.3f s of CPU in 10 s with nothing happening (budget 0)\n", cpu);
    CloseAndWait(&pi);
}

// Start-up steps as the program's own marks record them.
struct Mark {
    const char* step;
    double at;
};
Mark Marks[32];
int MarkCount = -1;  // not recording

double ProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](FILETIME f) { return (ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return Now() - double(ticks(now) - ticks(created)) / 1e7;
}

// The steps of StartUp in this process, from the process's own creation.
int Timeline()
{
    double created = ProcessStart();
    double start = Now();
    MarkCount = 0;
    StartUp();
    int n = MarkCount;
    MarkCount = -1;
    printf("timeline: process created -> main %.1f ms\n", (start - created) * 1000);
    double last = start;
    for (int i = 0; i < n; ++i) {
        printf("timeline: %-26s %6.1f ms (at %6.1f ms)\n", Marks[i].step, (Marks[i].at - last) * 1000,
               (Marks[i].at - created) * 1000);
        last = Marks[i].at;
    }
    SendMessageA(MainPanel, WM_CLOSE, 0, 0);
    TearDown();
    return 0;
}

char TitleBuffer[256];
BOOL CALLBACK BarePass(HWND w, LPARAM)
{
    GetWindowTextA(w, TitleBuffer, sizeof(TitleBuffer));
    return TRUE;
}

const int kWindowCount = 3300;

// The windows a user has open belong to other programs: a second copy of this
// tool makes them and waits.
int HostWindows()
{
    for (int i = 0; i < kWindowCount; ++i) {
        char title[32];
        snprintf(title, sizeof(title), "bench %04d", i);
        CreateWindowExA(0, "STATIC", title, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    }
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, "VexloBenchWindowsReady");
    SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

void RefreshBudget(const char* self)
{
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, "VexloBenchWindowsReady");
    PROCESS_INFORMATION pi;
    if (!Start(self, "--host-windows", &pi))
        return;
    if (WaitForSingleObject(ready, 300000) != WAIT_OBJECT_0) {
        printf("refresh: the window host did not get ready\n");
        TerminateProcess(pi.hProcess, 3);
        return;
    }
    double s0 = Now();
    StartUp();
    printf("startup: StartUp() itself, in process, with %d windows open: %.3f s\n", kWindowCount, Now() - s0);
    double bare = 1e9, refresh = 1e9;
    for (int r = 0; r < 5; ++r) {
        double t0 = Now();
        EnumWindows(BarePass, 0);
        double t1 = Now();
        RefreshWindowList(true);
        double t2 = Now();
        if (t1 - t0 < bare)
            bare = t1 - t0;
        if (t2 - t1 < refresh)
            refresh = t2 - t1;
    }
    LRESULT listed = SendMessageA(WindowCombo, CB_GETCOUNT, 0, 0);
    printf("refresh: %d foreign windows, %ld listed, refresh %.3f s, bare pass %.3f s, ratio %.2f (budget 3.00; best of 5)\n",
           kWindowCount, long(listed), refresh, bare, refresh / bare);
    PostThreadMessageA(pi.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 3);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// ---- Drawing objects: many looks, folds and slider steps through the real window procedure ----

void Send(UINT message, WPARAM wParam, int x, int y)
{
    SendMessageA(MainPanel, message, wParam, MAKELPARAM(x, y));
}

// What the message loop would do between inputs; the folds are ticked by hand,
// so the real timer's ticks are dropped.
void Pump()
{
    MSG m;
    while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) {
        if (m.message != WM_TIMER)
            DispatchMessageA(&m);
    }
}

// A fingerprint of what a rectangle of a DC shows.
DWORD Fingerprint(HDC dc, const RECT& r)
{
    DWORD h = 2166136261u;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            h = (h ^ GetPixel(dc, x, y)) * 16777619u;
    return h;
}

// The private bytes the process has committed (Wine reports them as the pagefile
// usage and leaves PrivateUsage at 0; on Windows the two are the same).
SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

struct Control {
    const RECT* rect;
    bool onScreen;  // title-bar looks go straight to the window
};

const POINT kEmpty = {200, 100};  // no control there
int LayeredChanges;

// Hover, press, slide off and release outside (no action), move away; the
// fingerprints of the hover, pressed and resting looks go to out[0..2].
void Cycle(const Control& c, DWORD* out)
{
    const RECT& r = *c.rect;
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    HDC dc = c.onScreen ? PanelDC : BackBufferDC;
    Send(WM_MOUSEMOVE, 0, x, y);
    if (out)
        out[0] = Fingerprint(dc, r);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    if (out)
        out[1] = Fingerprint(dc, r);
    Send(WM_MOUSEMOVE, MK_LBUTTON, kEmpty.x, kEmpty.y);
    if (out)
        out[2] = Fingerprint(dc, r);
    Send(WM_LBUTTONUP, 0, kEmpty.x, kEmpty.y);
    Send(WM_MOUSEMOVE, 0, kEmpty.x, kEmpty.y);
    Pump();
}

void Fold()
{
    const RECT& m = MoreButtonRect;
    const int x = (m.left + m.right) / 2, y = (m.top + m.bottom) / 2;
    Send(WM_MOUSEMOVE, 0, x, y);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Send(WM_LBUTTONUP, 0, x, y);
    for (int tick = 0; tick < 6; ++tick) {
        SendMessageA(MainPanel, WM_TIMER, 1, 0);
        Pump();
    }
    Send(WM_MOUSEMOVE, 0, kEmpty.x, kEmpty.y);
}

// Drags a thumb from its place to the track's left end and back, one pixel a step.
int SliderSweep(const RECT& thumb, int trackLeft)
{
    const int x0 = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    int steps = 0;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, x0, y);
    for (int x = x0 - 1; x >= trackLeft; --x, ++steps) {
        Send(WM_MOUSEMOVE, MK_LBUTTON, x, y);
        Pump();
    }
    for (int x = trackLeft + 1; x <= x0; ++x, ++steps) {
        Send(WM_MOUSEMOVE, MK_LBUTTON, x, y);
        Pump();
    }
    Send(WM_LBUTTONUP, 0, x0, y);
    return steps;
}

// 200 folds, then slider sweeps until 1,000 steps are done; returns the steps.
int Motion()
{
    for (int i = 0; i < 200; ++i)
        Fold();
    int steps = 0;
    while (steps < 1000) {
        steps += SliderSweep(PanelOpacityThumb, PanelOpacityTrack.left);
        steps += SliderSweep(TargetOpacityThumb, TargetOpacityTrack.left);
        LayeredChanges += 2;  // the panel turns layered on the way down and plain at the right end
    }
    return steps;
}

void DrawingObjectsBudget()
{
    StartUp();
    // No target: the target slider's steps act on nothing.
    SendMessageA(WindowCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    const Control controls[] = {
        {&MinimizeButtonRect, true},   {&CloseButtonRect, true},         {&AboutButtonRect, true},
        {&MoreButtonRect, false},      {&RefreshButtonRect, false},      {&SetTopmostButtonRect, false},
        {&ClearTopmostButtonRect, false}, {&VisibleWindowsRadioRect, false}, {&AllWindowsRadioRect, false},
    };
    const int count = sizeof(controls) / sizeof(controls[0]);
    DWORD before[count][3], after[count][3];
    // The first press of a button leaves a one-pixel trace of its moved face:
    // compare looks from the second round on.
    for (int i = 0; i < count; ++i)
        Cycle(controls[i], NULL);
    for (int i = 0; i < count; ++i)
        Cycle(controls[i], before[i]);
    const RECT panelTrack = PanelOpacityTrack, targetTrack = TargetOpacityTrack;
    const DWORD tracksBefore = Fingerprint(BackBufferDC, panelTrack) ^ Fingerprint(BackBufferDC, targetTrack);
    const RECT wholeBefore = {0, 0, 370, 300};
    const DWORD pictureBefore = Fingerprint(BackBufferDC, wholeBefore);
    // Wine's own window-surface bookkeeping grows for a while on the first
    // resizes and layered changes: one round before counting.
    Motion();
    const SIZE_T m0 = PrivateBytes();
    const double t0 = Now();
    for (int i = 0; i < 50000; ++i)
        Cycle(controls[i % count], NULL);
    const double t1 = Now();
    const SIZE_T m1 = PrivateBytes();
    LayeredChanges = 0;
    const int steps = Motion();
    const double t2 = Now();
    const SIZE_T m2 = PrivateBytes();
    // The same resizes and layered-style changes made directly, without the panel's code.
    for (int i = 0; i < 200 * 6; ++i)
    {
        SetWindowPos(MainPanel, HWND_TOP, 0, 0, 370, 150 + 25 * (1 + i % 6), SWP_NOMOVE);
        Pump();
    }
    for (int i = 0; i < LayeredChanges; ++i) {
        const LONG style = GetWindowLongA(MainPanel, GWL_EXSTYLE);
        SetWindowLongA(MainPanel, GWL_EXSTYLE, style ^ WS_EX_LAYERED);
        Pump();
    }
    const SIZE_T m3 = PrivateBytes();

    int exact = 0;
    for (int i = 0; i < count; ++i) {
        Cycle(controls[i], after[i]);
        for (int k = 0; k < 3; ++k)
            exact += after[i][k] == before[i][k];
    }
    exact += (Fingerprint(BackBufferDC, panelTrack) ^ Fingerprint(BackBufferDC, targetTrack)) == tracksBefore;
    exact += Fingerprint(BackBufferDC, wholeBefore) == pictureBefore;
    printf("drawing: 50,000 hover/press/release cycles %.1f s; 200 folds and %d slider steps %.1f s\n", t1 - t0,
           steps, t2 - t1);
    printf("drawing: %d of %d looks exact afterwards\n", exact, count * 3 + 2);
    printf("drawing: private memory grew %ld KiB over the cycles and %ld KiB over the folds and steps (budget "
           "under 64 in all); the same resizes and layered-style changes made directly grow %ld KiB\n",
           long(m1 - m0) / 1024, long(m2 - m1) / 1024, long(m3 - m2) / 1024);
    SendMessageA(MainPanel, WM_CLOSE, 0, 0);
    TearDown();
}

}  // namespace

void TimelineMark(const char* step)
{
    if (MarkCount < 0 || MarkCount >= 32)
        return;
    Marks[MarkCount].step = step;
    Marks[MarkCount].at = Now();
    ++MarkCount;
}

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "--timeline") == 0)
        return Timeline();
    if (argc == 2 && strcmp(argv[1], "--drawing") == 0) {
        DrawingObjectsBudget();
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "--host-windows") == 0)
        return HostWindows();
    if (argc < 4) {
        fprintf(stderr, "usage: vexlo_bench <vexlo.exe> <floor.exe> <minimal.exe>\n");
        return 2;
    }
    // An optional fourth argument runs one figure alone.
    auto wanted = [&](const char* figure) { return argc < 5 || strcmp(argv[4], figure) == 0; };
    if (wanted("startup"))
        StartUpBudget(argv[1], argv[2], argv[3]);
    if (wanted("idle"))
        IdleBudget(argv[1]);
    if (wanted("pointer"))
        PointerLatency(argv[1], argv[3]);
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof(self));
    if (wanted("drawing")) {
        // In a process of its own, so the start-up is the program's usual one.
        PROCESS_INFORMATION pi;
        if (Start(self, "--drawing", &pi)) {
            WaitForSingleObject(pi.hProcess, 600000);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }
    if (wanted("refresh"))
        RefreshBudget(self);
    return 0;
}
