// The soak: the real vexlo.exe under a seeded random stream of real input, with
// targets that come, go and stop answering, and the program's health checked
// every few dozen events. A failure names the seed, the event number and the
// last 50 events. Command line: <seed> <seconds>; exit code 0 when all held.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/session.h"

namespace {

const int kCheckEvery = 20, kWarmEvents = 40;
const DWORD kHandleSlack = 16, kCommitSlack = 2 << 20;
const int kGdiSlack = 64;
const char kWarningCaption[] = "\xce\xf8\xe8\xe1\xea\xe0";
const char kStuckTitle[] = "004 Soak stuck";

// A fixed generator, so that a seed replays the same stream everywhere.
unsigned long long Rng;
int Rand(int lo, int hi)
{
    Rng = Rng * 6364136223846793005ULL + 1442695040888963407ULL;
    return lo + static_cast<int>((Rng >> 33) % static_cast<unsigned>(hi - lo + 1));
}

unsigned Seed;
int Event;
std::string History[50];
Session S;
PROCESS_INFORMATION Helper;
HWND Stuck;
std::vector<std::string> Titles;  // the targets' titles
struct Figures {
    DWORD handles;
    SIZE_T commit;
    int gdi;  // -1 where the probe does not work
} Start, Warm, Last;
bool Warmed, GdiProbe;
DWORD Longest;
std::string LongestEvent;

void Log(const char* format, ...)
{
    char text[240];
    va_list args;
    va_start(args, format);
    int n = snprintf(text, sizeof(text), "#%d ", Event);
    vsnprintf(text + n, sizeof(text) - n, format, args);
    va_end(args);
    History[Event % 50] = text;
}

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
    if (S.app.ok)
        TerminateProcess(S.app.pi.hProcess, 3);
    S.panel = NULL;
    exit(1);
}

// ---- input and what the program shows ----

void Settle(DWORD ms) { WaitFor([] { return false; }, ms); }
void MoveTo(POINT p) { PointerTo(p.x, p.y); }
void Click(POINT p) { ClickAt(p.x, p.y); }

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

// Screen point of a client point of the panel, wherever it stands now.
POINT At(int x, int y)
{
    S.Locate();
    return POINT{S.origin.x + x, S.origin.y + y};
}
bool Unfolded() { return WindowHeight(S.panel) == 300; }
bool Shown() { return IsWindowVisible(S.panel) != 0; }

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
std::vector<HWND> WindowsOf(DWORD pid, const char* cls, bool visibleOnly = true)
{
    Query q = {pid, cls, visibleOnly, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&q));
    return q.found;
}
std::vector<HWND> Ours(const char* cls) { return WindowsOf(S.app.pi.dwProcessId, cls); }

// The warning box (by its caption) or the About box.
HWND Box(bool warning)
{
    for (HWND w : Ours("#32770")) {
        char caption[16] = "";
        GetWindowTextA(w, caption, sizeof(caption));
        if ((strcmp(caption, kWarningCaption) == 0) == warning)
            return w;
    }
    return NULL;
}

// Clicks the box's OK where it can be seen (the About box stands above all);
// false when it could not.
bool ClickOk(HWND box)
{
    RECT r;
    HWND ok = GetDlgItem(box, IDOK) ? GetDlgItem(box, IDOK) : GetDlgItem(box, IDCANCEL);
    if (!ok || !GetWindowRect(ok, &r))
        return false;
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (WindowFromPoint(p) != ok)
        return false;
    Click(p);
    return WaitFor([&] { return !IsWindow(box); }, 2000);
}

// A list entry, in 1251 ("" when none): the title cut short, then the handle.
std::string Entry(int index)
{
    HWND combo = FindWindowExA(S.panel, NULL, "ComboBox", NULL);
    DWORD_PTR n = CB_ERR;
    if (index < 0 && (!SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_NORMAL, 6000, &n) || (LRESULT)n == CB_ERR))
        return "";
    wchar_t wide[300] = L"";
    char text[300] = "";
    SendMessageTimeoutW(combo, CB_GETLBTEXT, index < 0 ? n : index, (LPARAM)wide, SMTO_NORMAL, 6000, &n);
    WideCharToMultiByte(1251, 0, wide, -1, text, sizeof(text), NULL, NULL);
    return text;
}
bool OurTarget(const std::string& label)
{
    for (const std::string& t : Titles)
        if (label.compare(0, 20, t, 0, 20) == 0 || (t.size() < 20 && label.compare(0, t.size(), t) == 0))
            return true;
    return false;
}

// ---- the events ----

// Client points of the controls; lower ones only when unfolded. Sliders: the right end.
struct Spot {
    const char* name;
    int x, y;
    bool lower;
};
const Spot kSpots[] = {
    {"About", 318, 10, false},          {"Minimize", 338, 10, false},      {"panel slider", 70, 11, false},
    {"title", 200, 10, false},          {"list arrow", 330, 58, false},    {"Refresh", 354, 59, false},
    {"visible radio", 20, 80, false},   {"all radio", 145, 80, false},     {"More", 250, 128, false},
    {"Pin", 350, 130, false},           {"body", 250, 100, false},         {"SetTopmost", 60, 128, false},
    {"ClearTopmost", 150, 128, false},  {"width edit", 157, 170, true},    {"height edit", 209, 170, true},
    {"left edit", 172, 207, true},      {"top edit", 243, 207, true},      {"size reset", 246, 170, true},
    {"apply size", 292, 170, true},     {"apply position", 292, 207, true}, {"target slider", 352, 243, true},
    {"hide/show", 137, 280, true},      {"close target", 225, 280, true},  {"Close", 358, 11, false},
};
const int kAbout = 0, kList = 4, kCloseTarget = 22, kClose = 23;

enum Op { Move, Press, Slide, Outside, TitleDrag, Slider, Fold, Tray, Menu, About, Pick, Type, Act, Recreate, Stall, Restore };
struct Kind {
    const char* name;
    int weight;
    Op op;
    int first, last;  // the spots it uses
};
const Kind kKinds[] = {
    {"move", 18, Move, 0, kClose},        {"click", 10, Press, 0, kClose - 1},   {"slide", 6, Slide, 0, kClose - 1},
    {"release outside", 4, Outside, 0, kClose - 1}, {"title drag", 5, TitleDrag, 3, 3}, {"panel slider", 3, Slider, 2, 2},
    {"target slider", 3, Slider, 20, 20}, {"fold", 5, Fold, 8, 8},              {"tray", 3, Tray, 0, 0},
    {"menu", 3, Menu, 0, 0},              {"about", 2, About, kAbout, kAbout},  {"pick", 6, Pick, kList, kList},
    {"type", 6, Type, 13, 16},            {"apply", 5, Act, 17, 19},            {"on top", 4, Act, 11, 12},
    {"hide/show/close", 3, Act, 21, 22},  {"refresh", 2, Press, 5, 5},          {"radio", 2, Press, 6, 7},
    {"recreate", 1, Recreate, 0, 0},      {"stall", 1, Stall, 0, 0},            {"restore", 2, Restore, 0, 0},
};
const int kKindCount = sizeof(kKinds) / sizeof(kKinds[0]);

POINT ScreenPoint() { return POINT{Rand(0, GetSystemMetrics(SM_CXSCREEN) - 1), Rand(0, GetSystemMetrics(SM_CYSCREEN) - 1)}; }

void Drag(POINT from, POINT to, int steps)
{
    MoveTo(from), LeftDown();
    for (int i = 1; i <= steps; ++i)
        PointerTo(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    LeftUp();
}

void PickEntry()
{
    Click(At(330, 58));
    std::vector<HWND> list;
    if (!WaitFor([&] { return !(list = Ours("ComboLBox")).empty(); }, 1500))
        return Log("pick: the list did not open");
    std::vector<int> ours;
    const int count = (int)SendMessageW(FindWindowExA(S.panel, NULL, "ComboBox", NULL), CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        if (OurTarget(Entry(i)))
            ours.push_back(i);
    RECT r;
    GetWindowRect(list[0], &r);
    const int height = (int)SendMessageA(list[0], LB_GETITEMHEIGHT, 0, 0);
    const int pick = ours.empty() ? -1 : ours[Rand(0, (int)ours.size() - 1)];
    // Scrolled into view with the wheel.
    PointerTo(r.left + 40, (r.top + r.bottom) / 2);
    int top = (int)SendMessageA(list[0], LB_GETTOPINDEX, 0, 0);
    for (int notch = 0; notch < 8 && pick >= 0 && height > 0 && (pick < top || r.top + 2 + (pick - top + 1) * height >= r.bottom); ++notch) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_WHEEL;
        in.mi.mouseData = pick < top ? WHEEL_DELTA : -WHEEL_DELTA;
        SendInput(1, &in, sizeof(in));
        Settle(60);
        top = (int)SendMessageA(list[0], LB_GETTOPINDEX, 0, 0);
    }
    const int y = r.top + 2 + (pick - top) * height + height / 2;
    if (pick < 0 || height <= 0 || y >= r.bottom - 2 || y <= r.top)
        return Key(VK_ESCAPE), Log("pick: no target in view (%d entries)", count);
    ClickAt(r.left + 40, y);
    Log("pick entry %d of %d", pick, count);
}

void TypeInto(const Spot& e)
{
    Click(At(e.x, e.y));
    Key(VK_HOME), Key(VK_END, VK_SHIFT);
    static const char* const kTyped[] = {"7", "640", "1234", "12345", "-8", "+25", "abc", "12xy"};
    const int kind = Rand(0, 3);
    if (kind == 0) {
        const char* t = kTyped[Rand(0, 7)];
        for (const char* c = t; *c; ++c)
            *c == '-' ? Key(VK_OEM_MINUS) : *c == '+' ? Key(VK_OEM_PLUS, VK_SHIFT) : Key(*c >= 'a' ? *c - 32 : *c);
        return Log("type \"%s\" into %s", t, e.name);
    }
    std::string text = kind == 1 ? "  -\xcf\xf0\xe8\xe2\xe5\xf2 42" : kind == 2 ? " 300\xe0\xff" : "";
    while (kind == 3 && text.size() < 254)
        text += static_cast<char>('0' + text.size() % 10);
    if (OpenClipboard(NULL)) {
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
        CloseClipboard();
        Key('V', VK_CONTROL);
    }
    Log("paste %u bytes into %s", (unsigned)text.size(), e.name);
}

// Opened as the tray reports a right click, where the whole menu fits; then a row or the strip.
void MenuChoice()
{
    POINT at = {Rand(300, GetSystemMetrics(SM_CXSCREEN) - 10), Rand(200, GetSystemMetrics(SM_CYSCREEN) - 10)};
    MoveTo(at);
    SendNotifyMessageA(S.panel, 954, 1, WM_RBUTTONUP);
    RECT r;
    if (!WaitFor([&] {
            std::vector<HWND> m = Ours("Vexlo_menu");
            return !m.empty() && GetWindowRect(m[0], &r) && r.right == at.x;
        }, 3000))
        return Log("menu at %ld,%ld did not open", at.x, at.y);
    const int item = Rand(0, 2), y = item == 0 ? 80 : item == 1 ? 15 : 44, x = item == 0 ? 8 : 100;
    PointerTo(r.left + x - 20, r.top + y), ClickAt(r.left + x, r.top + y);
    Log("menu at %ld,%ld, item %d", at.x, at.y, item);
}

void AboutBox()
{
    HWND about = NULL;
    Click(At(318, 10));
    if (!WaitFor([&] { return (about = Box(false)) != NULL; }, 3000))
        return Log("About did not open");
    const bool again = Rand(0, 1) == 1, enter = Rand(0, 1) == 1;
    if (again)
        Click(At(318, 10)), Settle(200);
    if (Ours("#32770").size() > 1)
        Fail("a second box opened over the About box");
    if (enter && WaitFor([&] { return GetForegroundWindow() == about; }, 1000))
        Key(VK_RETURN), WaitFor([&] { return !IsWindow(about); }, 2000);
    const bool open = IsWindow(about) && !ClickOk(about);
    Log("About%s, closed with %s%s", again ? " pressed twice" : "", enter ? "Enter" : "OK", open ? " (covered)" : "");
}

void RestoreTargets()
{
    for (int i = 0; i < 4; ++i)
        PostThreadMessageA(Helper.dwThreadId, WM_APP + 1, i, 0);
    if (!IsWindow(Stuck))
        Stuck = MakeSleepyTarget(kStuckTitle);
    // Asynchronous: its thread may be asleep.
    SetWindowPos(Stuck, HWND_NOTOPMOST, 600, 20, 200, 150, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
    Settle(100);
}

// Plays one event; true when it asks a target to close.
bool Play(const Kind& k)
{
    const Spot* s = &kSpots[Rand(k.first, k.last)];
    for (int tries = 0; s->lower && !Unfolded() && tries < 8; ++tries)
        s = &kSpots[Rand(k.first, k.last)];
    if (s->lower && !Unfolded() && k.op <= Act)
        return Log("%s on %s skipped, folded", k.name, s->name), false;
    const POINT p = At(s->x + Rand(-2, 2), s->y + Rand(-2, 2));
    switch (k.op) {
    case Move:
        MoveTo(p);
        break;
    case Press:
        Click(p);
        break;
    case Slide: {
        const bool back = Rand(0, 1) == 1;
        MoveTo(p), LeftDown(), MoveTo(At(Rand(0, 369), Rand(0, WindowHeight(S.panel) - 1)));
        if (back)
            MoveTo(p);
        LeftUp();
        return Log("press %s, slide off%s", s->name, back ? " and back" : ""), false;
    }
    case Outside: {
        POINT out = ScreenPoint();
        RECT r;
        GetWindowRect(S.panel, &r);
        if (PtInRect(&r, out))
            out.y = r.bottom + 10 < GetSystemMetrics(SM_CYSCREEN) ? r.bottom + 10 : r.top - 10;
        MoveTo(p), LeftDown(), MoveTo(out), LeftUp();
        return Log("press %s, release outside at %ld,%ld", s->name, out.x, out.y), false;
    }
    case TitleDrag: {
        const bool fast = Rand(0, 1) == 1;
        const POINT to = ScreenPoint();
        Drag(At(Rand(90, 300), Rand(3, 16)), to, fast ? 2 : 15);
        return Log("title drag %s to %ld,%ld", fast ? "fast" : "slow", to.x, to.y), false;
    }
    case Slider: {
        if (s->lower && !OurTarget(Entry(-1)))
            return Log("%s skipped, no target", s->name), false;
        const int from = s->x - Rand(0, s->lower ? 190 : 50), to = from + Rand(-120, 80);
        Drag(At(from, s->y), At(to, s->y + Rand(-20, 20)), Rand(2, 10));
        return Log("%s %d to %d", s->name, from, to), false;
    }
    case Fold: {
        const bool twice = Rand(0, 2) == 0;
        Click(p);
        if (twice)
            Settle(Rand(10, 150)), Click(p);
        return Log("fold%s", twice ? ", again in mid-fold" : ""), false;
    }
    case Tray: {
        HWND icon = TrayIconWindow(200);
        RECT r;
        if (!icon || !GetWindowRect(icon, &r))
            return Log("tray icon not found"), false;
        const bool right = Rand(0, 1) == 1;
        PointerTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        right ? RightClick() : (LeftDown(), LeftUp());
        Settle(150);
        return Log("tray icon %s click", right ? "right" : "left"), false;
    }
    case Menu:
        return MenuChoice(), false;
    case About:
        return AboutBox(), false;
    case Pick:
        return PickEntry(), false;
    case Type:
        return TypeInto(*s), false;
    case Act:
        if (!OurTarget(Entry(-1)))
            return PickEntry(), false;
        Click(p);
        return Log("%s on '%.20s'", s->name, Entry(-1).c_str()), s == &kSpots[kCloseTarget];
    case Recreate:
        PostThreadMessageA(Helper.dwThreadId, WM_APP + 1, 2, 1);
        break;
    case Stall: {
        const int ms = Rand(1500, 4000);
        PostMessageA(Stuck, WM_APP, ms, 0);
        return Log("the stuck target sleeps %d ms", ms), false;
    }
    case Restore:
        RestoreTargets();
        break;
    }
    Log("%s %s", k.name, k.op <= Press ? s->name : "");
    return false;
}

// ---- the checks ----

// Kernel handles from the system's handle list (GetProcessHandleCount gives 0 under
// Wine): class 16 lists {pid, type, flags, value, object, access} after a count.
DWORD HandleCount(DWORD pid)
{
    typedef LONG(WINAPI * QuerySystem)(int, PVOID, ULONG, PULONG);
    static QuerySystem query = (QuerySystem)(void*)GetProcAddress(GetModuleHandleA("ntdll"), "NtQuerySystemInformation");
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
    typedef LONG(WINAPI * QueryProcess)(HANDLE, int, PVOID, ULONG, PULONG);
    static QueryProcess query = (QueryProcess)(void*)GetProcAddress(GetModuleHandleA("ntdll"), "NtQueryInformationProcess");
    Figures f = {HandleCount(GetProcessId(process)), 0, -1};
    PROCESS_MEMORY_COUNTERS m = {};
    GetProcessMemoryInfo(process, &m, sizeof(m));
    f.commit = m.PagefileUsage;  // PrivateUsage stays 0 under Wine
    // The GDI probe: Wine keeps each process's handle table in its PEB, 65,536 cells
    // of 24 bytes; a cell in use has a non-zero type byte at offset 14.
    struct {
        LONG_PTR exitStatus;
        char* peb;
        ULONG_PTR rest[4];
    } info = {};
    void* table = NULL;
    static std::vector<unsigned char> cells(65536 * 24);
    if (query(process, 0, &info, sizeof(info), NULL) == 0 &&
        ReadProcessMemory(process, info.peb + (sizeof(void*) == 4 ? 0x94 : 0xF8), &table, sizeof(table), NULL) && table &&
        ReadProcessMemory(process, table, cells.data(), cells.size(), NULL)) {
        f.gdi = 0;
        for (size_t i = 0; i < 65536; ++i)
            f.gdi += cells[i * 24 + 14] != 0;
    }
    return f;
}

// The probe counts only if it sees pens made here.
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

// Fixed pixels of the skin: title strip, frame, the captions' ground; lower ones unfolded.
struct Sample {
    int x, y;
    bool lower = false;
    COLORREF colour = 0;
    bool known = false;
} Samples[] = {{90, 3}, {110, 14}, {280, 3}, {295, 14}, {1, 60}, {3, 100}, {250, 100}, {366, 100},
               {200, 145}, {3, 160, true}, {5, 280, true}, {330, 285, true}, {366, 225, true}};

// The point shows the panel, with no window of the program's or the targets' over it.
bool PanelOnTop(POINT p)
{
    if (WindowFromPoint(p) != S.panel)
        return false;
    for (DWORD pid : {S.app.pi.dwProcessId, Helper.dwProcessId, GetCurrentProcessId()})
        for (HWND w : WindowsOf(pid, NULL)) {
            RECT r;
            if (w != S.panel && GetWindowRect(w, &r) && PtInRect(&r, p))
                return false;
        }
    return true;
}

void CheckPicture()
{
    if (!Shown() || (GetWindowLongA(S.panel, GWL_EXSTYLE) & WS_EX_LAYERED))
        return;
    int h = 0;  // only once no fold runs: the height holds still
    if (!WaitFor([&] {
            const int now = WindowHeight(S.panel);
            const bool still = now == h && (h == 150 || h == 300);
            h = now;
            return still;
        }, 3000))
        return;
    Settle(100);
    for (Sample& s : Samples) {
        const POINT p = At(s.x, s.y);
        if ((s.lower && h != 300) || !PanelOnTop(p))
            continue;
        const COLORREF c = ScreenPixel(p.x, p.y);
        if (!PanelOnTop(p))  // covered meanwhile
            continue;
        if (!s.known && s.x == 3 && s.y == 100 && c != Base)
            Fail("body pixel at 3,100 is %06lx, not the base colour", c);
        if (s.known && c != s.colour)
            Fail("skin pixel %d,%d is %06lx, was %06lx", s.x, s.y, c, s.colour);
        s.colour = c, s.known = true;
    }
}

void Check()
{
    if (WaitForSingleObject(S.app.pi.hProcess, 0) == WAIT_OBJECT_0)
        Fail("the program ended");
    const Figures f = Last = Measure(S.app.pi.hProcess);
    // A dialog box holds objects while it is open: count only with none.
    if (!Box(false) && !Box(true)) {
        if (!Warmed)
            Warm = f, Warmed = true;
        if (f.handles > Warm.handles + kHandleSlack)
            Fail("handles grew from %lu to %lu", Warm.handles, f.handles);
        if (GdiProbe && f.gdi > Warm.gdi + kGdiSlack)
            Fail("GDI objects grew from %d to %d", Warm.gdi, f.gdi);
        if (f.commit > Warm.commit + kCommitSlack)
            Fail("private commit grew from %lu to %lu KiB", (unsigned long)(Warm.commit >> 10), (unsigned long)(f.commit >> 10));
    }
    if (!PointerFree())
        Fail("no button is held, yet the cursor is clipped");
    if (WindowsOf(S.app.pi.dwProcessId, "Vexlo_menu", false).size() > 1)
        Fail("more than one Vexlo_menu window");
    if (Ours("#32770").size() - (Box(true) ? 1 : 0) > 1)
        Fail("more than one About box");
    // Unfolding grows the panel downwards where it stands, so only the folded part must fit.
    RECT r;
    GetWindowRect(S.panel, &r);
    if (Shown() && (r.left < 0 || r.top < 0 || r.right > GetSystemMetrics(SM_CXSCREEN) || r.top + 150 > GetSystemMetrics(SM_CYSCREEN)))
        Fail("the panel lies off the screen at %ld,%ld-%ld,%ld", r.left, r.top, r.right, r.bottom);
    const std::string stored = StoredLastWindow();
    bool known = stored.empty();
    for (const std::string& t : Titles)
        known = known || stored == t.substr(0, 99);
    if (!known)
        Fail("LastWindow holds \"%s\", no window acted on", stored.c_str());
    CheckPicture();
}

// WM_NULL after each event: answered within 1 s, or 5 s after a close request.
void CheckAnswer(bool close)
{
    const DWORD limit = close ? 5000 : 1000, start = GetTickCount();
    DWORD_PTR result;
    const BOOL answered = SendMessageTimeoutA(S.panel, WM_NULL, 0, 0, SMTO_NORMAL, limit + 5000, &result);
    const DWORD took = GetTickCount() - start;
    if (took > Longest)
        Longest = took, LongestEvent = History[Event % 50];
    if (!answered || took > limit)
        Fail("WM_NULL answered %s after %lu ms (bound %lu ms)", answered ? "only" : "not", took, limit);
}

// Four targets in a helper process (one of them made again now and then) and one
// here on a thread that sleeps now and then.
bool StartTargets()
{
    char name[64], path[MAX_PATH], command[MAX_PATH + 40];
    const DWORD id = GetCurrentProcessId();
    sprintf(name, "VexloStuckAsleep%lu", id);
    CreateEventA(NULL, TRUE, FALSE, name);
    sprintf(name, "VexloStuckReady%lu", id);
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, name);
    GetModuleFileNameA(NULL, path, MAX_PATH);
    lstrcpyA(strrchr(path, '\\') + 1, "vexlo_stuck_target.exe");
    sprintf(command, "\"%s\" %lu 4 soak", path, id);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (!CreateProcessA(path, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &Helper) ||
        WaitForSingleObject(ready, 30000) != WAIT_OBJECT_0)
        return false;
    for (HWND w : WindowsOf(Helper.dwProcessId, "VexloStuckTarget")) {
        char title[200] = "";
        GetWindowTextA(w, title, sizeof(title));
        Titles.push_back(title);
    }
    Stuck = MakeSleepyTarget(kStuckTitle);
    Titles.push_back(kStuckTitle);
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
    if (!Ours("Vexlo_menu").empty()) {  // opened again where its strip is known, then left
        PointerTo(600, 500);
        SendNotifyMessageA(S.panel, 954, 1, WM_RBUTTONUP);
        Settle(300);
        ClickAt(600 - 197, 500 - 8);
    }
    if (!Shown())
        PostMessageA(S.panel, 954, 1, WM_LBUTTONUP);
    RestoreTargets();
    WaitFor([] { return Shown(); }, 3000);
    Check();
    const std::string stored = StoredLastWindow();
    const POINT p = At(kSpots[kClose].x, kSpots[kClose].y);
    if (!PanelOnTop(p))
        Fail("the CloseButton is covered");
    Click(p);
    const DWORD code = WaitExit(S.app, 15000);
    if (code != 1)
        Fail("the CloseButton ended the program with %lu, not 1", code);
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = S.panel;
    icon.uID = 1;
    if (Shell_NotifyIconA(NIM_MODIFY, &icon))
        Fail("the tray icon outlived the program");
    if (StoredLastWindow() != stored)
        Fail("LastWindow \"%s\" became \"%s\" at the end", stored.c_str(), StoredLastWindow().c_str());
    CloseHandles(S.app);
    S.panel = NULL;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return printf("usage: vexlo_soak <seed> <seconds>\n"), 2;
    Rng = Seed = (unsigned)strtoul(argv[1], NULL, 10);
    const DWORD seconds = (DWORD)strtoul(argv[2], NULL, 10);
    setvbuf(stdout, NULL, _IONBF, 0);
    printf("soak: seed %u, %lu s\n", Seed, seconds);
    GdiProbe = GdiProbeWorks();
    if (!StartTargets())
        Fail("the targets did not start");
    StoreLastWindow(NULL);
    PointerTo(500, 700);
    S.app = Launch();
    S.panel = S.app.ok ? WaitForPanel(S.app.pi.dwProcessId, 30000) : NULL;
    if (S.panel == NULL)
        Fail("the program did not show its panel");
    S.Locate();
    WaitFor([] { return S.At(3, 100) == Base; }, 10000);
    Start = Measure(S.app.pi.hProcess);

    int total = 0;
    for (const Kind& k : kKinds)
        total += k.weight;
    const DWORD begin = GetTickCount();
    // Every kind once first, so that what is made on first use exists before the baseline.
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
            close = Play(kKinds[8]);  // the tray brings it back
        } else {
            int k = Event - 1, pick = Rand(1, total);
            if (Event > kKindCount)
                for (k = 0; pick > kKinds[k].weight; ++k)
                    pick -= kKinds[k].weight;
            close = Play(kKinds[k]);
        }
        CheckAnswer(close);
        if (Event % kCheckEvery == 0 && Event >= kWarmEvents)
            Check();
    }
    Finish();
    printf("soak: PASS seed %u: %d events in %lu s; longest answer %lu ms (%s)\n", Seed, Event,
           (GetTickCount() - begin) / 1000, Longest, LongestEvent.c_str());
    printf("soak: handles %lu -> %lu -> %lu, private commit %lu -> %lu -> %lu KiB, GDI objects %d -> %d -> %d%s "
           "(start, after warm-up, end)\n",
           Start.handles, Warm.handles, Last.handles, (unsigned long)(Start.commit >> 10), (unsigned long)(Warm.commit >> 10),
           (unsigned long)(Last.commit >> 10), Start.gdi, Warm.gdi, Last.gdi, GdiProbe ? "" : " (no GDI probe)");
    return 0;
}
