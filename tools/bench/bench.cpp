// Measures the budgets that need a running program; prints one line per figure.
// Usage (under Wine): vexlo_bench <vexlo.exe> <floor.exe> <minimal.exe> [figure],
// vexlo_bench --pair <this vexlo.exe> <other vexlo.exe>, vexlo_bench --timeline
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

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

bool WaitForScreenPixel(int x, int y, COLORREF want, double seconds);

ULONGLONG Ticks(FILETIME f)
{
    return (ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

// The CPU time a running process has spent, in seconds. Wine answers
// GetProcessTimes with the caller's own times whatever the process, but its
// thread times are right: there the threads' are summed (to the kernel's
// 10 ms tick).
double ProcessCpu(HANDLE process, DWORD pid)
{
    FILETIME c, e, k, u;
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL;
    if (!wine)
        return GetProcessTimes(process, &c, &e, &k, &u) ? double(Ticks(k) + Ticks(u)) / 1e7 : 0;
    ULONGLONG sum = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 t;
    t.dwSize = sizeof(t);
    for (BOOL more = Thread32First(snapshot, &t); more; more = Thread32Next(snapshot, &t)) {
        if (t.th32OwnerProcessID != pid)
            continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, t.th32ThreadID);
        if (thread != NULL && GetThreadTimes(thread, &c, &e, &k, &u))
            sum += Ticks(k) + Ticks(u);
        if (thread != NULL)
            CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return double(sum) / 1e7;
}

struct FirstFrame {
    double wall;  // from CreateProcess to the panel's body colour on screen
    double cpu;   // the process's CPU time when it was seen
};

// Time from CreateProcess to the panel's body colour at its centre row on screen.
bool TimeToFirstFrame(const char* exe, FirstFrame* out)
{
    RECT d;
    GetClientRect(GetDesktopWindow(), &d);
    int x = (d.right - 370) / 2 + 3, y = (d.bottom - 150) / 2 + 100;
    PROCESS_INFORMATION pi;
    double start = Now();
    if (!Start(exe, NULL, &pi))
        return false;
    bool seen = false;
    while (Now() - start < 30) {
        if (ScreenPixel(x, y) == RGB(104, 126, 210)) {
            out->wall = Now() - start;
            out->cpu = ProcessCpu(pi.hProcess, pi.dwProcessId);
            seen = true;
            break;
        }
        Sleep(1);
    }
    CloseAndWait(&pi);
    return seen;
}

void Sort(double* v, int n)
{
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && v[j] < v[j - 1]; --j) {
            double t = v[j];
            v[j] = v[j - 1];
            v[j - 1] = t;
        }
}

double Median(double* v, int n)
{
    Sort(v, n);
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

const int kMaxRuns = 99;

// Every run's figures of one program, and their spread.
struct Series {
    const char* name;
    const char* exe;
    double wall[kMaxRuns], cpu[kMaxRuns];
    int count;
    double wallMedian, cpuMedian, cpuMean;
};

// For each round, the first program's wall time over the second's: a slow
// spell of the machine mostly hits both of one round.
double RoundRatios[kMaxRuns];
int RoundCount;

// The programs in turn, each round starting one further on, so a load change on
// the machine, or what one program leaves behind, hits all alike.
bool TimeAlternately(Series* series, int programs, int runs)
{
    RoundCount = 0;
    for (int i = 0; i < runs; ++i) {
        double wall[3] = {0, 0, 0};
        for (int n = 0; n < programs; ++n) {
            const int k = (i + n) % programs;
            Series& s = series[k];
            FirstFrame f;
            if (TimeToFirstFrame(s.exe, &f)) {
                s.wall[s.count] = wall[k] = f.wall;
                s.cpu[s.count] = f.cpu;
                ++s.count;
            }
        }
        if (wall[0] > 0 && wall[1] > 0)
            RoundRatios[RoundCount++] = wall[0] / wall[1];
    }
    bool all = true;
    for (int k = 0; k < programs; ++k)
        all = all && series[k].count > 0;
    if (!all) {
        printf("startup: a program showed no frame in some runs:");
        for (int k = 0; k < programs; ++k)
            printf(" %s %d of %d", series[k].name, series[k].count, runs);
        printf("\n");
        return false;
    }
    printf("startup: %d alternating runs; wall time from CreateProcess to the first frame on screen, and the\n"
           "startup: process's CPU time when that frame was seen; min / median / max (mean of the CPU time)\n",
           runs);
    for (int k = 0; k < programs; ++k) {
        Series& s = series[k];
        s.cpuMean = 0;
        for (int i = 0; i < s.count; ++i)
            s.cpuMean += s.cpu[i] / s.count;
        s.wallMedian = Median(s.wall, s.count);
        s.cpuMedian = Median(s.cpu, s.count);
        printf("startup:   %-16s wall %3.0f / %3.0f / %3.0f ms   CPU %3.0f / %3.0f / %3.0f ms (%3.0f)\n", s.name,
               s.wall[0] * 1000, s.wallMedian * 1000, s.wall[s.count - 1] * 1000, s.cpu[0] * 1000,
               s.cpuMedian * 1000, s.cpu[s.count - 1] * 1000, s.cpuMean * 1000);
    }
    return true;
}

int Runs()
{
    char text[16];
    int runs = 21;
    if (GetEnvironmentVariableA("VEXLO_STARTUP_RUNS", text, sizeof(text)) > 0)
        runs = atoi(text);
    return runs < 1 ? 1 : runs > kMaxRuns ? kMaxRuns : runs;
}

void StartUpBudget(const char* vexlo, const char* floor, const char* minimal)
{
    static Series series[3];
    const char* names[3] = {"vexlo", "platform floor", "bare window"};
    const char* exes[3] = {vexlo, floor, minimal};
    for (int k = 0; k < 3; ++k) {
        series[k].name = names[k];
        series[k].exe = exes[k];
    }
    if (!TimeAlternately(series, 3, Runs()))
        return;
    printf("startup: ratio to the floor %.2f (medians; budget 1.25; the median of the rounds' own ratios %.2f), "
           "CPU time %.2f of the floor's (means); to the bare window %.2f\n",
           series[0].wallMedian / series[1].wallMedian, Median(RoundRatios, RoundCount),
           series[0].cpuMean / series[1].cpuMean, series[0].wallMedian / series[2].wallMedian);
}

// The panel's place on the screen the moment its first frame is seen there,
// into pixels (370 x 150); false when no frame came.
bool FirstFramePicture(const char* exe, DWORD* pixels)
{
    RECT d;
    GetClientRect(GetDesktopWindow(), &d);
    const int left = (d.right - 370) / 2, top = (d.bottom - 150) / 2;
    PROCESS_INFORMATION pi;
    if (!Start(exe, NULL, &pi))
        return false;
    const bool seen = WaitForScreenPixel(left + 3, top + 100, RGB(104, 126, 210), 30);
    if (seen) {
        HDC screen = GetDC(NULL);
        HDC mem = CreateCompatibleDC(screen);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = 370;
        bi.bmiHeader.biHeight = -150;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = NULL;
        HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, 370, 150, screen, left, top, SRCCOPY);
        GdiFlush();
        memcpy(pixels, bits, 370 * 150 * 4);

        SelectObject(mem, old);
        DeleteObject(dib);
        DeleteDC(mem);
        ReleaseDC(NULL, screen);
    }
    CloseAndWait(&pi);
    return seen;
}

// Saves 370 x 150 pixels as a bitmap file, for a look at a picture that differed.
void SavePicture(const DWORD* pixels, const char* path)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = 370;
    info.biHeight = -150;
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + 370 * 150 * 4;
    FILE* f = fopen(path, "wb");
    if (f == NULL)
        return;
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&info, sizeof(info), 1, f);
    fwrite(pixels, 4, 370 * 150, f);
    fclose(f);
}

// Whether both builds' first frames are one and the same picture, every time;
// a picture unlike the first is saved beside it (build/first-frame-*.bmp).
void CompareFirstFrames(const char* current, const char* other)
{
    static DWORD first[370 * 150], next[370 * 150];
    const int pictures = 3;
    int same = 0, taken = 0;
    for (int i = 0; i < pictures * 2; ++i) {
        DWORD* into = i == 0 ? first : next;
        if (!FirstFramePicture(i % 2 ? other : current, into))
            continue;
        ++taken;
        char path[48];
        if (i == 0 || memcmp(first, next, sizeof(next)) == 0) {
            ++same;
        } else {
            wsprintfA(path, "build\\first-frame-%d-%s.bmp", i, i % 2 ? "other" : "this");
            SavePicture(next, path);
            SavePicture(first, "build\\first-frame-0-this.bmp");
        }
    }
    printf("startup: first frames on screen, %d of each build, this build's first: %d of %d pictures are the same\n",
           pictures, same, taken);
}

// This build's start-up against another's, timed alternately in one run.
void StartUpPair(const char* current, const char* other)
{
    static Series series[2];
    series[0].count = series[1].count = 0;
    series[0].name = "this build";
    series[0].exe = current;
    series[1].name = "other build";
    series[1].exe = other;
    if (!TimeAlternately(series, 2, Runs()))
        return;
    printf("startup: this build against the other: wall %.2f (medians; the median of the rounds' own ratios "
           "%.2f), CPU time %.2f (means)\n",
           series[0].wallMedian / series[1].wallMedian, Median(RoundRatios, RoundCount),
           series[0].cpuMean / series[1].cpuMean);
    CompareFirstFrames(current, other);
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

int UnmadeMoves;

// Moves the pointer to (px, py) and waits up to 2 s for `want` at (x, y); took:
// from the move that was made to the look. Wine makes an injected move by
// warping the X pointer, and gives the warp up when it cannot grab the pointer
// (seen while the window manager turns to Wine's own tray window, soon after a
// start): a move the pointer never made is sent again, and counted. A look that
// stays away with the pointer in place is a failure.
bool MoveAndSee(int px, int py, int x, int y, COLORREF want, double* took)
{
    for (int tries = 0; tries < 3; ++tries) {
        const double t0 = Now();
        SendPointer(0, px, py);
        if (WaitForScreenPixel(x, y, want, 2)) {
            *took = Now() - t0;
            return true;
        }
        POINT at;  // asked of X itself this long after a move
        if (!GetCursorPos(&at) || (at.x == px && at.y == py)) {
            // What the next person needs to know: is the look stuck, or was one move lost?
            char cls[64] = "";
            GetClassNameA(GetForegroundWindow(), cls, sizeof(cls));
            const COLORREF seen = ScreenPixel(x, y);
            SendPointer(0, px + 1, py);
            printf("pointer: with the pointer at %d,%d the look stayed %06x (foreground: %s); after one more move "
                   "it %s\n", px, py, static_cast<unsigned>(seen), cls,
                   WaitForScreenPixel(x, y, want, 2) ? "came" : "still stayed away");
            return false;
        }
        ++UnmadeMoves;
    }
    return false;
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
    double times[runs], away;
    int n = 0;
    if (WaitForScreenPixel(left + 3, top + 100, rest, 30)) {
        for (int i = 0; i < runs; ++i) {
            if (!MoveAndSee(left + 200, top + 100, left + 16, top + 120, rest, &away) ||
                !MoveAndSee(left + 60, top + 128, left + 16, top + 120, hover, &times[n]))
                break;
            ++n;
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
           "(medians of 200; no budget); moves the pointer never made, sent again: %d\n",
           panel * 1000, bare * 1000, UnmadeMoves);
}

void IdleBudget(const char* vexlo)
{
    PROCESS_INFORMATION pi;
    if (!Start(vexlo, NULL, &pi))
        return;
    WaitForInputIdle(pi.hProcess, 10000);
    Sleep(2000);
    const double cpu0 = ProcessCpu(pi.hProcess, pi.dwProcessId);
    Sleep(10000);
    double cpu = ProcessCpu(pi.hProcess, pi.dwProcessId) - cpu0;
    // A thread that ended in between takes its time with it.
    if (cpu < 0)
        cpu = 0;
    printf("idle: %.3f s of CPU in 10 s with nothing happening (budget 0)\n", cpu);
    CloseAndWait(&pi);
}

// Start-up steps as the program's own marks record them, in a record a timeline
// run leaves for the process that started it.
struct Mark {
    char step[44];
    double at;  // ms after the process was created
};
struct TimelineRecord {
    int count;
    Mark marks[120];
};
const int kMaxMarks = sizeof(TimelineRecord::marks) / sizeof(Mark);
const char kTimelineMapping[] = "VexloBenchTimeline";
TimelineRecord* Recording;  // NULL: not recording
double Created;

double ProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    return Now() - double(Ticks(now) - Ticks(created)) / 1e7;
}

void Record(const char* step)
{
    if (Recording == NULL || Recording->count >= kMaxMarks)
        return;
    Mark& m = Recording->marks[Recording->count++];
    lstrcpynA(m.step, step, sizeof(m.step));
    m.at = (Now() - Created) * 1000;
}

const char* MessageName(UINT message, char* buffer)
{
    switch (message) {
    case WM_PAINT: return "WM_PAINT";
    case WM_NCPAINT: return "WM_NCPAINT";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_TIMER: return "WM_TIMER";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_SETCURSOR: return "WM_SETCURSOR";
    }
    wsprintfA(buffer, "message 0x%04X", message);
    return buffer;
}

// One run in this process: StartUp's steps, then every message the loop would
// hand out until none comes for 200 ms, each named by its window's class.
int TimelineRun()
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kTimelineMapping);
    if (mapping == NULL)
        return 1;
    Recording = static_cast<TimelineRecord*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    Created = ProcessStart();
    Record("process created -> main");
    StartUp();
    Record("start-up done");
    MSG m;
    for (;;) {
        if (!PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) {
            if (MsgWaitForMultipleObjects(0, NULL, FALSE, 200, QS_ALLINPUT) == WAIT_TIMEOUT)
                break;
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
        char cls[32] = "thread", number[24], step[64];
        if (m.hwnd != NULL)
            GetClassNameA(m.hwnd, cls, sizeof(cls));
        wsprintfA(step, "loop: %s to %s", MessageName(m.message, number), cls);
        Record(step);
    }
    Recording = NULL;
    SendMessageA(MainPanel, WM_CLOSE, 0, 0);
    TearDown();
    return 0;
}

// Where start-up time goes, step by step: runs in fresh processes (one more
// first, to warm Wine up), each step's median time and when it ended.
void Timeline(const char* self, int runs)
{
    static TimelineRecord records[kMaxRuns];
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(TimelineRecord),
                                        kTimelineMapping);
    TimelineRecord* shared = static_cast<TimelineRecord*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    int done = 0;
    for (int i = -1; i < runs; ++i) {
        shared->count = 0;
        PROCESS_INFORMATION pi;
        if (!Start(self, "--timeline-run", &pi))
            continue;
        WaitForSingleObject(pi.hProcess, 60000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        if (i >= 0 && shared->count > 0)
            records[done++] = *shared;
    }
    if (done == 0) {
        printf("timeline: no run recorded its steps\n");
        return;
    }
    // The steps in the order they first came; a step that came more than once
    // in a run (a message) counts with its total time and its last end.
    static char names[kMaxMarks * 2][44];
    int stepCount = 0;
    for (int r = 0; r < done; ++r)
        for (int i = 0; i < records[r].count; ++i) {
            int k = 0;
            while (k < stepCount && strcmp(names[k], records[r].marks[i].step) != 0)
                ++k;
            if (k == stepCount && stepCount < kMaxMarks * 2)
                lstrcpynA(names[stepCount++], records[r].marks[i].step, sizeof(names[0]));
        }
    printf("timeline: %d fresh processes after one to warm up; medians of each step's time and of when it ended,\n"
           "timeline: in ms after the process was created (a step missing from some runs says in how many it came)\n",
           done);
    for (int k = 0; k < stepCount; ++k) {
        double spent[kMaxRuns], ended[kMaxRuns];
        int n = 0;
        for (int r = 0; r < done; ++r) {
            double total = 0, last = -1, previous = 0;
            for (int i = 0; i < records[r].count; ++i) {
                const Mark& m = records[r].marks[i];
                if (strcmp(m.step, names[k]) == 0) {
                    total += m.at - previous;
                    last = m.at;
                }
                previous = m.at;
            }
            if (last >= 0) {
                spent[n] = total;
                ended[n++] = last;
            }
        }
        printf("timeline:   %-40s %6.1f ms  (at %6.1f ms)", names[k], Median(spent, n), Median(ended, n));
        if (n < done)
            printf("  in %d of %d runs", n, done);
        printf("\n");
    }
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
    // StartUp's own steps on the crowded desktop, timed from its call.
    static TimelineRecord crowded;
    Recording = &crowded;
    Created = Now();
    StartUp();
    Recording = NULL;
    printf("startup: StartUp() itself, in process, with %d windows open: %.3f s; its steps ended at (ms):\n",
           kWindowCount, Now() - Created);
    for (int i = 0; i < crowded.count; ++i)
        printf("startup:   %-40s %7.1f\n", crowded.marks[i].step, crowded.marks[i].at);
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
    Record(step);
}

int main(int argc, char** argv)
{
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof(self));
    if (argc == 2 && strcmp(argv[1], "--timeline-run") == 0)
        return TimelineRun();
    if (argc == 2 && strcmp(argv[1], "--timeline") == 0) {
        Timeline(self, Runs());
        return 0;
    }
    if (argc == 4 && strcmp(argv[1], "--pair") == 0) {
        StartUpPair(argv[2], argv[3]);
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "--drawing") == 0) {
        DrawingObjectsBudget();
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "--host-windows") == 0)
        return HostWindows();
    if (argc < 4) {
        fprintf(stderr, "usage: vexlo_bench <vexlo.exe> <floor.exe> <minimal.exe> [figure]\n"
                        "       vexlo_bench --pair <this vexlo.exe> <other vexlo.exe>\n"
                        "       vexlo_bench --timeline\n");
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
