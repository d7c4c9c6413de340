// The soak: the real vexlo.exe under a seeded random stream of real input, with
// target windows in another process that come, go and stop answering, and the
// program's health checked every few dozen events. A failure names the seed, the
// event number and the last 50 events, so the run can be replayed.
// Command line: <seed> <seconds> [trace]. Exit code 0 when every check held.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tools/shot/capture.h"

namespace {

const int kCheckEvery = 20, kWarmEvents = 40;
const DWORD kAnswerMs = 1000, kCloseAnswerMs = 5000;
const DWORD kHandleSlack = 16, kGdiSlack = 64;
const SIZE_T kCommitSlack = 2 << 20;
const COLORREF kBase = RGB(104, 126, 210);
const char kWarningCaption[] = "\xce\xf8\xe8\xe1\xea\xe0";

// A fixed generator, so that a seed replays the same stream everywhere.
unsigned long long Rng;
int Rand(int lo, int hi)
{
    Rng = Rng * 6364136223846793005ULL + 1442695040888963407ULL;
    return lo + static_cast<int>((Rng >> 33) % static_cast<unsigned>(hi - lo + 1));
}

unsigned Seed;
bool Trace;  // every event printed as it is played
int Event;
std::string History[50];
Launched App, Helper;
HWND Panel, Stuck;
DWORD StuckThread;
std::vector<std::string> Titles;  // the targets' titles, as the helper set them

struct Figures {
    DWORD handles;
    SIZE_T commit;
    int gdi;  // -1 where the probe does not work
};
Figures Start, Base, Last;
bool Warm;
DWORD Longest;
std::string LongestEvent;

void Log(const char* format, ...)
{
    char text[200];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    char line[240];
    snprintf(line, sizeof(line), "#%d %s", Event, text);
    History[Event % 50] = line;
    if (Trace)
        printf("%s\n", line);
}
Figures Measure(HANDLE process);

void Fail(const char* format, ...)
{
    char text[300];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    printf("soak: FAIL seed %u event %d: %s\nsoak: the last events:\n", Seed, Event, text);
    for (int i = Event - 49; i <= Event; ++i)
        if (i >= 0)
            printf("  %s\n", History[i % 50].c_str());
    printf("soak: replay with: vexlo_soak %u <seconds>\n", Seed);
    fflush(stdout);
    if (App.ok)
        TerminateProcess(App.pi.hProcess, 3);
    exit(1);
}

// ---- real input ----

void Send(DWORD flags, int x, int y)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (x * 65536 + w - 1) / w;
    in.mi.dy = (y * 65536 + h - 1) / h;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE)
        in.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(in));
}

void Settle(DWORD ms) { WaitFor([] { return false; }, ms); }

// Moves the pointer and waits until it stands there, or as near as a clip lets it.
void MoveTo(int x, int y, DWORD settle = 40)
{
    Send(MOUSEEVENTF_MOVE, x, y);
    WaitFor([&] {
        RECT c;
        POINT at;
        GetClipCursor(&c);
        GetCursorPos(&at);
        auto clamp = [](int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; };
        return at.x == clamp(x, c.left, c.right - 1) && at.y == clamp(y, c.top, c.bottom - 1);
    }, 500);
    Settle(settle);
}

void Down() { Send(MOUSEEVENTF_LEFTDOWN, 0, 0), Settle(60); }
void Up() { Send(MOUSEEVENTF_LEFTUP, 0, 0), Settle(60); }
void Click(int x, int y) { MoveTo(x, y), Down(), Up(); }

void Key(WORD vk, WORD modifier = 0)
{
    INPUT in[4] = {};
    int n = 0;
    if (modifier)
        in[n++].ki.wVk = modifier;
    in[n++].ki.wVk = vk;
    in[n].ki.wVk = vk, in[n++].ki.dwFlags = KEYEVENTF_KEYUP;
    if (modifier)
        in[n].ki.wVk = modifier, in[n++].ki.dwFlags = KEYEVENTF_KEYUP;
    for (int i = 0; i < n; ++i)
        in[i].type = INPUT_KEYBOARD;
    SendInput(n, in, sizeof(INPUT));
    Settle(20);
}

void Type(const char* text)
{
    for (; *text; ++text) {
        char c = *text;
        if (c == '-')
            Key(VK_OEM_MINUS);
        else if (c == '+')
            Key(VK_OEM_PLUS, VK_SHIFT);
        else
            Key(static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 32 : c));
    }
}

void Paste(const std::string& text)
{
    if (!OpenClipboard(NULL))
        return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    Key('V', VK_CONTROL);
}

// ---- what the program shows ----

RECT PanelRect()
{
    RECT r = {};
    GetWindowRect(Panel, &r);
    return r;
}
POINT At(int x, int y)
{
    RECT r = PanelRect();
    POINT p = {r.left + x, r.top + y};
    return p;
}
bool Unfolded() { return WindowHeight(Panel) == 300; }
bool Shown() { return IsWindowVisible(Panel) != 0; }

struct Query {
    DWORD pid;  // 0: any process
    const char* cls;
    bool visibleOnly;
    std::vector<HWND> found;
};
BOOL CALLBACK Collect(HWND w, LPARAM lp)
{
    Query& q = *reinterpret_cast<Query*>(lp);
    DWORD pid = 0;
    char name[64] = "";
    GetWindowThreadProcessId(w, &pid);
    GetClassNameA(w, name, sizeof(name));
    if ((!q.pid || pid == q.pid) && (!q.visibleOnly || IsWindowVisible(w)) && (!q.cls || strcmp(name, q.cls) == 0))
        q.found.push_back(w);
    return TRUE;
}

// Visible top-level windows of a process, optionally of one class.
std::vector<HWND> WindowsOf(DWORD pid, const char* cls, bool visibleOnly = true)
{
    Query q = {pid, cls, visibleOnly, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

// The program's dialog boxes: the warning box (by its caption) or the About box.
HWND Box(bool warning)
{
    for (HWND w : WindowsOf(App.pi.dwProcessId, "#32770")) {
        char caption[16] = "";
        GetWindowTextA(w, caption, sizeof(caption));
        if ((strcmp(caption, kWarningCaption) == 0) == warning)
            return w;
    }
    return NULL;
}

// Clicks the box's OK button where it can be seen; a box under another one (the
// About box stands above all) is left for later. False when it could not be clicked.
bool ClickOk(HWND box)
{
    RECT r;
    HWND ok = GetDlgItem(box, IDOK) ? GetDlgItem(box, IDOK) : GetDlgItem(box, IDCANCEL);
    if (!ok || !GetWindowRect(ok, &r))
        return false;
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (WindowFromPoint(p) != ok)
        return false;
    Click(p.x, p.y);
    return WaitFor([&] { return !IsWindow(box); }, 2000);
}

// The entry selected in the window list, in 1251, or "" when none.
std::string Selected()
{
    HWND combo = FindWindowExA(Panel, NULL, "ComboBox", NULL);
    DWORD_PTR index = CB_ERR;
    if (!SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_NORMAL, 6000, &index) || (LRESULT)index == CB_ERR)
        return "";
    wchar_t wide[300] = L"";
    DWORD_PTR n = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, index, (LPARAM)wide, SMTO_NORMAL, 6000, &n);
    char text[300] = "";
    WideCharToMultiByte(1251, 0, wide, -1, text, sizeof(text), NULL, NULL);
    return text;
}
// A list entry is the title (cut short) followed by the handle.
bool Ours(const std::string& label)
{
    for (const std::string& t : Titles)
        if (label.compare(0, t.size() < 20 ? t.size() : 20, t, 0, t.size() < 20 ? t.size() : 20) == 0)
            return true;
    return false;
}
bool OursSelected() { return Ours(Selected()); }

// ---- the events ----

// Client points of the drawn controls and child controls; lower ones only unfolded.
struct Spot {
    const char* name;
    int x, y;
    bool lower, act;
};
const Spot kSpots[] = {
    {"About", 318, 10, false, false},        {"Minimize", 338, 10, false, false},
    {"Close", 358, 11, false, false},        {"panel slider", 70, 11, false, false},
    {"title", 200, 10, false, false},        {"list arrow", 330, 58, false, false},
    {"Refresh", 354, 59, false, false},      {"visible radio", 20, 80, false, false},
    {"all radio", 145, 80, false, false},    {"SetTopmost", 60, 128, false, true},
    {"ClearTopmost", 150, 128, false, true}, {"More", 250, 128, false, false},
    {"Pin", 350, 130, false, false},         {"body", 250, 100, false, false},
    {"width edit", 157, 170, true, false},   {"height edit", 209, 170, true, false},
    {"size reset", 246, 170, true, false},   {"apply size", 292, 170, true, true},
    {"left edit", 172, 207, true, false},    {"top edit", 243, 207, true, false},
    {"apply position", 292, 207, true, true}, {"target slider", 352, 243, true, true},
    {"hide/show", 137, 280, true, true},     {"close target", 225, 280, true, true},
};
const int kSpotCount = sizeof(kSpots) / sizeof(kSpots[0]);
const int kClose = 2, kMore = 11;

// A spot that can be used now; never the CloseButton, which ends the run.
const Spot& AnySpot(bool withClose = false)
{
    for (;;) {
        const Spot& s = kSpots[Rand(0, kSpotCount - 1)];
        if ((withClose || &s != &kSpots[kClose]) && (!s.lower || Unfolded()))
            return s;
    }
}
POINT Jitter(const Spot& s)
{
    return At(s.x + Rand(-2, 2), s.y + Rand(-2, 2));
}
POINT ScreenPoint()
{
    POINT p = {Rand(0, GetSystemMetrics(SM_CXSCREEN) - 1), Rand(0, GetSystemMetrics(SM_CYSCREEN) - 1)};
    return p;
}

void Drag(POINT from, POINT to, int steps, DWORD pause)
{
    MoveTo(from.x, from.y);
    Down();
    for (int i = 1; i <= steps; ++i)
        MoveTo(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps, pause);
    Up();
}

// Wine shows tray icons as child windows of its own tray window; ours is the newest.
HWND TrayIcon()
{
    Query q = {0, "__winex11_tray_icon", true, {}};
    EnumChildWindows(FindWindowA("__winex11_standalone_tray", NULL), Collect, reinterpret_cast<LPARAM>(&q));
    return q.found.empty() ? NULL : q.found.back();
}

void EvMove()
{
    const Spot& s = AnySpot(true);
    POINT p = Jitter(s);
    MoveTo(p.x, p.y);
    Log("move over %s", s.name);
}
void EvClick()
{
    const Spot& s = AnySpot();
    POINT p = Jitter(s);
    Click(p.x, p.y);
    Log("click %s", s.name);
}
void EvSlide()
{
    const Spot& s = AnySpot();
    const bool back = Rand(0, 1) == 1;
    POINT p = Jitter(s), off = At(Rand(0, 369), Rand(0, WindowHeight(Panel) - 1));
    MoveTo(p.x, p.y), Down(), MoveTo(off.x, off.y);
    if (back)
        MoveTo(p.x, p.y);
    Up();
    Log("press %s, slide off%s", s.name, back ? " and back" : "");
}
void EvReleaseOutside()
{
    const Spot& s = AnySpot();
    POINT p = Jitter(s), out = ScreenPoint();
    RECT r = PanelRect();
    if (PtInRect(&r, out))
        out.y = r.bottom + 10 < GetSystemMetrics(SM_CYSCREEN) ? r.bottom + 10 : r.top - 10;
    MoveTo(p.x, p.y), Down(), MoveTo(out.x, out.y), Up();
    Log("press %s, release outside at %ld,%ld", s.name, out.x, out.y);
}
void EvTitleDrag()
{
    const bool fast = Rand(0, 1) == 1;
    POINT from = At(Rand(90, 300), Rand(3, 16)), to = ScreenPoint();
    Drag(from, to, fast ? 2 : 15, fast ? 0 : 30);
    Log("title drag %s to %ld,%ld", fast ? "fast" : "slow", to.x, to.y);
}
void EvPanelSlider()
{
    POINT from = At(Rand(20, 74), 11), to = At(Rand(-20, 140), 11 + Rand(-20, 20));
    Drag(from, to, Rand(2, 10), 20);
    Log("panel slider %ld to %ld", from.x - PanelRect().left, to.x - PanelRect().left);
}
void EvTargetSlider()
{
    if (!Unfolded() || !OursSelected())
        return Log("target slider skipped");
    POINT from = At(Rand(162, 354), 243), to = At(Rand(120, 400), 243 + Rand(-30, 30));
    Drag(from, to, Rand(2, 10), 20);
    Log("target slider %ld to %ld", from.x - PanelRect().left, to.x - PanelRect().left);
}
void EvFold()
{
    const bool twice = Rand(0, 2) == 0;
    POINT p = Jitter(kSpots[kMore]);
    Click(p.x, p.y);
    if (twice)
        Settle(Rand(10, 150)), Click(p.x, p.y);
    Log("fold button%s", twice ? ", again in mid-fold" : "");
}
void EvTray()
{
    HWND icon = TrayIcon();
    RECT r;
    if (!icon || !GetWindowRect(icon, &r))
        return Log("tray icon not found");
    const bool right = Rand(0, 1) == 1;
    MoveTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Send(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0);
    Send(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0);
    Settle(150);
    Log("tray icon %s click", right ? "right" : "left");
}
void EvMenu()
{
    // Opened as the tray reports it, at a point where the whole menu is on screen.
    POINT at = {Rand(300, GetSystemMetrics(SM_CXSCREEN) - 10), Rand(200, GetSystemMetrics(SM_CYSCREEN) - 10)};
    MoveTo(at.x, at.y);
    SendNotifyMessageA(Panel, 954, 1, WM_RBUTTONUP);
    HWND menu = NULL;
    RECT r;
    if (!WaitFor([&] {
            std::vector<HWND> m = WindowsOf(App.pi.dwProcessId, "Vexlo_menu");
            return !m.empty() && (menu = m[0]) && GetWindowRect(menu, &r) && r.right == at.x;
        }, 3000))
        return Log("menu at %ld,%ld did not open", at.x, at.y);
    const int item = Rand(0, 2);  // 0: the left strip, no row
    const int y = item == 0 ? 80 : item == 1 ? 15 : 44, x = item == 0 ? 8 : 100;
    MoveTo(r.left + x - 20, r.top + y), MoveTo(r.left + x, r.top + y);
    Down(), Up();
    Log("menu at %ld,%ld, item %d", at.x, at.y, item);
}
void EvAbout()
{
    HWND about = NULL;
    POINT p = At(318, 10);
    Click(p.x, p.y);
    if (!WaitFor([&] { return (about = Box(false)) != NULL; }, 3000))
        return Log("About did not open");
    const bool again = Rand(0, 1) == 1, enter = Rand(0, 1) == 1;
    if (again)
        Click(p.x, p.y), Settle(200);  // a second press while it is open: still one box
    if (WindowsOf(App.pi.dwProcessId, "#32770").size() > 1)
        Fail("a second box opened over the About box");
    if (enter && WaitFor([&] { return GetForegroundWindow() == about; }, 1000))
        Key(VK_RETURN), WaitFor([&] { return !IsWindow(about); }, 2000);
    const bool open = IsWindow(about) && !ClickOk(about);
    Log("About opened%s, closed with %s%s", again ? ", pressed again" : "", enter ? "Enter" : "OK",
        open ? " (still open: covered)" : "");
}
void EvPick()
{
    POINT p = At(330, 58);
    Click(p.x, p.y);
    std::vector<HWND> list;
    if (!WaitFor([&] { return !(list = WindowsOf(App.pi.dwProcessId, "ComboLBox")).empty(); }, 1500))
        return Log("pick: the list did not open");
    HWND combo = FindWindowExA(Panel, NULL, "ComboBox", NULL);
    std::vector<int> ours;
    const int count = (int)SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t w[300] = L"";
        char text[300] = "";
        SendMessageW(combo, CB_GETLBTEXT, i, (LPARAM)w);
        WideCharToMultiByte(1251, 0, w, -1, text, sizeof(text), NULL, NULL);
        if (Ours(text))
            ours.push_back(i);
    }
    RECT r;
    GetWindowRect(list[0], &r);
    const int height = (int)SendMessageA(list[0], LB_GETITEMHEIGHT, 0, 0);
    const int pick = ours.empty() ? -1 : ours[Rand(0, (int)ours.size() - 1)];
    // Scrolled into view with the wheel, three rows a notch.
    MoveTo(r.left + 40, (r.top + r.bottom) / 2);
    int top = (int)SendMessageA(list[0], LB_GETTOPINDEX, 0, 0);
    for (int notch = 0; notch < 8 && pick >= 0 && height > 0 &&
                        (pick < top || r.top + 2 + (pick - top + 1) * height >= r.bottom);
         ++notch) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_WHEEL;
        in.mi.mouseData = pick < top ? WHEEL_DELTA : -WHEEL_DELTA;
        SendInput(1, &in, sizeof(in));
        Settle(60);
        top = (int)SendMessageA(list[0], LB_GETTOPINDEX, 0, 0);
    }
    const int y = r.top + 2 + (pick - top) * height + height / 2;
    if (pick < 0 || height <= 0 || y >= r.bottom - 2 || y <= r.top) {
        Key(VK_ESCAPE);
        return Log("pick: no target in view (%d entries)", count);
    }
    Click(r.left + 40, y);
    Log("pick entry %d of %d (ours: %d, top %d)", pick, count, (int)ours.size(), top);
}
void EvType()
{
    if (!Unfolded())
        return Log("type skipped, folded");
    static const int kEdits[] = {14, 15, 18, 19};
    const Spot& e = kSpots[kEdits[Rand(0, 3)]];
    POINT p = Jitter(e);
    Click(p.x, p.y);
    Key(VK_HOME), Key(VK_END, VK_SHIFT);
    static const char* const kTyped[] = {"7", "640", "1234", "12345", "-8", "+25", "abc", "12xy"};
    const int kind = Rand(0, 3);
    if (kind == 0) {
        const char* t = kTyped[Rand(0, 7)];
        Type(t);
        return Log("type \"%s\" into %s", t, e.name);
    }
    std::string text = kind == 1 ? "  -\xcf\xf0\xe8\xe2\xe5\xf2 42" : kind == 2 ? " 300\xe0\xff" : "";
    while (kind == 3 && text.size() < 254)
        text += static_cast<char>('0' + text.size() % 10);
    Paste(text);
    Log("paste %u bytes into %s", (unsigned)text.size(), e.name);
}
void EvAction(int first, int last)
{
    if (!OursSelected())
        return EvPick();
    const Spot& s = kSpots[Rand(first, last)];
    if (s.lower && !Unfolded())
        return Log("%s skipped, folded", s.name);
    POINT p = Jitter(s);
    Click(p.x, p.y);
    Log("%s on '%.20s'", s.name, Selected().c_str());
}
void EvApply() { EvAction(16, 20); }
void EvOnTop() { EvAction(9, 10); }
void EvHideShowClose() { EvAction(22, 23); }
void EvRefresh()
{
    POINT p = Jitter(kSpots[6]);
    Click(p.x, p.y);
    Log("refresh");
}
void EvRadio()
{
    const Spot& s = kSpots[Rand(7, 8)];
    POINT p = Jitter(s);
    Click(p.x, p.y);
    Log("%s", s.name);
}
void EvRecreate()
{
    PostThreadMessageA(Helper.pi.dwThreadId, WM_APP + 1, 2, 1);
    Log("target 2 destroyed and made again");
}
void EvStall()
{
    const int ms = Rand(1500, 4000);
    PostMessageA(Stuck, WM_APP, ms, 0);
    Log("target 4 stops answering for %d ms", ms);
}
void EvRestore()
{
    for (int i = 0; i < 4; ++i)
        PostThreadMessageA(Helper.pi.dwThreadId, WM_APP + 1, i, 0);
    PostThreadMessageA(StuckThread, WM_APP + 1, 4, 0);
    Settle(100);
    Log("targets shown, home, off topmost");
}

struct Kind {
    const char* name;
    int weight;
    void (*run)();
};
const Kind kKinds[] = {
    {"move", 18, EvMove},         {"click", 10, EvClick},         {"slide", 6, EvSlide},
    {"release outside", 4, EvReleaseOutside}, {"title drag", 5, EvTitleDrag}, {"panel slider", 3, EvPanelSlider},
    {"target slider", 3, EvTargetSlider},     {"fold", 5, EvFold},           {"tray", 3, EvTray},
    {"menu", 3, EvMenu},          {"about", 2, EvAbout},          {"pick", 6, EvPick},
    {"type", 6, EvType},          {"apply", 5, EvApply},          {"on top", 4, EvOnTop},
    {"hide/show/close", 3, EvHideShowClose}, {"refresh", 2, EvRefresh}, {"radio", 2, EvRadio},
    {"recreate", 1, EvRecreate},  {"stall", 1, EvStall},          {"restore", 2, EvRestore},
};
const int kKindCount = sizeof(kKinds) / sizeof(kKinds[0]);

// ---- the checks ----

// The process's kernel handles, from the system's handle list (GetProcessHandleCount
// gives 0 under Wine): 16 (SystemHandleInformation) lists {pid, type, flags, value,
// object, access} per handle after a count.
DWORD HandleCount(DWORD pid)
{
    typedef LONG(WINAPI * QuerySystem)(int, PVOID, ULONG, PULONG);
    static QuerySystem query =
        (QuerySystem)(void*)GetProcAddress(GetModuleHandleA("ntdll"), "NtQuerySystemInformation");
    static std::vector<unsigned char> list(1 << 16);
    ULONG size = 0;
    while (query(16, list.data(), (ULONG)list.size(), &size) == (LONG)0xC0000004)  // too small
        list.resize(list.size() * 2);
    const size_t cell = 8 + 2 * sizeof(void*);
    const ULONG count = *reinterpret_cast<ULONG*>(list.data());
    DWORD n = 0;
    for (ULONG i = 0; i < count && sizeof(void*) + (i + 1) * cell <= list.size(); ++i)
        n += *reinterpret_cast<ULONG*>(&list[sizeof(void*) + i * cell]) == pid;
    return n;
}

Figures Measure(HANDLE process)
{
    typedef BOOL(WINAPI * MemoryInfo)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    typedef LONG(WINAPI * QueryProcess)(HANDLE, int, PVOID, ULONG, PULONG);
    static MemoryInfo memoryInfo = (MemoryInfo)(void*)GetProcAddress(LoadLibraryA("psapi"), "GetProcessMemoryInfo");
    static QueryProcess query =
        (QueryProcess)(void*)GetProcAddress(GetModuleHandleA("ntdll"), "NtQueryInformationProcess");
    Figures f = {0, 0, -1};
    f.handles = HandleCount(GetProcessId(process));
    PROCESS_MEMORY_COUNTERS m = {};
    m.cb = sizeof(m);
    memoryInfo(process, &m, sizeof(m));
    f.commit = m.PagefileUsage;  // PrivateUsage stays 0 under Wine
    // The GDI probe: Wine publishes each process's handle table in its PEB, 65,536
    // cells of 24 bytes; a cell in use has a non-zero type byte at offset 14.
    struct {
        LONG_PTR exitStatus;
        char* peb;
        ULONG_PTR rest[4];
    } info = {};
    void* table = NULL;
    static std::vector<unsigned char> cells(65536 * 24);
    if (query(process, 0, &info, sizeof(info), NULL) == 0 &&
        ReadProcessMemory(process, info.peb + (sizeof(void*) == 4 ? 0x94 : 0xF8), &table, sizeof(table), NULL) &&
        table && ReadProcessMemory(process, table, cells.data(), cells.size(), NULL)) {
        f.gdi = 0;
        for (size_t i = 0; i < 65536; ++i)
            f.gdi += cells[i * 24 + 14] != 0;
    }
    return f;
}

// The probe counts only if it sees objects made here.
bool GdiProbeWorks()
{
    const int before = Measure(GetCurrentProcess()).gdi;
    HPEN pens[20];
    for (HPEN& p : pens)
        p = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    const int after = Measure(GetCurrentProcess()).gdi;
    for (HPEN p : pens)
        DeleteObject(p);
    return before >= 0 && after - before == 20;
}
bool GdiProbe;

// Fixed pixels of the skin: title strip, frame edge, the captions' ground; lower ones unfolded.
struct Sample {
    int x, y;
    bool lower = false;
    COLORREF colour = 0;
    bool known = false;
};
Sample kSamples[] = {{90, 3}, {110, 14}, {280, 3}, {295, 14}, {1, 60}, {3, 100}, {250, 100},
                     {366, 100}, {200, 145}, {3, 160, true}, {5, 280, true}, {330, 285, true}, {366, 225, true}};

// True when the point shows the panel and nothing of the program's or the targets' lies over it.
bool PanelOnTop(POINT p)
{
    if (WindowFromPoint(p) != Panel)
        return false;
    for (DWORD pid : {App.pi.dwProcessId, Helper.pi.dwProcessId})
        for (HWND w : WindowsOf(pid, NULL)) {
            RECT r;
            if (w != Panel && GetWindowRect(w, &r) && PtInRect(&r, p))
                return false;
        }
    return true;
}

void CheckPicture()
{
    if (!Shown() || (GetWindowLongA(Panel, GWL_EXSTYLE) & WS_EX_LAYERED))
        return;
    // Only once no fold runs: the height holds still.
    int h = 0;
    if (!WaitFor([&] {
            int now = WindowHeight(Panel);
            bool still = now == h && (h == 150 || h == 300);
            h = now;
            return still;
        }, 3000))
        return;
    Settle(100);
    for (Sample& s : kSamples) {
        if (s.lower && h != 300)
            continue;
        POINT p = At(s.x, s.y);
        if (!PanelOnTop(p))
            continue;
        COLORREF c = ScreenPixel(p.x, p.y);
        if (!PanelOnTop(p))  // it may have been covered meanwhile
            continue;
        if (!s.known) {
            s.colour = c, s.known = true;
            if (s.x == 3 && s.y == 100 && c != kBase)
                Fail("body pixel at 3,100 is %06lx, not the base colour", c);
        } else if (c != s.colour) {
            Fail("skin pixel %d,%d is %06lx, was %06lx", s.x, s.y, c, s.colour);
        }
    }
}

void Check()
{
    if (WaitForSingleObject(App.pi.hProcess, 0) == WAIT_OBJECT_0)
        Fail("the program ended");
    Figures f = Last = Measure(App.pi.hProcess);
    // A dialog box holds objects while it is open: count only with none.
    if (Box(false) || Box(true)) {
    } else if (!Warm) {
        Base = f, Warm = true;
    } else {
        if (f.handles > Base.handles + kHandleSlack)
            Fail("handles grew from %lu to %lu", Base.handles, f.handles);
        if (GdiProbe && f.gdi > Base.gdi + (int)kGdiSlack)
            Fail("GDI objects grew from %d to %d", Base.gdi, f.gdi);
        if (f.commit > Base.commit + kCommitSlack)
            Fail("private commit grew from %lu to %lu KiB", (unsigned long)(Base.commit >> 10),
                 (unsigned long)(f.commit >> 10));
    }
    RECT clip, desk = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetClipCursor(&clip);
    if (!EqualRect(&clip, &desk))
        Fail("no button is held, yet the cursor is clipped to %ld,%ld-%ld,%ld", clip.left, clip.top, clip.right,
             clip.bottom);
    if (WindowsOf(App.pi.dwProcessId, "Vexlo_menu", false).size() > 1)
        Fail("more than one Vexlo_menu window");
    int abouts = 0;
    for (HWND w : WindowsOf(App.pi.dwProcessId, "#32770"))
        abouts += w != Box(true);
    if (abouts > 1)
        Fail("%d About boxes", abouts);
    // Unfolding grows the panel downwards where it stands, so below the folded
    // height it may pass the bottom edge; the drag keeps the rest on the screen.
    RECT r = PanelRect();
    if (Shown() && (r.left < 0 || r.top < 0 || r.right > desk.right || r.top + 150 > desk.bottom))
        Fail("the panel lies off the screen at %ld,%ld-%ld,%ld", r.left, r.top, r.right, r.bottom);
    std::string stored = StoredLastWindow();
    bool known = stored.empty();
    for (const std::string& t : Titles)
        known = known || stored == t.substr(0, 99);
    if (!known)
        Fail("LastWindow holds \"%s\", no window acted on", stored.c_str());
    CheckPicture();
}

// WM_NULL after each event: every wait is short, but a close request may take 5 s.
void CheckAnswer(bool close)
{
    const DWORD limit = close ? kCloseAnswerMs : kAnswerMs, start = GetTickCount();
    DWORD_PTR result;
    const BOOL answered = SendMessageTimeoutA(Panel, WM_NULL, 0, 0, SMTO_NORMAL, limit + 5000, &result);
    const DWORD took = GetTickCount() - start;
    if (took > Longest)
        Longest = took, LongestEvent = History[Event % 50];
    if (!answered || took > limit)
        Fail("WM_NULL answered %s after %lu ms (bound %lu ms)", answered ? "only" : "not", took, limit);
}

bool StartTargets()
{
    char name[64];
    const DWORD id = GetCurrentProcessId();
    sprintf(name, "VexloStuckAsleep%lu", id);
    CreateEventA(NULL, TRUE, FALSE, name);
    sprintf(name, "VexloStuckReady%lu", id);
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, name);
    char path[MAX_PATH], command[MAX_PATH + 40];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    lstrcpyA(strrchr(path, '\\') + 1, "vexlo_stuck_target.exe");
    sprintf(command, "\"%s\" %lu 5 soak", path, id);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (!CreateProcessA(path, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &Helper.pi) ||
        WaitForSingleObject(ready, 30000) != WAIT_OBJECT_0)
        return false;
    std::vector<HWND> targets;
    WaitFor([&] { return (targets = WindowsOf(Helper.pi.dwProcessId, "VexloStuckTarget")).size() == 5; }, 10000);
    for (HWND w : targets) {
        char title[200] = "";
        GetWindowTextA(w, title, sizeof(title));
        Titles.push_back(title);
        if (strncmp(title, "004", 3) == 0)
            Stuck = w, StuckThread = GetWindowThreadProcessId(w, NULL);
    }
    return Titles.size() == 5 && Stuck != NULL;
}

// Leaves every box and menu, brings the panel back, closes it with its CloseButton.
void Finish()
{
    Log("finish");
    for (int i = 0; i < 3; ++i)
        for (HWND box : {Box(true), Box(false)})
            if (box)
                ClickOk(box);
    if (!WindowsOf(App.pi.dwProcessId, "Vexlo_menu").empty()) {
        MoveTo(600, 500);
        SendNotifyMessageA(Panel, 954, 1, WM_RBUTTONUP);
        Settle(300);
        Click(600 - 197, 500 - 8);  // the menu's left strip: no row
    }
    if (!Shown())
        PostMessageA(Panel, 954, 1, WM_LBUTTONUP);
    EvRestore();
    WaitFor([] { return Shown(); }, 3000);
    Check();
    const std::string stored = StoredLastWindow();
    POINT p = At(358, 11);
    if (!PanelOnTop(p))
        Fail("the CloseButton is covered");
    Click(p.x, p.y);
    const DWORD code = WaitExit(App, 15000);
    if (code != 1)
        Fail("the CloseButton ended the program with %lu, not 1", code);
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = Panel;
    icon.uID = 1;
    if (Shell_NotifyIconA(NIM_MODIFY, &icon))
        Fail("the tray icon outlived the program");
    if (StoredLastWindow() != stored)
        Fail("LastWindow \"%s\" became \"%s\" at the end", stored.c_str(), StoredLastWindow().c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return printf("usage: vexlo_soak <seed> <seconds>\n"), 2;
    Seed = (unsigned)strtoul(argv[1], NULL, 10);
    const DWORD seconds = (DWORD)strtoul(argv[2], NULL, 10);
    Rng = Seed;
    Trace = argc > 3;
    setvbuf(stdout, NULL, _IONBF, 0);
    printf("soak: seed %u, %lu s\n", Seed, seconds);
    GdiProbe = GdiProbeWorks();
    if (!StartTargets())
        Fail("the target helper did not start");
    StoreLastWindow(NULL);
    MoveTo(500, 700);
    App = Launch();
    Panel = App.ok ? WaitForPanel(App.pi.dwProcessId, 30000) : NULL;
    if (Panel == NULL)
        Fail("the program did not show its panel");
    WaitFor([] { return ScreenPixel(At(3, 100).x, At(3, 100).y) == kBase; }, 10000);
    Start = Measure(App.pi.hProcess);

    int total = 0;
    for (int k = 0; k < kKindCount; ++k)
        total += kKinds[k].weight;
    const DWORD begin = GetTickCount();
    // First every kind once, so that everything made on first use exists before the baseline.
    for (Event = 1; Event <= kKindCount || GetTickCount() - begin < seconds * 1000; ++Event) {
        bool close = false;
        if (HWND box = Box(true)) {
            HWND about = Box(false);
            if (ClickOk(box))
                Log("warning box: OK");
            else if (about && ClickOk(about))
                Log("warning box under the About box: About closed with OK");
            else
                Key(VK_RETURN), Log("warning box covered: Enter");
        } else if (!Shown() && Rand(0, 2) > 0) {
            EvTray();
        } else {
            int k = Event - 1, pick = Rand(1, total);
            if (Event > kKindCount)
                for (k = 0; pick > kKinds[k].weight; ++k)
                    pick -= kKinds[k].weight;
            kKinds[k].run();
            close = strstr(History[Event % 50].c_str(), "close target") != NULL;
        }
        CheckAnswer(close);
        if (Trace)
            printf("   gdi %d\n", Measure(App.pi.hProcess).gdi);
        if (Event % kCheckEvery == 0 && Event >= kWarmEvents)
            Check();
    }
    Finish();
    printf("soak: PASS seed %u: %d events in %lu s; longest answer %lu ms (%s)\n", Seed, Event,
           (GetTickCount() - begin) / 1000, Longest, LongestEvent.c_str());
    printf("soak: handles %lu -> %lu -> %lu, private commit %lu -> %lu -> %lu KiB, GDI objects %d -> %d -> %d%s "
           "(start, after warm-up, end)\n",
           Start.handles, Base.handles, Last.handles, (unsigned long)(Start.commit >> 10),
           (unsigned long)(Base.commit >> 10), (unsigned long)(Last.commit >> 10), Start.gdi, Base.gdi, Last.gdi,
           GdiProbe ? "" : " (no GDI probe)");
    return 0;
}
