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

bool PanelAt(Session& s, int x, int y)
{
    return WaitFor([&] {
        s.Locate();
        return s.origin.x == x && s.origin.y == y;
    }, 5000);
}

// A title drag of `moves` moves of `step` pixels, towards each edge in turn, at a
// hand's pace (8 ms apart, none awaited) or each awaited; the panel ends where the
// pointer says, held at the edge it meets.
bool TitleDrag(Session& s, int i, int step, int moves, bool hand)
{
    static const POINT kWays[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    const RECT d = Desk();
    const POINT way = kWays[i % 4], from = s.origin;
    POINT p = {from.x + 100, from.y + 10}, path[8];
    const POINT start = p;
    for (int m = 0; m < moves; ++m) {
        p.x = std::max<LONG>(0, std::min<LONG>(d.right - 1, p.x + way.x * step));
        p.y = std::max<LONG>(0, std::min<LONG>(d.bottom - 1, p.y + way.y * step));
        path[m] = p;
    }
    PointerTo(start.x, start.y);
    if (hand)
        HandGesture(start.x, start.y, path, moves, 8);
    else
        LeftDown();
    for (int m = 0; !hand && m < moves; ++m)
        PointerTo(path[m].x, path[m].y);
    if (!hand)
        LeftUp();
    const int x = std::max<LONG>(0, std::min<LONG>(d.right - 370, from.x + p.x - start.x));
    const int y = std::max<LONG>(0, std::min<LONG>(d.bottom - 150, from.y + p.y - start.y));
    if (PanelAt(s, x, y) && WaitFor([] { return PointerFree(); }, 2000))
        return true;
    ADD_FAILURE() << step << " px a move from " << from.x << "," << from.y << ": at " << s.origin.x << ","
                  << s.origin.y << ", want " << x << "," << y << (PointerFree() ? "" : "; the pointer is held");
    return false;
}

bool SlowDrag(Session& s, int i) { return TitleDrag(s, i, 10, 6, false); }
bool HandDrag10(Session& s, int i) { return TitleDrag(s, i, 10, 6, true); }
bool HandDrag100(Session& s, int i) { return TitleDrag(s, i, 100, 3, true); }
bool HandDrag150(Session& s, int i) { return TitleDrag(s, i, 150, 3, true); }
bool HandDrag250(Session& s, int i) { return TitleDrag(s, i, 250, 3, true); }

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

// "?" first, or after a click on the panel's body. The box must be seen: the
// X screen shows its face beside the OK button, a click there closes it, and the
// panel's picture comes back.
bool About(Session& s, int i)
{
    if (i % 2)
        s.Click(250, 100);
    s.Click(318, 10);
    HWND box = NULL, ok = NULL;
    RECT r;
    if (!WaitFor([&] {
            box = WaitForProcessWindow(s.app.pi.dwProcessId, "#32770", NULL, 0);
            ok = box ? GetDlgItem(box, IDOK) : NULL;
            return ok != NULL && IsWindowVisible(box) && GetWindowRect(ok, &r);
        })) {
        ADD_FAILURE() << "no About box";
        return false;
    }
    POINT face[2] = {{3, 3}, {0, 0}};
    ClientToScreen(box, &face[0]);
    face[1] = {r.left - 4, (r.top + r.bottom) / 2};
    const COLORREF want = GetSysColor(COLOR_BTNFACE);
    COLORREF seen[2] = {};
    const auto shows = [&] {
        XPixels(face, 2, seen);
        return seen[0] == want && seen[1] == want;
    };
    if (!WaitFor(shows, 5000)) {
        ADD_FAILURE() << "the box is not seen on the screen: " << std::hex << seen[0] << ", " << seen[1] << " where its face "
                      << want << " should be";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return false;
    }
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    if (!WaitFor([&] { return !IsWindow(box); }, 5000)) {
        ADD_FAILURE() << "a click on the OK button did not close the box";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return false;
    }
    return WaitFor([&] { return !shows(); }, 5000);
}

struct Gesture {
    const char* name;
    bool (*run)(Session&, int);
};

const Gesture kGestures[] = {
    {"SlowTitleDrag", SlowDrag}, {"HandTitleDrag10", HandDrag10}, {"HandTitleDrag100", HandDrag100},
    {"HandTitleDrag150", HandDrag150}, {"HandTitleDrag250", HandDrag250}, {"PanelSlider", PanelSlider},
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
