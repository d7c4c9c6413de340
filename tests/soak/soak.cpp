// The real vexlo.exe under a seeded random stream of real input, with targets that come, go and stop answering, and its
// health checked every 20 events; a failure names the seed, the event and the last 50. Command line: <seed> <seconds>.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tests/e2e/session.h"
#include "tests/helpers/gdi_objects.h"

const long kCheckEvery = 20, kWarmEvents = 40, kGdiSlack = 32, kDcCache = 48, kDcStep = 16, kHandleSlack = 16, kCommitSlack = 2048;  // KiB
const char kWarningCaption[] = "\xce\xf8\xe8\xe1\xea\xe0", kStuckTitle[] = "004 Soak stuck";
const int kScreenW = GetSystemMetrics(SM_CXSCREEN), kScreenH = GetSystemMetrics(SM_CYSCREEN);

// A fixed generator, so that a seed replays the same stream everywhere.
unsigned long long Rng;
int Rand(int lo, int hi) {
    Rng = Rng * 6364136223846793005ULL + 1442695040888963407ULL;
    return lo + static_cast<int>((Rng >> 33) % static_cast<unsigned>(hi - lo + 1));
}

DWORD Seed, Longest;
int Event;
std::string History[50], LongestEvent;
std::vector<std::string> Titles, ActedOn;  // the targets'; the present titles of the windows acted on
Session S;
PROCESS_INFORMATION Helper;
HWND Stuck;
struct Figures { long handles, commit, gdi, dcs; } Start, Warm, Last;  // gdi: -1 with no probe

// Notes the event in the history, or reports a failure with that history and ends the run.
void Note(bool fail, const char* format, ...) {
    char text[300];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    if (!fail) return void(History[Event % 50] = "#" + std::to_string(Event) + " " + text);
    printf("soak: FAIL seed %lu event %d: %s\nsoak: the last events:\n", Seed, Event, text);
    for (int i = std::max(0, Event - 49); i <= Event; ++i) printf("  %s\n", History[i % 50].c_str());
    printf("soak: replay with: vexlo_soak %lu <seconds>\n", Seed);
    if (S.app.ok) TerminateProcess(S.app.pi.hProcess, 3), S.panel = NULL;
    exit(1);
}
#define Log(...) Note(false, __VA_ARGS__)
#define Fail(...) Note(true, __VA_ARGS__)
void DriverFault(const std::string& what) { Fail("%s", what.c_str()); }

void Settle(DWORD ms) { WaitFor([] { return false; }, ms); }
void MoveTo(POINT p) { PointerTo(p.x, p.y); }
void Click(POINT p) { ClickAt(p.x, p.y); }
void Key(WORD vk, WORD modifier = 0) {
    for (int i = 0; i < 4; ++i)
        if (const WORD k = i == 1 || i == 2 ? vk : modifier) keybd_event((BYTE)k, 0, i > 1 ? KEYEVENTF_KEYUP : 0, 0);
    Settle(20);
}

// Screen point of a client point of the panel, wherever it stands now.
POINT At(int x, int y) { return S.Locate(), POINT{S.origin.x + x, S.origin.y + y}; }
bool Shown() { return IsWindowVisible(S.panel) != 0; }
RECT RectOf(HWND w) { RECT r = {}; return GetWindowRect(w, &r), r; }
POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Top-level windows of a process, of one class unless NULL, visible ones unless `all`.
std::vector<HWND> WindowsOf(DWORD pid, const char* cls, bool all = false) {
    std::vector<HWND> found;
    DWORD owner = 0;
    for (HWND w = NULL; (w = FindWindowExA(NULL, w, cls, NULL)) != NULL;)
        if (GetWindowThreadProcessId(w, &owner) && owner == pid && (all || IsWindowVisible(w))) found.push_back(w);
    return found;
}
std::vector<HWND> Ours(const char* cls) { return WindowsOf(S.app.pi.dwProcessId, cls); }

// The warning box (by its caption) or the About box.
HWND Box(bool warning) {
    char caption[16] = "";
    for (HWND w : Ours("#32770"))
        if (GetWindowTextA(w, caption, sizeof(caption)) >= 0 && (strcmp(caption, kWarningCaption) == 0) == warning) return w;
    return NULL;
}
// Clicks the box's OK where it can be seen (the About box stands above all).
bool ClickOk(HWND box) {
    HWND ok = GetDlgItem(box, IDOK) ? GetDlgItem(box, IDOK) : GetDlgItem(box, IDCANCEL);
    const POINT p = Middle(RectOf(ok));
    return ok && WindowFromPoint(p) == ok && (Click(p), WaitFor([&] { return !IsWindow(box); }, 2000));
}

// A list entry in 1251, the selected one for -1 ("" when none): the title cut short, then the handle.
std::string Entry(int index) {
    HWND combo = FindWindowExA(S.panel, NULL, "ComboBox", NULL);
    DWORD_PTR n = index;
    wchar_t wide[300] = L"";
    char text[300] = "";
    if ((index >= 0 || (SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_NORMAL, 6000, &n) && (LRESULT)n != CB_ERR)) &&
        SendMessageTimeoutW(combo, CB_GETLBTEXT, n, (LPARAM)wide, SMTO_NORMAL, 6000, &n))
        WideCharToMultiByte(1251, 0, wide, -1, text, sizeof(text), NULL, NULL);
    return text;
}
bool OurTarget(const std::string& label) {
    auto same = [&](const std::string& t) { return label.compare(0, std::min<size_t>(20, t.size()), t, 0, 20) == 0; };
    return std::any_of(Titles.begin(), Titles.end(), same);
}

// Any entry can be acted on, the program's own windows too (a tooltip's title is its last tip): the program stores
// the title the window has then, as WM_GETTEXT gives it.
void NoteActedOn() {
    const std::string label = Entry(-1);
    const size_t at = label.rfind("[HWND: ");
    char title[128] = "";
    const HWND w = at == std::string::npos ? NULL : (HWND)(UINT_PTR)strtoul(label.c_str() + at + 7, NULL, 16);
    if (w && SendMessageTimeoutA(w, WM_GETTEXT, sizeof(title), (LPARAM)title, SMTO_ABORTIFHUNG, 300, NULL))
        ActedOn.push_back(std::string(title).substr(0, 99));
}

// Client points of the controls; lower ones (1) only when unfolded. Sliders: the right end.
struct Spot { const char* name; int x, y, lower; };
const Spot kSpots[] = {
    {"About", 318, 10, 0}, {"Minimize", 338, 10, 0}, {"panel slider", 70, 11, 0}, {"title", 200, 10, 0},
    {"list arrow", 330, 58, 0}, {"Refresh", 354, 59, 0}, {"visible radio", 20, 80, 0}, {"all radio", 145, 80, 0},
    {"More", 250, 128, 0}, {"Pin", 350, 130, 0}, {"body", 250, 100, 0}, {"SetTopmost", 60, 128, 0},
    {"ClearTopmost", 150, 128, 0}, {"width edit", 157, 170, 1}, {"height edit", 209, 170, 1}, {"left edit", 172, 207, 1},
    {"top edit", 243, 207, 1}, {"size reset", 246, 170, 1}, {"apply size", 292, 170, 1}, {"apply position", 292, 207, 1},
    {"target slider", 352, 243, 1}, {"hide/show", 137, 280, 1}, {"close target", 225, 280, 1}, {"Close", 358, 11, 0},
};
const int kCloseTarget = 22, kClose = 23, kTray = 8, kActing[] = {11, 12, 18, 19, 20, 21, 22};
const Spot* Played;  // the spot of the event being played

enum Op { Move, Press, Slide, Outside, TitleDrag, Slider, Fold, Tray, Menu, About, Pick, Type, Act, Reborn, Stall, Restore };
struct Kind { const char* name; int weight; Op op; int first, last; };  // the spots it uses: first..last
const Kind kKinds[] = {
    {"move", 18, Move, 0, kClose}, {"click", 10, Press, 0, kCloseTarget}, {"slide", 6, Slide, 0, kCloseTarget},
    {"release outside", 4, Outside, 0, kCloseTarget}, {"title drag", 5, TitleDrag, 3, 3}, {"panel slider", 3, Slider, 2, 2},
    {"target slider", 3, Slider, 20, 20}, {"fold", 5, Fold, 8, 8}, {"tray", 3, Tray, 0, 0}, {"menu", 3, Menu, 0, 0},
    {"about", 2, About, 0, 0}, {"pick", 6, Pick, 4, 4}, {"type", 6, Type, 13, 16}, {"apply", 5, Act, 17, 19},
    {"on top", 4, Act, 11, 12}, {"hide/show/close", 3, Act, 21, 22}, {"refresh", 2, Press, 5, 5},
    {"radio", 2, Press, 6, 7}, {"recreate", 1, Reborn, 0, 0}, {"stall", 1, Stall, 0, 0}, {"restore", 2, Restore, 0, 0},
};
const int kKindCount = sizeof(kKinds) / sizeof(kKinds[0]);

void Drag(POINT from, POINT to, int steps) {
    MoveTo(from), LeftDown();
    for (int i = 1; i <= steps; ++i) PointerTo(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    LeftUp();
}

// Opens the window list and clicks one of our targets in it, scrolled into view with the wheel.
void PickEntry() {
    Click(At(330, 58));
    std::vector<HWND> list;
    if (!WaitFor([&] { return !(list = Ours("ComboLBox")).empty(); }, 1500)) return Log("pick: the list did not open");
    auto ask = [&](UINT message) { return (int)SendMessageA(list[0], message, 0, 0); };
    const int count = ask(LB_GETCOUNT), height = ask(LB_GETITEMHEIGHT);
    std::vector<int> ours;
    for (int i = 0; i < count; ++i)
        if (OurTarget(Entry(i))) ours.push_back(i);
    const int pick = ours.empty() ? -1 : ours[Rand(0, (int)ours.size() - 1)];
    const RECT r = RectOf(list[0]);
    PointerTo(r.left + 40, (r.top + r.bottom) / 2);
    for (int notch = 0, top = 0; notch < 9 && pick >= 0 && height > 0; ++notch) {
        const int y = r.top + 2 + (pick - (top = ask(LB_GETTOPINDEX))) * height + height / 2;
        if (pick >= top && y + height / 2 < r.bottom) return ClickAt(r.left + 40, y), Log("pick %d of %d", pick, count);
        mouse_event(MOUSEEVENTF_WHEEL, 0, 0, pick < top ? WHEEL_DELTA : -WHEEL_DELTA, 0), Settle(60);
    }
    Key(VK_ESCAPE), Log("pick: no target in view (%d entries)", count);
}

void TypeInto(const Spot& e) {
    Click(At(e.x, e.y)), Key(VK_HOME), Key(VK_END, VK_SHIFT);
    static const char* const kTyped[] = {"7", "640", "1234", "12345", "-8", "+25", "abc", "12xy"};
    const int kind = Rand(0, 3);
    if (kind == 0) {
        const char* t = kTyped[Rand(0, 7)];
        for (const char* c = t; *c; ++c)
            *c == '-' ? Key(VK_OEM_MINUS) : *c == '+' ? Key(VK_OEM_PLUS, VK_SHIFT) : Key(*c >= 'a' ? *c - 32 : *c);
        return Log("type \"%s\" into %s", t, e.name);
    }
    std::string text = kind == 1 ? "  -\xcf\xf0\xe8\xe2\xe5\xf2 42" : kind == 2 ? " 300\xe0\xff" : "";
    while (kind == 3 && text.size() < 254) text += static_cast<char>('0' + text.size() % 10);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1), GlobalUnlock(block);
    if (OpenClipboard(NULL)) EmptyClipboard(), SetClipboardData(CF_TEXT, block), CloseClipboard(), Key('V', VK_CONTROL);
    Log("paste %u bytes into %s", (unsigned)text.size(), e.name);
}

// The menu as the tray opens it on a right click at `at`; then a row or its left strip (0).
void MenuChoice(POINT at, int item) {
    RECT r;
    std::vector<HWND> m;
    MoveTo(at), SendNotifyMessageA(S.panel, 954, 1, WM_RBUTTONUP);
    if (!WaitFor([&] { return !(m = Ours("Vexlo_menu")).empty() && (r = RectOf(m[0])).right == at.x; }, 3000))
        return Log("menu at %ld,%ld did not open", at.x, at.y);
    const int y = item == 0 ? 80 : item == 1 ? 15 : 44, x = item == 0 ? 8 : 100;
    PointerTo(r.left + x - 20, r.top + y), ClickAt(r.left + x, r.top + y), Log("menu at %ld,%ld, item %d", at.x, at.y, item);
}

void RestoreTargets() {
    for (int i = 0; i < 4; ++i) PostThreadMessageA(Helper.dwThreadId, WM_APP + 1, i, 0);
    if (!IsWindow(Stuck)) Stuck = MakeSleepyTarget(kStuckTitle);
    // Asynchronous: its thread may be asleep.
    SetWindowPos(Stuck, HWND_NOTOPMOST, 600, 20, 200, 150, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
    Settle(100);
}

// Plays one event; true when it asks a target to close.
bool Play(const Kind& k) {
    const Spot* s = &kSpots[Rand(k.first, k.last)];
    for (int tries = 0; s->lower && WindowHeight(S.panel) != 300 && tries < 8; ++tries) s = &kSpots[Rand(k.first, k.last)];
    Played = s;
    if (s->lower && WindowHeight(S.panel) != 300) return Log("%s on %s skipped, folded", k.name, s->name), false;
    // The open tray menu stays over the panel until one of its rows is released on: a press meant for
    // the panel would land on the menu, "Exit" among its rows.
    const std::vector<HWND> menu = Ours("Vexlo_menu");
    RECT over, panel = RectOf(S.panel), shown = menu.empty() ? RECT{} : RectOf(menu[0]);
    if ((k.op != Move && k.op < Tray) || k.op == About || (k.op >= Pick && k.op <= Act))
        if (IntersectRect(&over, &panel, &shown)) return Log("%s on %s skipped, under the tray menu", k.name, s->name), false;
    const POINT p = At(s->x + Rand(-2, 2), s->y + Rand(-2, 2));
    const bool coin = Rand(0, 1) == 1, other = Rand(0, 1) == 1;
    POINT to = {Rand(0, kScreenW - 1), Rand(0, kScreenH - 1)};
    int ms = 0, from = 0, x = 0;
    switch (k.op) {
    case Move: return MoveTo(p), Log("move over %s", s->name), false;
    case Press: return Click(p), Log("click %s", s->name), false;
    case Slide:
        MoveTo(p), LeftDown(), MoveTo(At(Rand(0, 369), Rand(0, WindowHeight(S.panel) - 1))), coin ? MoveTo(p) : void();
        return LeftUp(), Log("press %s, slide off%s", s->name, coin ? " and back" : ""), false;
    case Outside: {  // off the panel, and off an open tray menu: like any menu, it acts on a release over a row
        for (int pass = 0; pass < 4; ++pass)
            for (const RECT& r : {RectOf(S.panel), menu.empty() ? RECT{} : RectOf(menu[0])})
                if (PtInRect(&r, to)) to.y = r.bottom + 10 < kScreenH ? r.bottom + 10 : r.top - 10;
        return Drag(p, to, 1), Log("press %s, release outside at %ld,%ld", s->name, to.x, to.y), false;
    }
    case TitleDrag:  // fast or slow
        Drag(At(Rand(90, 300), Rand(3, 16)), to, coin ? 2 : 15);
        return Log("title drag in %d steps to %ld,%ld", coin ? 2 : 15, to.x, to.y), false;
    case Slider:
        if (s->lower && !OurTarget(Entry(-1))) return Log("%s skipped, no target", s->name), false;
        from = s->x - Rand(0, s->lower ? 190 : 50), x = from + Rand(-120, 80);
        return Drag(At(from, s->y), At(x, s->y + Rand(-20, 20)), Rand(2, 10)), Log("%s %d to %d", s->name, from, x), false;
    case Fold:
        if (Click(p), coin) Settle(Rand(10, 150)), Click(p);
        return Log("fold%s", coin ? ", again in mid-fold" : ""), false;
    case Tray:
        if (HWND icon = TrayIconWindow(200)) MoveTo(Middle(RectOf(icon))), coin ? RightClick() : (LeftDown(), LeftUp());
        else return Log("tray icon not found"), false;
        return Settle(150), Log("tray icon %s click", coin ? "right" : "left"), false;
    case Menu:  // where the whole menu fits
        return MenuChoice({300 + to.x % (kScreenW - 310), 200 + to.y % (kScreenH - 210)}, Rand(0, 2)), false;
    case About:  // pressed twice or not, closed with Enter or OK
        Click(p);
        if (!WaitFor([] { return Box(false) != NULL; }, 3000)) return Log("About did not open"), false;
        if (coin) Click(p), Settle(200);
        if (Ours("#32770").size() > 1) Fail("a second box opened over the About box");
        if (other && WaitFor([] { return GetForegroundWindow() == Box(false); }, 1000))
            Key(VK_RETURN), WaitFor([] { return !Box(false); }, 2000);
        return Log("About%s, closed with %s%s", coin ? " pressed twice" : "", other ? "Enter" : "OK",
                   Box(false) && !ClickOk(Box(false)) ? " (covered)" : ""), false;
    case Pick: return PickEntry(), false;
    case Type: return TypeInto(*s), false;
    case Act:
        if (!OurTarget(Entry(-1))) return PickEntry(), false;
        return Click(p), Log("%s on '%.20s'", s->name, Entry(-1).c_str()), s == &kSpots[kCloseTarget];
    case Reborn: return PostThreadMessageA(Helper.dwThreadId, WM_APP + 1, 2, 1), Log("target 2 made again"), false;
    case Stall: return PostMessageA(Stuck, WM_APP, ms = Rand(1500, 4000), 0), Log("stuck target sleeps %d ms", ms), false;
    case Restore: return RestoreTargets(), Log("targets shown, home, off topmost"), false;
    }
    return false;
}

// Handles from the system's list (GetProcessHandleCount gives 0 under Wine): class 16, {pid, type, flags, value, object,
// access} after a count.
Figures Measure(HANDLE process) {
    static std::vector<unsigned char> list(1 << 16);
    const GdiObjects gdi = CountGdiObjects(process);
    Figures f = {0, 0, gdi.objects, gdi.dcs};
    while (NtQuerySystemInformation(SYSTEM_INFORMATION_CLASS(16), list.data(), list.size(), NULL) == (LONG)0xC0000004)
        list.resize(list.size() * 2);
    const size_t cell = 8 + 2 * sizeof(void*), count = *reinterpret_cast<ULONG*>(list.data());
    for (size_t i = 0; i < count && sizeof(void*) + (i + 1) * cell <= list.size(); ++i)
        f.handles += *reinterpret_cast<ULONG*>(&list[sizeof(void*) + i * cell]) == GetProcessId(process);
    PROCESS_MEMORY_COUNTERS m = {};
    f.commit = GetProcessMemoryInfo(process, &m, sizeof(m)) ? m.PagefileUsage >> 10 : 0;  // PrivateUsage stays 0 under Wine
    return f;
}

// Fixed pixels of the skin: title strip, frame, the captions' ground; lower ones unfolded. The body shows the base colour.
struct Sample { int x, y; bool lower = false; COLORREF colour = 0; bool known = false; } Samples[] = {
    {90, 3}, {110, 14}, {280, 3}, {295, 14}, {1, 60}, {3, 100, false, Base, true}, {250, 100}, {366, 100},
    {200, 145}, {3, 160, true}, {5, 280, true}, {330, 285, true}, {366, 225, true}};

// The point shows the panel: no window of the program's or the targets' over it, and none of any program's above the
// panel (the system tray's window takes no clicks, so WindowFromPoint passes through it).
bool PanelOnTop(POINT p) {
    RECT r;
    // The desktop's taskbar, below the work area, may stand above it.
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    if (!PtInRect(&r, p) || WindowFromPoint(p) != S.panel) return false;
    for (HWND w = GetTopWindow(NULL); w && w != S.panel; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w) && GetWindowRect(w, &r) && PtInRect(&r, p)) return false;
    for (DWORD pid : {S.app.pi.dwProcessId, Helper.dwProcessId, GetCurrentProcessId()})
        for (HWND w : WindowsOf(pid, NULL))
            if (w != S.panel && GetWindowRect(w, &r) && PtInRect(&r, p)) return false;
    return true;
}

// What stands at p in Wine's eyes: the window there, shown ones above the panel, and ours over p in any layer.
void ReportCover(POINT p) {
    char c[64] = "", t[64] = "";
    auto show = [&](const char* what, HWND w) {
        RECT r = {};
        GetWindowRect(w, &r), GetClassNameA(w, c, sizeof(c)), GetWindowTextA(w, t, sizeof(t));
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        printf("soak: %s %p %s \"%s\" pid %lu at %ld,%ld-%ld,%ld%s\n", what, (void*)w, c, t, pid, r.left, r.top, r.right,
               r.bottom, IsWindowVisible(w) ? "" : " hidden");
    };
    printf("soak: at %ld,%ld (the program's pid %lu)\n", p.x, p.y, S.app.pi.dwProcessId);
    show("panel", S.panel), show("under the point", WindowFromPoint(p));
    for (HWND w = GetTopWindow(NULL); w && w != S.panel; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w)) show("above the panel", w);
    for (DWORD pid : {S.app.pi.dwProcessId, Helper.dwProcessId, GetCurrentProcessId()})
        for (HWND w : WindowsOf(pid, NULL)) if (const RECT r = RectOf(w); w != S.panel && PtInRect(&r, p)) show("over the point", w);
    fflush(stdout);
}

// What Wine makes on first use and then keeps, made before the baseline: a tip shown, and the list of all windows,
// long enough for its scroll bar, dropped down.
void WarmUp() {
    MoveTo(At(318, 10));
    if (!WaitFor([] { return !Ours("tooltips_class32").empty(); }, 5000)) Fail("no tip showed over the AboutButton");
    Click(At(145, 80)), Click(At(330, 58));
    if (!WaitFor([] { return !Ours("ComboLBox").empty(); }, 3000)) Fail("the list did not drop down");
    Key(VK_ESCAPE), Click(At(20, 80)), MoveTo({500, 700});
}

void Check() {
    if (WaitForSingleObject(S.app.pi.hProcess, 0) == WAIT_OBJECT_0) Fail("the program ended");
    const Figures f = Last = Measure(S.app.pi.hProcess);
    if (Ours("#32770").empty()) {  // a dialog box holds objects while it is open
        if (!Warm.commit) Warm = f;
        if (f.handles > Warm.handles + kHandleSlack) Fail("handles grew from %ld to %ld", Warm.handles, f.handles);
        // Wine keeps a display context, with a region and a bitmap, for each window that has drawn, and reuses those
        // of windows gone: their number levels off (28 more after warm-up at most, measured over 2,000 events), and
        // every other object must hold.
        static long lastDcs = 0;  // and by 9 at most between two checks
        if (Start.gdi > 0 && lastDcs > 0 && f.dcs > lastDcs + kDcStep)
            Fail("display contexts grew from %ld to %ld within %ld events", lastDcs, f.dcs, kCheckEvery);
        lastDcs = f.dcs;
        if (Start.gdi > 0 && f.dcs > Warm.dcs + kDcCache) Fail("display contexts grew from %ld to %ld", Warm.dcs, f.dcs);
        if (Start.gdi > 0 && f.gdi - 3 * f.dcs > Warm.gdi - 3 * Warm.dcs + kGdiSlack)
            Fail("GDI objects grew from %ld to %ld, %ld of them display contexts, from %ld", Warm.gdi, f.gdi, f.dcs, Warm.dcs);
        if (f.commit > Warm.commit + kCommitSlack) Fail("private commit grew from %ld to %ld KiB", Warm.commit, f.commit);
    }
    if (!PointerFree()) Fail("no button is held, yet the cursor is clipped");
    if (WindowsOf(S.app.pi.dwProcessId, "Vexlo_menu", true).size() > 1) Fail("more than one Vexlo_menu window");
    if (Ours("#32770").size() > (Box(true) ? 2u : 1u)) Fail("more than one About box");
    // Unfolding grows the panel downwards where it stands, so only the folded part must fit.
    if (const RECT r = RectOf(S.panel); Shown() && (r.left < 0 || r.top < 0 || r.right > kScreenW || r.top + 150 > kScreenH))
        Fail("the panel lies off the screen at %ld,%ld-%ld,%ld", r.left, r.top, r.right, r.bottom);
    const std::string stored = StoredLastWindow();
    auto same = [&](const std::string& t) { return stored == t.substr(0, 99); };
    if (!stored.empty() && std::none_of(Titles.begin(), Titles.end(), same) &&
        std::none_of(ActedOn.begin(), ActedOn.end(), same))
        Fail("LastWindow holds \"%s\", no window acted on", stored.c_str());
    int h = 0;  // the picture only once no fold runs: the height holds still
    // A sleeping target's window lags on the screen behind its place and order.
    if (IsWindow(Stuck) && !SendMessageTimeoutA(Stuck, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, NULL)) return;
    if (!Shown() || (GetWindowLongA(S.panel, GWL_EXSTYLE) & WS_EX_LAYERED)) return;
    if (!WaitFor([&] { const int was = h; return (h = WindowHeight(S.panel)) == was && h % 150 == 0; }, 3000)) return;
    Settle(100);
    for (Sample& s : Samples) {
        const POINT p = At(s.x, s.y);
        if ((s.lower && h != 300) || !PanelOnTop(p)) continue;
        // A window just shown may take a moment to get its picture on the screen.
        COLORREF c = ScreenPixel(p.x, p.y);
        if (s.known && c != s.colour) WaitFor([&] { return (c = ScreenPixel(p.x, p.y)) == s.colour; }, 2000);
        if (!PanelOnTop(p)) continue;  // covered meanwhile
        if (s.known && c != s.colour) {  // for the replay: the screen, and what Wine has above the panel
            CaptureWindowPng(GetDesktopWindow(), kScreenW, kScreenH, "soak-fail.png");
            COLORREF x;
            XPixels(&p, 1, &x);
            printf("soak: at %ld,%ld X shows %06lx, Wine %06lx; Wine's visible windows, top first:\n", p.x, p.y, x,
                   ScreenPixel(p.x, p.y));
            char cls[64];
            for (HWND w = GetTopWindow(NULL); w; w = GetWindow(w, GW_HWNDNEXT))
                if (IsWindowVisible(w) && GetClassNameA(w, cls, sizeof(cls)))
                    printf("  %p %s %ld,%ld-%ld,%ld%s\n", (void*)w, cls, RectOf(w).left, RectOf(w).top, RectOf(w).right,
                           RectOf(w).bottom, w == S.panel ? " (the panel)" : "");
            printf("soak: X's mapped windows, top first (soak-fail.png holds the screen):\n%s", XInput("l\n").c_str());
            Fail("skin pixel %d,%d is %06lx, was %06lx", s.x, s.y, c, s.colour);
        }
        s.colour = c, s.known = true;
    }
}

int main(int argc, char** argv) {
    if (argc < 3) return printf("usage: vexlo_soak <seed> <seconds>\n"), 2;
    Rng = Seed = strtoul(argv[1], NULL, 10);
    const DWORD seconds = (DWORD)strtoul(argv[2], NULL, 10);
    setvbuf(stdout, NULL, _IONBF, 0), printf("soak: seed %lu, %lu s\n", Seed, seconds);
    // Four targets in a helper process and one here on a thread that sleeps now and then.
    char name[64], path[MAX_PATH], command[MAX_PATH + 40], title[200];
    const DWORD id = GetCurrentProcessId();
    HANDLE ready = NULL;
    for (const char* event : {"Asleep", "Ready"})
        sprintf(name, "VexloStuck%s%lu", event, id), ResetEvent(ready = CreateEventA(NULL, TRUE, FALSE, name));
    GetModuleFileNameA(NULL, path, MAX_PATH), lstrcpyA(strrchr(path, '\\') + 1, "vexlo_stuck_target.exe");
    sprintf(command, "\"%s\" %lu 4 soak", path, id);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (!CreateProcessA(path, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &Helper) || WaitForSingleObject(ready, 30000))
        Fail("the helper's targets did not start");
    // Ready comes as the windows are made; they are listed with their titles a moment later.
    WaitFor([&] {
        Titles.clear();
        for (HWND w : WindowsOf(Helper.dwProcessId, "VexloStuckTarget"))
            if (GetWindowTextA(w, title, sizeof(title))) Titles.push_back(title);
        return Titles.size() == 4;
    });
    Titles.push_back(kStuckTitle), Stuck = MakeSleepyTarget(kStuckTitle);
    if (Titles.size() != 5 || !Stuck) Fail("the targets did not start: %u titles", (unsigned)Titles.size());
    StoreLastWindow(NULL), PointerTo(500, 700);
    if (!(S.app = Launch()).ok || !(S.panel = WaitForPanel(S.app.pi.dwProcessId, 30000)))
        Fail("the program did not show its panel");
    WaitFor([] { return S.Locate(), S.At(3, 100) == Base; }, 10000);
    Start = Measure(S.app.pi.hProcess);  // the GDI probe sees the program's own objects or none
    WarmUp();
    const int total = [] { int t = 0; for (const Kind& k : kKinds) t += k.weight; return t; }();
    const DWORD begin = GetTickCount();
    // Every kind once first, so that what is made on first use exists before the baseline.
    for (Event = 1; Event <= kKindCount || GetTickCount() - begin < seconds * 1000; ++Event) {
        bool close = false;
        if (HWND box = Box(true))  // the About box may stand above it
            Log(ClickOk(box) ? "warning: OK" : ClickOk(Box(false)) ? "About: OK" : (Key(VK_RETURN), "warning: Enter"));
        else if (!Shown() && Rand(0, 2) > 0)
            close = Play(kKinds[kTray]);  // the tray brings it back
        else {
            int k = Event > kKindCount ? 0 : Event - 1, pick = Rand(1, total);
            for (; Event > kKindCount && pick > kKinds[k].weight; ++k) pick -= kKinds[k].weight;
            close = Play(kKinds[k]);
        }
        if (Played && std::count(std::begin(kActing), std::end(kActing), Played - kSpots)) NoteActedOn();
        Played = NULL;
        // WM_NULL after each event: answered within 1 s, or 5 s after a close request.
        const DWORD limit = close ? 5000 : 1000, start = GetTickCount();
        const BOOL answered = SendMessageTimeoutA(S.panel, WM_NULL, 0, 0, SMTO_NORMAL, limit + 5000, NULL);
        const DWORD took = GetTickCount() - start;
        if (took > Longest) Longest = took, LongestEvent = History[Event % 50];
        DWORD code = STILL_ACTIVE;
        if (!answered && GetExitCodeProcess(S.app.pi.hProcess, &code) && code != STILL_ACTIVE)
            Fail("the program ended with exit code %lu (0x%lx)", code, code);
        if (!answered || took > limit) Fail("WM_NULL %sanswered after %lu ms, bound %lu", answered ? "" : "un", took, limit);
        if (Event % kCheckEvery == 0 && Event >= kWarmEvents) Check();
    }
    // The end: every box and menu left, the panel back, closed with its CloseButton.
    Log("finish");
    for (int i = 0; i < 6; ++i) ClickOk(Box(i % 2 == 0));  // NULL when none
    if (!Ours("Vexlo_menu").empty()) MenuChoice({600, 500}, 0);  // opened where its strip is known, and left
    if (!Shown()) PostMessageA(S.panel, 954, 1, WM_LBUTTONUP);
    RestoreTargets();
    WaitFor([] { return Shown(); }, 3000);
    Check();
    const std::string stored = StoredLastWindow();
    const POINT p = At(kSpots[kClose].x, kSpots[kClose].y);
    if (!PanelOnTop(p)) ReportCover(p), Fail("the CloseButton is covered");
    Click(p);
    if (const DWORD code = WaitExit(S.app, 15000); code != 1) Fail("the CloseButton gave exit code %lu, not 1", code);
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE, icon.hWnd = S.panel, icon.uID = 1;
    if (Shell_NotifyIconA(NIM_MODIFY, &icon)) Fail("the tray icon outlived the program");
    if (StoredLastWindow() != stored) Fail("LastWindow \"%s\" was lost at the end", stored.c_str());
    printf("soak: PASS seed %lu: %d events in %lu s; longest answer %lu ms (%s)\n", Seed, Event,
           (GetTickCount() - begin) / 1000, Longest, LongestEvent.c_str());
    printf("soak: handles %ld -> %ld -> %ld, private commit %ld -> %ld -> %ld KiB, GDI objects %ld -> %ld -> %ld, of them "
           "display contexts %ld -> %ld -> %ld%s (start, after warm-up, end)\n", Start.handles, Warm.handles, Last.handles,
           Start.commit, Warm.commit, Last.commit, Start.gdi, Warm.gdi, Last.gdi, Start.dcs, Warm.dcs, Last.dcs,
           Start.gdi > 0 ? "" : " (no GDI probe)");
    return 0;
}
