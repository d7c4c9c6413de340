// The pointer decisions, table by table, and the drag, slider and fold arithmetic.
#include <gtest/gtest.h>

#include "panel/core/held_press.h"
#include "panel/core/hot_state.h"
#include "panel/core/motion_rules.h"

namespace {

PointerRects StandardRects(bool layered)
{
    ControlLayout c = LayoutControls(370, 150);
    PointerRects r = {{c.minimize, c.close, c.more, c.pin, c.refresh, c.setTopmost, c.clearTopmost,
                       c.visibleRadio, c.allRadio, c.about, {}, {}, {}}};
    if (layered) {
        r.area[AreaPanelTrack] = c.panelOpacityTrack;
        r.area[AreaPanelThumb] = PanelOpacityThumbAt(255.0f);    // (71,5)-(75,17)
        r.area[AreaTargetThumb] = TargetOpacityThumbAt(255.0f);  // (349,231)-(355,256)
    }
    return r;
}

const PointerRects kRects = StandardRects(true);
const PointerFlags kUnpinned = {0, 1, 0, DragNone}, kPinned = {1, 1, 0, DragNone};
const PanelPoint kEmpty = {250, 100};  // body, no control

PanelPoint Centre(int control)
{
    const PanelRect& r = ControlRect(kRects, control);
    return PanelPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A look as {control, style, HotState at the call}, control 0 for none; the radios draw radio looks.
struct L { int control, style, hot; };
const L kNone = {0, 0, 0};

void Expect(const PointerOutcome& o, int hot, int pressed, PointerAction action, L first, L second = kNone)
{
    EXPECT_EQ(o.hotState, hot);
    EXPECT_EQ(o.pressedControl, pressed);
    EXPECT_EQ(o.action, action);
    const L want[2] = {first, second};
    const int count = (first.control != 0) + (second.control != 0);
    ASSERT_EQ(o.lookCount, count);
    for (int i = 0; i < count; ++i) {
        const PointerLook& g = o.looks[i];
        const LookKind kind = want[i].control == 8 || want[i].control == 9 ? LookRadio : LookBevel;
        EXPECT_TRUE(g.control == want[i].control && g.kind == kind && g.style == want[i].style &&
                    g.hotState == want[i].hot)
            << "look " << i << " is " << g.control << "/" << g.kind << "/" << g.style << "/" << g.hotState;
    }
}

}  // namespace

TEST(PointerRules, PointInsideIsStrictClampInclusiveHalvesSignedOrNot)
{
    const PanelRect m = kRects.area[AreaMinimize];  // (331,4)-(345,17)
    const struct { int x, y; bool inside; } points[] = {
        {331, 10, false}, {345, 10, false}, {340, 4, false}, {340, 17, false},
        {332, 5, true},   {344, 16, true},  {330, 10, false}};
    for (const auto& p : points)
        EXPECT_EQ(PointInside(m, p.x, p.y), p.inside) << p.x << "," << p.y;

    const int clamps[][4] = {{-5, -5, 331, 4}, {331, 4, 331, 4}, {345, 17, 345, 17}, {999, 999, 345, 17},
                             {340, 10, 340, 10}};
    for (const auto& c : clamps) {
        int x = c[0], y = c[1];
        ClampToRect(m, &x, &y);
        EXPECT_TRUE(x == c[2] && y == c[3]) << c[0] << "," << c[1] << " to " << x << "," << y;
    }
    int y = 100;
    ClampToRect(m, nullptr, &y);
    EXPECT_EQ(y, 17);

    // 0xFFFF is -1 read signed, 65535 unsigned.
    EXPECT_EQ(PointerX(0x8000FFFFu, true), -1);
    EXPECT_EQ(PointerX(0x8000FFFFu, false), 65535);
    EXPECT_EQ(PointerY(0x8000FFFFu, true), -32768);
    EXPECT_EQ(PointerY(0x8000FFFFu, false), 32768);
}

TEST(PointerRules, HoverTable)
{
    const struct { int control, pinned, hot; L look; } rows[] = {
        {1, 0, 1, {1, 7, 1}}, {2, 0, 2, {2, 7, 2}}, {3, 0, 3, {3, 1, 3}}, {4, 0, 4, {4, 1, 4}},
        {4, 1, 0, kNone},  // a pinned pin counts as no control
        {5, 0, 0, kNone},  // no hover look at all
        {6, 0, 6, {6, 1, 6}}, {7, 0, 7, {7, 1, 7}}, {8, 0, 8, {8, 0, 8}}, {9, 0, 9, {9, 0, 9}},
        {21, 0, 21, {21, 7, 21}},
    };
    for (const auto& row : rows) {
        const PanelPoint p = Centre(row.control);
        for (int from : {0, row.hot}) {  // from nothing hot, and again on a second move inside
            SCOPED_TRACE(testing::Message() << "control " << row.control << " from " << from);
            const PointerFlags& f = row.pinned ? kPinned : kUnpinned;
            Expect(DecidePointer(from, 0, f, kRects, PointerMoveUp, p.x, p.y), row.hot, 0, PointerNoAction, row.look);
        }
    }
    // Straight from one control onto another: the first keeps its hover look.
    const PanelPoint p = Centre(ControlClearTopmost);
    Expect(DecidePointer(6, 0, kUnpinned, kRects, PointerMoveUp, p.x, p.y), 7, 0, PointerNoAction, {7, 1, 7});
}

TEST(PointerRules, RestingTable)
{
    const struct { int hot, pinned; L look; } rows[] = {
        {1, 0, {1, 6, 1}}, {2, 0, {2, 6, 2}}, {3, 0, {3, 0, 3}}, {4, 0, {4, 0, 4}}, {4, 1, kNone},
        {5, 0, {5, 1, 5}}, {6, 0, {6, 0, 6}}, {7, 0, {7, 0, 7}}, {8, 0, {8, 1, 8}}, {9, 0, {9, 1, 9}},
        {21, 0, {21, 6, 21}}, {0, 0, kNone}, {11, 0, kNone}, {12, 0, kNone}, {13, 0, kNone}, {15, 0, kNone},
        {16, 0, kNone}, {17, 0, kNone}, {18, 0, kNone}, {19, 0, kNone}, {31, 0, kNone},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "from " << row.hot);
        const PointerFlags& f = row.pinned ? kPinned : kUnpinned;
        // A move never touches the pressed control.
        Expect(DecidePointer(row.hot, 6, f, kRects, PointerMoveUp, kEmpty.x, kEmpty.y), 0, 6, PointerNoAction,
               row.look);
    }
}

TEST(PointerRules, PressedTransitionTable)
{
    const struct { int hot; bool inside; int newHot; L look; } rows[] = {
        {1, false, 11, {1, 5, 11}}, {2, false, 12, {2, 5, 12}}, {3, false, 13, {3, 0, 13}},
        {5, false, 15, {5, 1, 15}}, {6, false, 16, {6, 0, 16}}, {7, false, 17, {7, 0, 17}},
        {8, false, 18, {8, 1, 18}}, {9, false, 19, {9, 1, 19}}, {21, false, 31, {21, 5, 31}},
        {11, true, 1, {1, 5, 1}},   {12, true, 2, {2, 5, 2}},   {13, true, 3, {3, 3, 3}},
        {15, true, 5, {5, 3, 5}},   {16, true, 6, {6, 3, 6}},   {17, true, 7, {7, 3, 7}},
        {18, true, 8, {8, 2, 8}},   {19, true, 9, {9, 2, 9}},   {31, true, 21, {21, 5, 21}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "from " << row.hot);
        const int control = row.look.control;
        const PanelRect& r = ControlRect(kRects, control);
        const PanelPoint edge = {r.left, (r.top + r.bottom) / 2};
        // Inside: the centre. Outside: far away, or exactly on the left edge.
        const PanelPoint points[2] = {row.inside ? Centre(control) : kEmpty, row.inside ? Centre(control) : edge};
        for (const PanelPoint& p : points) {
            Expect(DecidePointer(row.hot, control, kUnpinned, kRects, PointerMoveDown, p.x, p.y), row.newHot,
                   control, PointerNoAction, row.look);
            // Staying on the same side changes nothing and draws nothing.
            Expect(DecidePointer(row.newHot, control, kUnpinned, kRects, PointerMoveDown, p.x, p.y), row.newHot,
                   control, PointerNoAction, kNone);
        }
        if (row.inside)  // an edge point is outside: no way back
            Expect(DecidePointer(row.hot, control, kUnpinned, kRects, PointerMoveDown, edge.x, edge.y), row.hot,
                   control, PointerNoAction, kNone);
    }
    // 0 and 4 have no transitions; another control under the pointer is not tested.
    const PanelPoint more = Centre(ControlMore);
    for (int hot : {0, 4})
        Expect(DecidePointer(hot, 0, kUnpinned, kRects, PointerMoveDown, more.x, more.y), hot, 0, PointerNoAction,
               kNone);
    // A drag in progress takes the move, whatever HotState says.
    const struct { DragKind drag; PointerAction step; } drags[] = {{DragPanel, PointerPanelDragStep},
                 {DragPanelSlider, PointerPanelSliderStep},
                 {DragTargetSlider, PointerTargetSliderStep}};
    for (const auto& d : drags) {
        PointerFlags f = kUnpinned;
        f.dragging = d.drag;
        Expect(DecidePointer(6, 6, f, kRects, PointerMoveDown, kEmpty.x, kEmpty.y), 6, 6, d.step, kNone);
    }
}

TEST(PointerRules, PressTable)
{
    const PointerFlags plain = {1, 0, 0, DragNone};  // no translucency: no tracks, no thumbs
    const PointerRects plainRects = StandardRects(false);
    const struct { int x, y; bool layered; int hot, pressed; L look; PointerAction action; } rows[] = {
        {338, 10, true, 1, 1, {1, 5, 1}, PointerNoAction},    {358, 10, true, 2, 2, {2, 5, 2}, PointerNoAction},
        {250, 128, true, 3, 3, {3, 3, 3}, PointerNoAction},   {354, 59, true, 5, 5, {5, 3, 5}, PointerNoAction},
        {60, 128, true, 6, 6, {6, 3, 6}, PointerNoAction},    {150, 128, true, 7, 7, {7, 3, 7}, PointerNoAction},
        {318, 10, true, 21, 21, {21, 5, 21}, PointerNoAction}, {350, 130, true, 4, 0, kNone, PointerTogglePin},
        {73, 10, true, 9, 0, kNone, PointerStartPanelSlider}, {352, 240, true, 9, 0, kNone, PointerStartTargetSlider},
        {352, 240, false, 9, 0, kNone, PointerNoAction},  // no target slider without translucency
        {50, 80, true, 8, 8, {8, 2, 8}, PointerNoAction},     {150, 80, true, 9, 9, {9, 2, 9}, PointerNoAction},
        // The title-strip drag zone and its edges; 19 is the track's edge, 40 on the track off the thumb.
        {100, 10, true, 9, 0, kNone, PointerStartPanelDrag},  {19, 10, true, 9, 0, kNone, PointerStartPanelDrag},
        {310, 21, true, 9, 0, kNone, PointerStartPanelDrag},  {40, 10, true, 9, 0, kNone, PointerNoAction},
        {40, 10, false, 9, 0, kNone, PointerStartPanelDrag},  {73, 10, false, 9, 0, kNone, PointerStartPanelDrag},
        {311, 10, true, 9, 0, kNone, PointerNoAction},        {100, 22, true, 9, 0, kNone, PointerNoAction},
        {331, 10, true, 9, 0, kNone, PointerNoAction},  // MinimizeButton's edge
        {250, 100, true, 9, 0, kNone, PointerNoAction},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "press at " << row.x << "," << row.y);
        // Before the press, HotState 9 and PressedControl 6 from an earlier click.
        Expect(DecidePointer(9, 6, row.layered ? kPinned : plain, row.layered ? kRects : plainRects, PointerPress,
                             row.x, row.y),
               row.hot, row.pressed, row.action, row.look);
    }
}

TEST(PointerRules, ReleaseTable)
{
    const struct { int hot, pressed; PanelPoint at; int aboutOpen, newHot; L first, second; PointerAction action; }
        rows[] = {
        {1, 1, Centre(1), 0, 1, kNone, kNone, PointerHideToTray},
        {2, 2, Centre(2), 0, 2, kNone, kNone, PointerCloseProgram},
        {21, 21, Centre(21), 0, 31, {21, 5, 31}, kNone, PointerOpenAbout},
        {21, 21, Centre(21), 1, 21, kNone, kNone, PointerNoAction},
        {3, 3, Centre(3), 0, 3, {3, 1, 3}, kNone, PointerStartFold},
        {5, 5, Centre(5), 0, 5, {5, 1, 5}, kNone, PointerRefreshList},
        {6, 6, Centre(6), 0, 6, {6, 1, 6}, kNone, PointerSetTopmost},
        {7, 7, Centre(7), 0, 7, {7, 1, 7}, kNone, PointerClearTopmost},
        {8, 8, Centre(8), 0, 8, {8, 3, 8}, {9, 1, 8}, PointerChooseVisible},
        {9, 9, Centre(9), 0, 9, {9, 3, 9}, {8, 1, 9}, PointerChooseAll},
        // Slid off and released outside; slid off and released inside without a move.
        {16, 6, kEmpty, 0, 16, kNone, kNone, PointerNoAction}, {16, 6, Centre(6), 0, 16, kNone, kNone, PointerNoAction},
        // Nothing pressed (empty area, title strip, thumb), released over a control.
        {6, 0, Centre(6), 0, 6, kNone, kNone, PointerNoAction}, {0, 0, Centre(2), 0, 0, kNone, kNone, PointerNoAction},
        // Pressed, released elsewhere with no move between: it rests as if slid off.
        {6, 6, Centre(7), 0, 16, {6, 0, 16}, kNone, PointerNoAction},
        {6, 6, {15, 128}, 0, 16, {6, 0, 16}, kNone, PointerNoAction},  // on the edge
        {1, 1, kEmpty, 0, 11, {1, 5, 11}, kNone, PointerNoAction},
        {4, 0, Centre(4), 0, 4, kNone, kNone, PointerNoAction},  // the pin acts on the press only
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "release " << row.hot << "/" << row.pressed);
        PointerFlags f = kUnpinned;
        f.aboutOpen = row.aboutOpen;
        Expect(DecidePointer(row.hot, row.pressed, f, kRects, PointerRelease, row.at.x, row.at.y), row.newHot,
               row.pressed, row.action, row.first, row.second);
    }
}

TEST(MotionRules, SliderRanges)
{
    const PanelRect panel = {19, 5, 75, 17}, target = {161, 231, 355, 256};
    const struct { const PanelRect* track; int width, left, dx, wantLeft, wantAlpha; } rows[] = {
        {&panel, 4, 71, -1000, 19, 18}, {&panel, 4, 19, 1000, 71, 255},    {&panel, 4, 71, 1, 71, 255},
        {&panel, 4, 19, -1, 19, 18},    {&panel, 4, 60, -17, 43, 127},     {&panel, 4, 70, 1, 71, 255},
        {&target, 6, 349, -1000, 161, 7}, {&target, 6, 161, 1000, 349, 255}, {&target, 6, 349, 5, 349, 255},
        {&target, 6, 200, 25, 225, 92},
    };
    for (const auto& r : rows) {
        int left = SliderThumbLeft(*r.track, r.width, r.left, r.dx);
        EXPECT_EQ(left, r.wantLeft) << r.left << "+" << r.dx;
        EXPECT_EQ(SliderAlpha(*r.track, left + r.width), r.wantAlpha) << left;
    }
}

TEST(MotionRules, FoldHeightsArrowBothWays)
{
    const float heights[2][6] = {{175, 200, 225, 250, 275, 300}, {275, 250, 225, 200, 175, 150}};
    float h = 150;
    for (int expanded = 0; expanded < 2; ++expanded)
        for (int i = 0; i < 6; ++i) {
            FoldTick t = NextFoldHeight(h, expanded);
            EXPECT_TRUE(t.height == heights[expanded][i] && t.finished == (i == 5)) << expanded << " tick " << i;
            h = t.height;
        }
    const PanelRect more = {212, 118, 317, 138};
    const PanelRect box = FoldArrowBox(more);
    EXPECT_TRUE(box.left == 300 && box.top == 123 && box.right == 312 && box.bottom == 131);
    const PanelPoint arrows[2][3] = {{{302, 125}, {311, 125}, {306, 130}}, {{301, 130}, {311, 130}, {306, 124}}};
    for (int expanded = 0; expanded < 2; ++expanded) {
        PanelPoint tri[3];
        FoldArrowTriangle(more, expanded, tri);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(tri[i].x == arrows[expanded][i].x && tri[i].y == arrows[expanded][i].y) << expanded << "/" << i;
    }
}

// Each edge through the panel's procedure: wine Pointer.PanelDragHeldAtAnEdgeComesBackWithThePointerAtOnce.
TEST(MotionRules, DragClampAtEveryEdge)
{
    const int rows[][7] = {  // left, top, dx, dy, height, wanted left and top
        {327, 309, 0, 400, 300, 327, 468}, {0, 0, -1, -1, 150, 0, 0}, {654, 618, 1, 1, 150, 654, 618},
    };
    PanelOrigin o;
    for (const auto& r : rows) {
        o = DragPanelTo(PanelOrigin{r[0], r[1]}, r[2], r[3], 370, r[4], 1024.0f, 768.0f);
        EXPECT_TRUE(o.left == r[5] && o.top == r[6]) << r[2] << "," << r[3] << " to " << o.left << "," << o.top;
    }
    // The bounds come from a float subtraction truncated toward zero.
    o = DragPanelTo(PanelOrigin{0, 0}, 900, 900, 370, 150, 1000.9f, 700.5f);
    EXPECT_TRUE(o.left == 630 && o.top == 550) << o.left << "," << o.top;
}

// A move of the panel the program did not make goes back once, unless another
// program or the program's own action on its list made it.
TEST(PanelDragRules, StrayMovesPutBackOncePerPlacement)
{
    const PanelOrigin placed = {300, 200}, away = {0, 0};
    const struct { PanelOrigin now; bool elsewhere, acting, spent, shows, back; } rows[] = {
        {away, 0, 0, 0, 1, 1},         // a half-made place from the window manager
        {{300, 201}, 0, 0, 0, 1, 1},   // one pixel off is off
        {placed, 0, 0, 0, 1, 0},       // the program's own drag step lands where it put it
        {away, 1, 0, 0, 1, 0},         // another program moved it
        {away, 0, 1, 0, 1, 0},         // the program's position edits aimed at the panel
        {away, 0, 0, 1, 1, 0},         // put back already: a window manager that insists wins
        {away, 0, 0, 0, 0, 0},         // its monitor went away: the system's new place stays
    };
    for (const auto& r : rows)
        EXPECT_EQ(PutPanelBack(StrayMove{r.now, placed, r.elsewhere, r.acting, r.spent, r.shows}), r.back)
            << r.now.left << "," << r.now.top << " " << r.elsewhere << r.acting << r.spent << r.shows;
}

// A held press disturbed: who took the capture, a modal box, the button already
// up with or without its release queued, a window the user chose, the merge and
// the bound of resumes, and the catch-up after the queued moves.
TEST(HeldPressRules, DisturbancesOfAHeldPress)
{
    const HeldForeground P = ForegroundOurs, N = ForegroundNone, O = ForegroundOther;
    const HeldState fresh = {0, 0, 0}, pending = {1, 0, 0}, spent = {0, MaxResumesPerPress, 0}, waiting = {0, 1, 1};
    // Facts: held, taken by other, disabled, button down, release queued, moves queued, foreground.
    const struct { HeldState in; HeldEvent event; HeldFacts facts; HeldStep step; HeldState out; bool fore, catchUp; } rows[] = {
        {pending, HeldPress, {0, 0, 0, 1, 0, 0, P}, HeldNothing, fresh, 0, 0},              // a new press starts afresh
        {pending, HeldPress, {1, 0, 0, 1, 0, 0, P}, HeldLetGo, fresh, 0, 0},                // ... ending one left held
        {fresh, HeldDeactivated, {1, 0, 0, 1, 0, 0, P}, HeldPostResume, pending, 0, 0},     // our list or box in front
        {fresh, HeldCaptureLost, {0, 0, 0, 1, 0, 0, N}, HeldNothing, fresh, 0, 0},          // nothing held
        {fresh, HeldCaptureLost, {1, 1, 0, 1, 0, 0, P}, HeldLetGo, fresh, 0, 0},            // another window took it
        {fresh, HeldDeactivated, {1, 0, 1, 1, 0, 0, O}, HeldLetGo, fresh, 0, 0},            // our modal box is up
        {fresh, HeldCaptureLost, {1, 0, 0, 1, 0, 0, N}, HeldPostResume, pending, 0, 0},     // dropped by the platform
        {fresh, HeldCaptureLost, {1, 0, 0, 0, 0, 0, N}, HeldLetGo, fresh, 0, 0},            // up, no release coming
        {fresh, HeldDeactivated, {1, 0, 0, 0, 1, 0, O}, HeldPostResume, pending, 0, 0},     // up, its release queued
        {pending, HeldDeactivated, {1, 0, 0, 1, 0, 0, N}, HeldNothing, pending, 0, 0},      // one resume per loss
        {pending, HeldResume, {1, 0, 0, 0, 1, 0, N}, HeldNothing, fresh, 0, 0},            // the queued release acts
        {pending, HeldResume, {1, 0, 0, 0, 0, 0, N}, HeldLetGo, fresh, 0, 0},              // up, its release went elsewhere
        {pending, HeldResume, {1, 0, 0, 1, 0, 0, O}, HeldLetGo, fresh, 0, 0},              // the user chose a window
        {pending, HeldResume, {1, 1, 0, 1, 0, 0, P}, HeldLetGo, fresh, 0, 0},              // taken meanwhile
        {pending, HeldResume, {1, 0, 0, 1, 0, 0, N}, HeldRetake, {0, 1, 0}, 1, 1},         // nobody in front: take it
        {pending, HeldResume, {1, 0, 0, 1, 0, 0, P}, HeldRetake, {0, 1, 0}, 0, 1},         // already in front
        {{1, MaxResumesPerPress - 1, 0}, HeldResume, {1, 0, 0, 1, 0, 1, P}, HeldRetake, {0, MaxResumesPerPress, 1}, 0, 0},
        {spent, HeldResume, {1, 0, 0, 1, 0, 0, P}, HeldLetGo, fresh, 0, 0},                // bounded per press
        {spent, HeldCaptureLost, {1, 0, 0, 1, 0, 0, P}, HeldPostResume, {1, MaxResumesPerPress, 0}, 0, 0},
        {waiting, HeldMoveDone, {1, 0, 0, 1, 0, 1, P}, HeldNothing, waiting, 0, 0},         // older moves still queued
        {waiting, HeldMoveDone, {1, 0, 0, 1, 0, 0, P}, HeldNothing, {0, 1, 0}, 0, 1},       // then the catch-up
        {{0, 1, 0}, HeldMoveDone, {1, 0, 0, 1, 0, 0, P}, HeldNothing, {0, 1, 0}, 0, 0},     // none waiting
        {waiting, HeldResume, {0, 0, 0, 1, 0, 0, P}, HeldNothing, fresh, 0, 0},             // released meanwhile
        {{0, 1, 0}, HeldRetaken, {1, 0, 0, 1, 0, 0, P}, HeldNothing, {0, 1, 0}, 0, 0},      // retaken, still down
        {{0, 1, 0}, HeldRetaken, {1, 0, 0, 0, 1, 0, P}, HeldNothing, {0, 1, 0}, 0, 0},      // up, ours is queued
        {{0, 1, 0}, HeldRetaken, {1, 0, 0, 0, 0, 0, P}, HeldLetGo, fresh, 0, 0},            // up in the gap
        {{0, 1, 0}, HeldRetaken, {1, 0, 0, 1, 0, 0, N}, HeldLetGo, fresh, 0, 0},            // the front refused
        {{0, 1, 0}, HeldRetaken, {1, 1, 0, 1, 0, 0, P}, HeldLetGo, fresh, 0, 0},            // taken at once
    };
    int n = 0;
    for (const auto& r : rows) {
        const HeldOutcome o = DecideHeld(r.in, r.event, r.facts);
        EXPECT_TRUE(o.step == r.step && o.state.resumePending == r.out.resumePending &&
                    o.state.resumes == r.out.resumes && o.state.catchUpPending == r.out.catchUpPending &&
                    o.takeForeground == r.fore && o.catchUp == r.catchUp)
            << "row " << n << ": step " << o.step << " state " << o.state.resumePending << o.state.resumes
            << o.state.catchUpPending << " fore " << o.takeForeground << " catch-up " << o.catchUp;
        ++n;
    }
}
