// Each everyday gesture as the very first input to a freshly started panel, then
// nine times more in a row, with the real pointer. The same tests run with a
// window manager and without one.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/e2e/session.h"

namespace {

RECT Desk()
{
    RECT r;
    GetClientRect(GetDesktopWindow(), &r);
    return r;
}

// A press on the title strip, moves of (dx, dy) until the pointer has gone
// `moves` steps (the clip holds it on the screen), and a release.
void TitleDrag(Session& s, int dx, int dy, int moves)
{
    const RECT d = Desk();
    POINT p = {s.origin.x + 100, s.origin.y + 10};
    PointerTo(p.x, p.y);
    LeftDown();
    for (int i = 0; i < moves; ++i) {
        p.x = std::max<LONG>(0, std::min<LONG>(d.right - 1, p.x + dx));
        p.y = std::max<LONG>(0, std::min<LONG>(d.bottom - 1, p.y + dy));
        PointerTo(p.x, p.y);
    }
    LeftUp();
}

bool PanelAt(Session& s, int x, int y)
{
    return WaitFor([&] {
        s.Locate();
        return s.origin.x == x && s.origin.y == y;
    }, 5000);
}

// Slow: six small steps; the panel moves by exactly the pointer's offset, back and forth.
bool SlowDrag(Session& s, int i)
{
    const int sign = i % 2 ? -1 : 1;
    const POINT from = s.origin;
    TitleDrag(s, 10 * sign, 8 * sign, 6);
    return PanelAt(s, from.x + 60 * sign, from.y + 48 * sign);
}

// Fast: 250 pixels a move, towards each edge in turn; the panel ends held at it.
bool FastDrag(Session& s, int i)
{
    static const POINT kWays[4] = {{-250, 0}, {0, -250}, {250, 0}, {0, 250}};
    const RECT d = Desk();
    const POINT way = kWays[i % 4], from = s.origin;
    TitleDrag(s, way.x, way.y, 5);
    const int x = way.x < 0 ? 0 : way.x > 0 ? d.right - 370 : from.x;
    const int y = way.y < 0 ? 0 : way.y > 0 ? d.bottom - 150 : from.y;
    if (PanelAt(s, x, y) && PointerFree())
        return true;
    RECT clip;
    GetClipCursor(&clip);
    ADD_FAILURE() << "from " << from.x << "," << from.y << " way " << way.x << "," << way.y << ": at " << s.origin.x
                  << "," << s.origin.y << " want " << x << "," << y << " clip " << clip.left << "," << clip.top << ","
                  << clip.right << "," << clip.bottom;
    return false;
}

// 20 pixels left of the right end gives (55 - 19) * 255 / 56 = 163; the right end is plain.
bool PanelSlider(Session& s, int i)
{
    BYTE alpha = 0;
    if (i % 2 == 0) {
        s.Drag(73, 11, 53, 11);
        return WaitFor([&] { return GetLayeredWindowAttributes(s.panel, NULL, &alpha, NULL) && alpha == 163; });
    }
    s.Drag(53, 11, 120, 11);
    return WaitFor([&] { return !(GetWindowLongA(s.panel, GWL_EXSTYLE) & WS_EX_LAYERED); });
}

// 100 pixels left of the right end: (255 - 161) * 255 / 194 = 123; back at the end the target is plain.
bool TargetSlider(Session& s, int i)
{
    if (i == 0 && !s.Unfold())
        return false;
    BYTE alpha = 0;
    if (i % 2 == 0) {
        s.Drag(352, 243, 252, 243);
        return WaitFor([&] { return GetLayeredWindowAttributes(s.target, NULL, &alpha, NULL) && alpha == 123; });
    }
    s.Drag(252, 243, 352, 243);
    return WaitFor([&] { return !(GetWindowLongA(s.target, GWL_EXSTYLE) & WS_EX_LAYERED); });
}

bool Fold(Session& s, int i)
{
    s.Click(250, 128);
    const int height = i % 2 ? 150 : 300;
    return WaitFor([&] { return WindowHeight(s.panel) == height && s.At(303, i % 2 ? 126 : 129) == Green; });
}

// "Свернуть" and "Развернуть" in turn, from a right click on the real tray icon.
bool TrayChoice(Session& s, int i)
{
    HWND icon = TrayIconWindow(15000);
    RECT r;
    if (icon == NULL || !GetWindowRect(icon, &r))
        return false;
    PointerTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    RightClick();
    HWND menu = NULL;
    if (!WaitFor([&] {
            menu = WaitForProcessWindow(s.app.pi.dwProcessId, "Vexlo_menu", NULL, 0);
            return menu != NULL && GetWindowRect(menu, &r) && ScreenPixel(r.left + 195, r.top + 44) != Base &&
                   Topmost(menu);
        }))
        return false;
    ClickAt(r.left + 100, r.top + 44);
    const bool hidden = i % 2 == 0;
    return WaitFor([&] { return !IsWindowVisible(menu) && (IsWindowVisible(s.panel) != 0) != hidden; });
}

bool About(Session& s, int)
{
    s.Click(318, 10);
    HWND box = NULL, ok = NULL;
    RECT r;
    POINT centre;
    // Clicked as a person would, once the button shows where the pointer goes.
    if (!WaitFor([&] {
            box = WaitForProcessWindow(s.app.pi.dwProcessId, "#32770", NULL, 0);
            ok = box ? GetDlgItem(box, IDOK) : NULL;
            if (ok == NULL || !GetWindowRect(ok, &r))
                return false;
            centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            return IsWindowVisible(box) && WindowFromPoint(centre) == ok;
        }))
        return false;
    ClickAt(centre.x, centre.y);
    return WaitFor([&] { return !IsWindow(box); });
}

struct Gesture {
    const char* name;
    bool (*run)(Session&, int);
};

const Gesture kGestures[] = {
    {"SlowTitleDrag", SlowDrag}, {"FastTitleDrag", FastDrag}, {"PanelSlider", PanelSlider},
    {"TargetSlider", TargetSlider}, {"Fold", Fold},        {"TrayMenuChoice", TrayChoice},
    {"AboutBox", About},
};

void PrintTo(const Gesture& g, std::ostream* os)
{
    *os << g.name;
}

class FirstGesture : public testing::TestWithParam<Gesture> {};

}  // namespace

TEST_P(FirstGesture, WorksAtTheFirstTryAndTenTimesInARow)
{
    Session s;
    ASSERT_TRUE(s.Start(kTargetTitle, 200, 150));
    for (int i = 0; i < 10; ++i) {
        s.Locate();
        ASSERT_TRUE(GetParam().run(s, i)) << "failed at try " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Everyday, FirstGesture, testing::ValuesIn(kGestures),
                         [](const testing::TestParamInfo<Gesture>& g) { return std::string(g.param.name); });
