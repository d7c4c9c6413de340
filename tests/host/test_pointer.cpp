// The pointer decisions, table by table, and the drag, slider and fold arithmetic.
#include <gtest/gtest.h>

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
const PointerFlags kUnpinned = {0, 1, 0, DragNone};
const PointerFlags kPinned = {1, 1, 0, DragNone};

PanelPoint Centre(int control)
{
    const PanelRect& r = ControlRect(kRects, control);
    return PanelPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

const PanelPoint kEmpty = {250, 100};  // body, no control

// A look as {control, kind, style, hotState at the call}; control 0 for none.
struct L {
    int control;
    LookKind kind;
    int style;
    int hot;
};
const L kNone = {0, LookBevel, 0, 0};

void ExpectLooks(const PointerOutcome& o, L first, L second, const char* row)
{
    const L want[2] = {first, second};
    int count = (first.control != 0) + (second.control != 0);
    ASSERT_EQ(o.lookCount, count) << row;
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(o.looks[i].control, want[i].control) << row << " look " << i;
        EXPECT_EQ(o.looks[i].kind, want[i].kind) << row << " look " << i;
        EXPECT_EQ(o.looks[i].style, want[i].style) << row << " look " << i;
        EXPECT_EQ(o.looks[i].hotState, want[i].hot) << row << " look " << i;
    }
}

}  // namespace

TEST(PointerRules, PointInsideIsStrictAndClampInclusive)
{
    const PanelRect m = kRects.area[AreaMinimize];  // (331,4)-(345,17)
    const struct {
        int x, y;
        bool inside;
    } points[] = {{331, 10, false}, {345, 10, false}, {340, 4, false}, {340, 17, false},
                  {332, 5, true},   {344, 16, true},  {330, 10, false}};
    for (const auto& p : points)
        EXPECT_EQ(PointInside(m, p.x, p.y), p.inside) << p.x << "," << p.y;

    const struct {
        int x, y, wantX, wantY;
    } clamps[] = {{-5, -5, 331, 4}, {331, 4, 331, 4}, {345, 17, 345, 17}, {999, 999, 345, 17}, {340, 10, 340, 10}};
    for (const auto& c : clamps) {
        int x = c.x, y = c.y;
        ClampToRect(m, &x, &y);
        EXPECT_EQ(x, c.wantX);
        EXPECT_EQ(y, c.wantY);
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
    const struct {
        int control;
        PointerFlags flags;
        int hot;
        L look;
    } rows[] = {
        {ControlMinimize, kUnpinned, 1, {1, LookBevel, 7, 1}},
        {ControlClose, kUnpinned, 2, {2, LookBevel, 7, 2}},
        {ControlMore, kUnpinned, 3, {3, LookBevel, 1, 3}},
        {ControlPin, kUnpinned, 4, {4, LookBevel, 1, 4}},
        {ControlPin, kPinned, 0, kNone},  // a pinned pin counts as no control
        {ControlRefresh, kUnpinned, 0, kNone},  // no hover look at all
        {ControlSetTopmost, kUnpinned, 6, {6, LookBevel, 1, 6}},
        {ControlClearTopmost, kUnpinned, 7, {7, LookBevel, 1, 7}},
        {ControlVisibleRadio, kUnpinned, 8, {8, LookRadio, 0, 8}},
        {ControlAllRadio, kUnpinned, 9, {9, LookRadio, 0, 9}},
        {ControlAbout, kUnpinned, 21, {21, LookBevel, 7, 21}},
    };
    for (const auto& row : rows) {
        PanelPoint p = Centre(row.control);
        // From nothing hot, and again on a second move inside.
        for (int from : {0, row.hot}) {
            PointerOutcome o = DecidePointer(from, 0, row.flags, kRects, PointerMoveUp, p.x, p.y);
            EXPECT_EQ(o.hotState, row.hot) << "control " << row.control;
            EXPECT_EQ(o.action, PointerNoAction);
            ExpectLooks(o, row.look, kNone, "hover");
        }
    }
    // Straight from one control onto another: the first keeps its hover look.
    PanelPoint p = Centre(ControlClearTopmost);
    PointerOutcome o = DecidePointer(6, 0, kUnpinned, kRects, PointerMoveUp, p.x, p.y);
    ExpectLooks(o, {7, LookBevel, 1, 7}, kNone, "onto another");
}

TEST(PointerRules, RestingTable)
{
    const struct {
        int hot;
        PointerFlags flags;
        L look;
    } rows[] = {
        {1, kUnpinned, {1, LookBevel, 6, 1}},  {2, kUnpinned, {2, LookBevel, 6, 2}},
        {3, kUnpinned, {3, LookBevel, 0, 3}},  {4, kUnpinned, {4, LookBevel, 0, 4}},
        {4, kPinned, kNone},                   {5, kUnpinned, {5, LookBevel, 1, 5}},
        {6, kUnpinned, {6, LookBevel, 0, 6}},  {7, kUnpinned, {7, LookBevel, 0, 7}},
        {8, kUnpinned, {8, LookRadio, 1, 8}},  {9, kUnpinned, {9, LookRadio, 1, 9}},
        {21, kUnpinned, {21, LookBevel, 6, 21}}, {0, kUnpinned, kNone},
        {11, kUnpinned, kNone}, {12, kUnpinned, kNone}, {13, kUnpinned, kNone}, {15, kUnpinned, kNone},
        {16, kUnpinned, kNone}, {17, kUnpinned, kNone}, {18, kUnpinned, kNone}, {19, kUnpinned, kNone},
        {31, kUnpinned, kNone},
    };
    for (const auto& row : rows) {
        PointerOutcome o = DecidePointer(row.hot, 6, row.flags, kRects, PointerMoveUp, kEmpty.x, kEmpty.y);
        EXPECT_EQ(o.hotState, 0) << "from " << row.hot;
        EXPECT_EQ(o.pressedControl, 6) << "a move never touches the pressed control";
        ExpectLooks(o, row.look, kNone, "resting");
    }
}

TEST(PointerRules, PressedTransitionTable)
{
    const struct {
        int hot;
        bool inside;
        int newHot;
        L look;
    } rows[] = {
        {1, false, 11, {1, LookBevel, 5, 11}},   {2, false, 12, {2, LookBevel, 5, 12}},
        {3, false, 13, {3, LookBevel, 0, 13}},   {5, false, 15, {5, LookBevel, 1, 15}},
        {6, false, 16, {6, LookBevel, 0, 16}},   {7, false, 17, {7, LookBevel, 0, 17}},
        {8, false, 18, {8, LookRadio, 1, 18}},   {9, false, 19, {9, LookRadio, 1, 19}},
        {21, false, 31, {21, LookBevel, 5, 31}}, {11, true, 1, {1, LookBevel, 5, 1}},
        {12, true, 2, {2, LookBevel, 5, 2}},     {13, true, 3, {3, LookBevel, 3, 3}},
        {15, true, 5, {5, LookBevel, 3, 5}},     {16, true, 6, {6, LookBevel, 3, 6}},
        {17, true, 7, {7, LookBevel, 3, 7}},     {18, true, 8, {8, LookRadio, 2, 8}},
        {19, true, 9, {9, LookRadio, 2, 9}},     {31, true, 21, {21, LookBevel, 5, 21}},
    };
    for (const auto& row : rows) {
        const int control = row.look.control;
        const PanelRect& r = ControlRect(kRects, control);
        const PanelPoint edge = {r.left, (r.top + r.bottom) / 2};
        // Inside: the centre. Outside: far away, or exactly on the left edge.
        const PanelPoint points[2] = {row.inside ? Centre(control) : kEmpty, row.inside ? Centre(control) : edge};
        for (const PanelPoint& p : points) {
            PointerOutcome o = DecidePointer(row.hot, control, kUnpinned, kRects, PointerMoveDown, p.x, p.y);
            EXPECT_EQ(o.hotState, row.newHot) << "from " << row.hot;
            EXPECT_EQ(o.pressedControl, control);
            ExpectLooks(o, row.look, kNone, "transition");
            // Staying on the same side changes nothing and draws nothing.
            PointerOutcome again = DecidePointer(o.hotState, control, kUnpinned, kRects, PointerMoveDown, p.x, p.y);
            EXPECT_EQ(again.hotState, row.newHot);
            ExpectLooks(again, kNone, kNone, "same side");
        }
        if (row.inside) {
            // An edge point is outside: no way back.
            PointerOutcome o = DecidePointer(row.hot, control, kUnpinned, kRects, PointerMoveDown, edge.x, edge.y);
            EXPECT_EQ(o.hotState, row.hot);
            ExpectLooks(o, kNone, kNone, "edge stays outside");
        }
    }
    // 0 and 4 have no transitions; another control under the pointer is not tested.
    for (int hot : {0, 4}) {
        PanelPoint p = Centre(ControlMore);
        PointerOutcome o = DecidePointer(hot, 0, kUnpinned, kRects, PointerMoveDown, p.x, p.y);
        EXPECT_EQ(o.hotState, hot);
        ExpectLooks(o, kNone, kNone, "no transition");
    }
    // A drag in progress takes the move, whatever HotState says.
    const struct {
        DragKind drag;
        PointerAction step;
    } drags[] = {{DragPanel, PointerPanelDragStep},
                 {DragPanelSlider, PointerPanelSliderStep},
                 {DragTargetSlider, PointerTargetSliderStep}};
    for (const auto& d : drags) {
        PointerFlags f = kUnpinned;
        f.dragging = d.drag;
        PointerOutcome o = DecidePointer(6, 6, f, kRects, PointerMoveDown, kEmpty.x, kEmpty.y);
        EXPECT_EQ(o.action, d.step);
        EXPECT_EQ(o.hotState, 6);
        ExpectLooks(o, kNone, kNone, "drag step");
    }
}

TEST(PointerRules, PressTable)
{
    const PointerFlags plain = {1, 0, 0, DragNone};  // no translucency: no tracks, no thumbs
    const PointerRects plainRects = StandardRects(false);
    const struct {
        int x, y;
        bool layered;
        int hot, pressed;
        L look;
        PointerAction action;
    } rows[] = {
        {338, 10, true, 1, 1, {1, LookBevel, 5, 1}, PointerNoAction},
        {358, 10, true, 2, 2, {2, LookBevel, 5, 2}, PointerNoAction},
        {250, 128, true, 3, 3, {3, LookBevel, 3, 3}, PointerNoAction},
        {354, 59, true, 5, 5, {5, LookBevel, 3, 5}, PointerNoAction},
        {60, 128, true, 6, 6, {6, LookBevel, 3, 6}, PointerNoAction},
        {150, 128, true, 7, 7, {7, LookBevel, 3, 7}, PointerNoAction},
        {318, 10, true, 21, 21, {21, LookBevel, 5, 21}, PointerNoAction},
        {350, 130, true, 4, 0, kNone, PointerTogglePin},
        {73, 10, true, 9, 0, kNone, PointerStartPanelSlider},
        {352, 240, true, 9, 0, kNone, PointerStartTargetSlider},
        {352, 240, false, 9, 0, kNone, PointerNoAction},  // no target slider without translucency
        {50, 80, true, 8, 8, {8, LookRadio, 2, 8}, PointerNoAction},
        {150, 80, true, 9, 9, {9, LookRadio, 2, 9}, PointerNoAction},
        // The title-strip drag zone and its edges.
        {100, 10, true, 9, 0, kNone, PointerStartPanelDrag},
        {19, 10, true, 9, 0, kNone, PointerStartPanelDrag},  // the track's edge
        {310, 21, true, 9, 0, kNone, PointerStartPanelDrag},
        {40, 10, true, 9, 0, kNone, PointerNoAction},  // on the track, off the thumb
        {40, 10, false, 9, 0, kNone, PointerStartPanelDrag},
        {73, 10, false, 9, 0, kNone, PointerStartPanelDrag},
        {311, 10, true, 9, 0, kNone, PointerNoAction},
        {100, 22, true, 9, 0, kNone, PointerNoAction},
        {331, 10, true, 9, 0, kNone, PointerNoAction},  // MinimizeButton's edge
        {250, 100, true, 9, 0, kNone, PointerNoAction},
    };
    for (const auto& row : rows) {
        const PointerFlags& f = row.layered ? kPinned : plain;
        const PointerRects& r = row.layered ? kRects : plainRects;
        // Before the press, HotState 9 and PressedControl 6 from an earlier click.
        PointerOutcome o = DecidePointer(9, 6, f, r, PointerPress, row.x, row.y);
        EXPECT_EQ(o.hotState, row.hot) << row.x << "," << row.y;
        EXPECT_EQ(o.pressedControl, row.pressed) << row.x << "," << row.y;
        EXPECT_EQ(o.action, row.action) << row.x << "," << row.y;
        ExpectLooks(o, row.look, kNone, "press");
    }
}

TEST(PointerRules, ReleaseTable)
{
    PointerFlags aboutOpen = kUnpinned;
    aboutOpen.aboutOpen = 1;
    const struct {
        int hot, pressed;
        PanelPoint at;
        PointerFlags flags;
        int newHot;
        L first, second;
        PointerAction action;
    } rows[] = {
        {1, 1, Centre(1), kUnpinned, 1, kNone, kNone, PointerHideToTray},
        {2, 2, Centre(2), kUnpinned, 2, kNone, kNone, PointerCloseProgram},
        {21, 21, Centre(21), kUnpinned, 31, {21, LookBevel, 5, 31}, kNone, PointerOpenAbout},
        {21, 21, Centre(21), aboutOpen, 21, kNone, kNone, PointerNoAction},
        {3, 3, Centre(3), kUnpinned, 3, {3, LookBevel, 1, 3}, kNone, PointerStartFold},
        {5, 5, Centre(5), kUnpinned, 5, {5, LookBevel, 1, 5}, kNone, PointerRefreshList},
        {6, 6, Centre(6), kUnpinned, 6, {6, LookBevel, 1, 6}, kNone, PointerSetTopmost},
        {7, 7, Centre(7), kUnpinned, 7, {7, LookBevel, 1, 7}, kNone, PointerClearTopmost},
        {8, 8, Centre(8), kUnpinned, 8, {8, LookRadio, 3, 8}, {9, LookRadio, 1, 8}, PointerChooseVisible},
        {9, 9, Centre(9), kUnpinned, 9, {9, LookRadio, 3, 9}, {8, LookRadio, 1, 9}, PointerChooseAll},
        // Slid off and released outside; slid off and released inside without a move.
        {16, 6, kEmpty, kUnpinned, 16, kNone, kNone, PointerNoAction},
        {16, 6, Centre(6), kUnpinned, 16, kNone, kNone, PointerNoAction},
        // Nothing pressed (empty area, title strip, thumb), released over a control.
        {6, 0, Centre(6), kUnpinned, 6, kNone, kNone, PointerNoAction},
        {0, 0, Centre(2), kUnpinned, 0, kNone, kNone, PointerNoAction},
        // Pressed one control, released over another with no move between.
        {6, 6, Centre(7), kUnpinned, 6, kNone, kNone, PointerNoAction},
        {6, 6, {15, 128}, kUnpinned, 6, kNone, kNone, PointerNoAction},  // on the edge
        {4, 4, Centre(4), kUnpinned, 4, kNone, kNone, PointerNoAction},  // the pin acts on the press only
    };
    for (const auto& row : rows) {
        PointerOutcome o = DecidePointer(row.hot, row.pressed, row.flags, kRects, PointerRelease, row.at.x, row.at.y);
        EXPECT_EQ(o.hotState, row.newHot) << row.hot << "/" << row.pressed;
        EXPECT_EQ(o.pressedControl, row.pressed);
        EXPECT_EQ(o.action, row.action) << row.hot << "/" << row.pressed;
        ExpectLooks(o, row.first, row.second, "release");
    }
}

TEST(MotionRules, SliderRanges)
{
    const PanelRect panelTrack = {19, 5, 75, 17}, targetTrack = {161, 231, 355, 256};
    const struct {
        const PanelRect* track;
        int width, left, dx, wantLeft, wantAlpha;
    } rows[] = {
        {&panelTrack, 4, 71, -1000, 19, 18},  {&panelTrack, 4, 19, 1000, 71, 255},
        {&panelTrack, 4, 71, 1, 71, 255},     {&panelTrack, 4, 19, -1, 19, 18},
        {&panelTrack, 4, 60, -17, 43, 127},   {&panelTrack, 4, 70, 1, 71, 255},
        {&targetTrack, 6, 349, -1000, 161, 7}, {&targetTrack, 6, 161, 1000, 349, 255},
        {&targetTrack, 6, 349, 5, 349, 255},  {&targetTrack, 6, 200, 25, 225, 92},
    };
    for (const auto& r : rows) {
        int left = SliderThumbLeft(*r.track, r.width, r.left, r.dx);
        EXPECT_EQ(left, r.wantLeft) << r.left << "+" << r.dx;
        EXPECT_EQ(SliderAlpha(*r.track, left + r.width), r.wantAlpha) << left;
    }
}

TEST(MotionRules, FoldHeightsAndDirection)
{
    const float up[] = {175, 200, 225, 250, 275, 300};
    const float down[] = {275, 250, 225, 200, 175, 150};
    float h = 150;
    for (int i = 0; i < 6; ++i) {
        FoldTick t = NextFoldHeight(h, 0);
        EXPECT_EQ(t.height, up[i]);
        EXPECT_EQ(t.finished, i == 5);
        h = t.height;
    }
    for (int i = 0; i < 6; ++i) {
        FoldTick t = NextFoldHeight(h, 1);
        EXPECT_EQ(t.height, down[i]);
        EXPECT_EQ(t.finished, i == 5);
        h = t.height;
    }
    // A second release mid-fold: PanelExpanded has not flipped, so the fold goes on
    // the same way and still ends after six ticks in all.
    h = 150;
    int ticks = 0;
    FoldTick t = {h, false};
    while (!t.finished && ticks < 20) {
        t = NextFoldHeight(t.height, 0);  // expanded stays 0 across the restart at tick 3
        ++ticks;
    }
    EXPECT_EQ(ticks, 6);
    EXPECT_EQ(t.height, 300);

    const PanelRect more = {212, 118, 317, 138};
    const PanelRect box = FoldArrowBox(more);
    EXPECT_EQ(box.left, 300);
    EXPECT_EQ(box.top, 123);
    EXPECT_EQ(box.right, 312);
    EXPECT_EQ(box.bottom, 131);
    const PanelPoint arrows[2][3] = {{{302, 125}, {311, 125}, {306, 130}}, {{301, 130}, {311, 130}, {306, 124}}};
    for (int expanded = 0; expanded < 2; ++expanded) {
        PanelPoint tri[3];
        FoldArrowTriangle(more, expanded, tri);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(tri[i].x, arrows[expanded][i].x) << expanded;
            EXPECT_EQ(tri[i].y, arrows[expanded][i].y) << expanded;
        }
    }
}

TEST(MotionRules, DragClampAtEveryEdge)
{
    const struct {
        int left, top, dx, dy, height, wantLeft, wantTop;
    } rows[] = {
        {327, 309, -400, 0, 150, 0, 309},    {327, 309, 0, -400, 150, 327, 0},
        {327, 309, 400, 0, 150, 654, 309},   {327, 309, 0, 400, 150, 327, 618},
        {327, 309, 0, 400, 300, 327, 468},   {327, 309, 10, -10, 150, 337, 299},
        {0, 0, -1, -1, 150, 0, 0},           {654, 618, 1, 1, 150, 654, 618},
    };
    for (const auto& r : rows) {
        PanelOrigin o = DragPanelTo(PanelOrigin{r.left, r.top}, r.dx, r.dy, 370, r.height, 1024.0f, 768.0f);
        EXPECT_EQ(o.left, r.wantLeft) << r.dx << "," << r.dy;
        EXPECT_EQ(o.top, r.wantTop) << r.dx << "," << r.dy;
    }
    // The bounds come from a float subtraction truncated toward zero.
    PanelOrigin o = DragPanelTo(PanelOrigin{0, 0}, 900, 900, 370, 150, 1000.9f, 700.5f);
    EXPECT_EQ(o.left, 630);
    EXPECT_EQ(o.top, 550);
}
