// The real program closed, or started a second time, in each state it can stand in.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "tests/e2e/driver.h"
#include "tools/shot/capture.h"

namespace {

const UINT kTrayCallback = 954;

struct Program {
    Launched app = {};
    HWND panel = NULL;
    EndsProgram ends{app};
    DWORD pid() const { return app.pi.dwProcessId; }
};

bool StartProgram(Program& p)
{
    StoreLastWindow(NULL);
    PointerTo(0, 0);
    p.app = Launch();
    p.panel = p.app.ok ? WaitForPanel(p.pid(), 30000) : NULL;
    return p.panel != NULL;
}

// A press and a release, as the panel's thread receives them.
void PostClick(HWND panel, int x, int y)
{
    PostMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The program's tray icon is there (a modify that changes nothing answers only then).
bool IconThere(HWND panel)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = panel;
    record.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &record) != 0;
}

HWND VisibleWindow(const Program& p, const char* cls) { return WaitForProcessWindow(p.pid(), cls, NULL, 0); }

// Each state: how to enter it, what shows it, how to leave it.
struct State {
    const char* name;
    void (*enter)(const Program&);
    bool (*holds)(const Program&);
    void (*leave)(const Program&);
};

const State kStates[] = {
    {"folded", [](const Program&) {},
     [](const Program& p) { return IsWindowVisible(p.panel) && WindowHeight(p.panel) == 150; }, [](const Program&) {}},
    {"unfolded", [](const Program& p) { PostClick(p.panel, 250, 128); },
     [](const Program& p) { return IsWindowVisible(p.panel) && WindowHeight(p.panel) == 300; },
     [](const Program& p) {
         PostClick(p.panel, 250, 128);
         WaitFor([&] { return WindowHeight(p.panel) == 150; });
     }},
    {"hidden to the tray", [](const Program& p) { PostClick(p.panel, 338, 10); },
     [](const Program& p) { return !IsWindowVisible(p.panel); },
     [](const Program& p) {
         PostMessageA(p.panel, kTrayCallback, 1, WM_LBUTTONUP);
         WaitFor([&] { return IsWindowVisible(p.panel) != 0; });
     }},
    {"tray menu open", [](const Program& p) { PostMessageA(p.panel, kTrayCallback, 1, WM_RBUTTONUP); },
     [](const Program& p) { return VisibleWindow(p, "Vexlo_menu") != NULL; },
     [](const Program& p) {
         // A release on no row closes the menu and chooses nothing.
         HWND menu = VisibleWindow(p, "Vexlo_menu");
         PostMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(5, 80));
         PostMessageA(menu, WM_LBUTTONUP, 0, MAKELPARAM(5, 80));
         WaitFor([&] { return !IsWindowVisible(menu); });
     }},
    {"About open", [](const Program& p) { PostClick(p.panel, 318, 10); },
     [](const Program& p) { return VisibleWindow(p, "#32770") != NULL; },
     [](const Program& p) {
         HWND box = VisibleWindow(p, "#32770");
         PostMessageA(box, WM_COMMAND, IDOK, 0);
         WaitFor([&] { return !IsWindow(box); });
     }},
};

}  // namespace

TEST(Faults, SecondCopyInEveryStateLeavesAtOnceAndTheFirstUnchanged)
{
    Program first;
    ASSERT_TRUE(StartProgram(first));
    for (const State& s : kStates) {
        SCOPED_TRACE(s.name);
        s.enter(first);
        ASSERT_TRUE(WaitFor([&] { return s.holds(first); }));
        StoreLastWindow(NULL);  // the second copy must not create the key again
        Launched second = Launch();
        EndsProgram secondEnds{second};
        ASSERT_TRUE(second.ok);
        EXPECT_EQ(WaitExit(second, 15000), 0u);
        HKEY key;
        EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qorvsoft\\Vexlo", 0, KEY_READ, &key), ERROR_SUCCESS);
        CloseHandles(second);
        WaitFor([] { return false; }, 300);
        EXPECT_TRUE(s.holds(first));
        EXPECT_TRUE(IconThere(first.panel));
        s.leave(first);
    }
    // The CloseButton ends the program as WM_CLOSE does.
    PostClick(first.panel, 358, 10);
    EXPECT_EQ(WaitExit(first.app, 30000), 1u);
    CloseHandles(first.app);
}

// Closed from outside plain, with the menu or with the About box open; with the
// About box open, also by the CloseButton and by the menu's "Выход".
TEST(Faults, ClosedWithAModalOrMenuOpenEndsWithOneAndTakesTheIcon)
{
    enum Closer { FromOutside, ByCloseButton, ByMenuQuit };
    const struct { const State* state; Closer closer; } rows[] = {
        {&kStates[0], FromOutside}, {&kStates[3], FromOutside}, {&kStates[4], FromOutside},
        {&kStates[4], ByCloseButton}, {&kStates[4], ByMenuQuit}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.state->name << ", closer " << row.closer);
        Program p;
        ASSERT_TRUE(StartProgram(p));
        ASSERT_TRUE(WaitFor([&] { return IconThere(p.panel); }));
        row.state->enter(p);
        ASSERT_TRUE(WaitFor([&] { return row.state->holds(p); }));
        if (row.closer == ByCloseButton)
            PostClick(p.panel, 358, 10);
        if (row.closer == ByMenuQuit) {
            PostMessageA(p.panel, kTrayCallback, 1, WM_RBUTTONUP);
            HWND menu = WaitForProcessWindow(p.pid(), "Vexlo_menu", NULL, 15000);
            PostMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(100, 73));
            PostMessageA(menu, WM_LBUTTONUP, 0, MAKELPARAM(100, 73));
        }
        if (row.closer != FromOutside) {
            EXPECT_EQ(WaitExit(p.app, 30000), 1u);
        }
        EXPECT_EQ(ClosePanel(p.panel, p.app), 1u);
        EXPECT_FALSE(IconThere(p.panel));
    }
}
