#include "panel/core/hot_state.h"

#include <cstddef>

namespace {

const int kNoLook = -1;

// Each control's looks: hover, resting, pressed, after sliding off while held,
// and after sliding back on.
struct ControlLooks {
    signed char control;
    signed char kind;
    signed char hover, rest, press, left, back;
};
const ControlLooks kLooks[] = {
    {ControlMinimize, LookBevel, 7, 6, 5, 5, 5},
    {ControlClose, LookBevel, 7, 6, 5, 5, 5},
    {ControlMore, LookBevel, 1, 0, 3, 0, 3},
    {ControlPin, LookBevel, 1, 0, kNoLook, kNoLook, kNoLook},
    {ControlRefresh, LookBevel, kNoLook, 1, 3, 1, 3},
    {ControlSetTopmost, LookBevel, 1, 0, 3, 0, 3},
    {ControlClearTopmost, LookBevel, 1, 0, 3, 0, 3},
    {ControlVisibleRadio, LookRadio, 0, 1, 2, 1, 2},
    {ControlAllRadio, LookRadio, 0, 1, 2, 1, 2},
    {ControlAbout, LookBevel, 7, 6, 5, 5, 5},
};

const signed char kHoverOrder[] = {ControlMinimize,     ControlClose,        ControlMore,
                           ControlPin,          ControlSetTopmost,   ControlClearTopmost,
                           ControlVisibleRadio, ControlAllRadio,     ControlAbout};
const signed char kReleaseOrder[] = {ControlMinimize,   ControlClose,        ControlAbout,
                             ControlMore,       ControlRefresh,      ControlSetTopmost,
                             ControlClearTopmost, ControlVisibleRadio, ControlAllRadio};
// Presses on these record the control; the pin and the thumbs are handled between.
const signed char kPressBefore[] = {ControlMinimize,   ControlClose,        ControlMore, ControlRefresh,
                            ControlSetTopmost, ControlClearTopmost, ControlAbout};
const signed char kPressAfter[] = {ControlVisibleRadio, ControlAllRadio};

const ControlLooks* LooksOf(int control)
{
    for (const ControlLooks& l : kLooks) {
        if (l.control == control)
            return &l;
    }
    return NULL;
}

int LeftCode(int control)
{
    return control == ControlAbout ? 31 : control + LeftWhilePressed;
}

// The control a "left while pressed" code came from, or 0.
int ControlLeft(int hotState)
{
    if (hotState == 31)
        return ControlAbout;
    if (hotState > LeftWhilePressed && hotState < 20 && LooksOf(hotState - LeftWhilePressed) != NULL)
        return hotState - LeftWhilePressed;
    return ControlNone;
}

void AddLook(PointerOutcome& out, int control, int style, int hotState)
{
    const ControlLooks* l = LooksOf(control);
    if (l == NULL || style == kNoLook || out.lookCount == 2)
        return;
    PointerLook& look = out.looks[out.lookCount++];
    look.control = control;
    look.kind = static_cast<LookKind>(l->kind);
    look.style = style;
    look.hotState = hotState;
}

bool Hit(const PointerRects& rects, int control, int x, int y)
{
    return PointInside(ControlRect(rects, control), x, y);
}

void Hover(PointerOutcome& out, const PointerFlags& flags, const PointerRects& rects, int x, int y)
{
    for (int control : kHoverOrder) {
        if (control == ControlPin && flags.panelPinned)
            continue;
        if (Hit(rects, control, x, y)) {
            out.hotState = control;
            AddLook(out, control, LooksOf(control)->hover, control);
            return;
        }
    }
    const ControlLooks* l = LooksOf(out.hotState);
    if (l != NULL && !(out.hotState == ControlPin && flags.panelPinned))
        AddLook(out, out.hotState, l->rest, out.hotState);
    out.hotState = ControlNone;
}

void HeldMove(PointerOutcome& out, const PointerRects& rects, int x, int y)
{
    int left = ControlLeft(out.hotState);
    if (left != ControlNone) {
        if (Hit(rects, left, x, y)) {
            out.hotState = left;
            AddLook(out, left, LooksOf(left)->back, left);
        }
        return;
    }
    const ControlLooks* l = LooksOf(out.hotState);
    if (l == NULL || l->left == kNoLook || Hit(rects, out.hotState, x, y))
        return;
    int control = out.hotState;
    out.hotState = LeftCode(control);
    AddLook(out, control, l->left, out.hotState);
}

bool InDragZone(const PointerFlags& flags, const PointerRects& rects, int x, int y)
{
    return y < 22 && x < rects.area[AreaAbout].left && !(flags.layeredAvailable && PointInside(rects.area[AreaPanelTrack], x, y));
}

bool PressRecorded(PointerOutcome& out, const signed char* order, size_t count, const PointerRects& rects, int x, int y)
{
    for (size_t i = 0; i < count; ++i) {
        int control = order[i];
        if (Hit(rects, control, x, y)) {
            out.hotState = out.pressedControl = control;
            AddLook(out, control, LooksOf(control)->press, control);
            return true;
        }
    }
    return false;
}

void Press(PointerOutcome& out, const PointerFlags& flags, const PointerRects& rects, int x, int y)
{
    if (InDragZone(flags, rects, x, y)) {
        out.pressedControl = ControlNone;
        out.action = PointerStartPanelDrag;
        return;
    }
    if (PressRecorded(out, kPressBefore, sizeof(kPressBefore) / sizeof(kPressBefore[0]), rects, x, y))
        return;
    out.pressedControl = ControlNone;
    if (Hit(rects, ControlPin, x, y)) {
        out.hotState = ControlPin;
        out.action = PointerTogglePin;
    } else if (flags.layeredAvailable && PointInside(rects.area[AreaPanelThumb], x, y)) {
        out.action = PointerStartPanelSlider;
    } else if (flags.layeredAvailable && PointInside(rects.area[AreaTargetThumb], x, y)) {
        out.action = PointerStartTargetSlider;
    } else {
        PressRecorded(out, kPressAfter, sizeof(kPressAfter) / sizeof(kPressAfter[0]), rects, x, y);
    }
}

void Release(PointerOutcome& out, const PointerFlags& flags, const PointerRects& rects, int x, int y)
{
    if (out.pressedControl == ControlNone || out.pressedControl != out.hotState)
        return;
    int hit = ControlNone;
    for (int control : kReleaseOrder) {
        if (Hit(rects, control, x, y)) {
            hit = control;
            break;
        }
    }
    // Only the control that was pressed acts, even if no move came between;
    // released off it with no move to show the leaving, it rests now.
    if (hit != out.pressedControl) {
        HeldMove(out, rects, x, y);
        return;
    }
    if (hit == ControlAbout) {
        if (!flags.aboutOpen) {
            out.hotState = 31;
            AddLook(out, ControlAbout, 5, 31);
            out.action = PointerOpenAbout;
        }
        return;
    }
    if (hit == ControlVisibleRadio || hit == ControlAllRadio) {
        AddLook(out, hit, 3, hit);
        AddLook(out, ControlVisibleRadio + ControlAllRadio - hit, 1, hit);
        out.action = hit == ControlVisibleRadio ? PointerChooseVisible : PointerChooseAll;
        return;
    }
    // By control code, 1 to 7; the title-bar buttons keep the look they have.
    static const PointerAction kActions[] = {PointerNoAction,   PointerHideToTray,  PointerCloseProgram,
                                             PointerStartFold,  PointerNoAction,    PointerRefreshList,
                                             PointerSetTopmost, PointerClearTopmost};
    if (hit > ControlClose)
        AddLook(out, hit, 1, hit);
    out.action = kActions[hit];
}

}  // namespace

bool PointInside(const PanelRect& r, int x, int y)
{
    return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

void ClampToRect(const PanelRect& r, int* x, int* y)
{
    if (x != NULL) {
        if (*x < r.left)
            *x = r.left;
        else if (*x > r.right)
            *x = r.right;
    }
    if (y != NULL) {
        if (*y < r.top)
            *y = r.top;
        else if (*y > r.bottom)
            *y = r.bottom;
    }
}

int PointerX(std::uint32_t lParam, bool asSigned)
{
    std::uint16_t half = static_cast<std::uint16_t>(lParam & 0xFFFF);
    return asSigned ? static_cast<std::int16_t>(half) : half;
}

int PointerY(std::uint32_t lParam, bool asSigned)
{
    return PointerX(lParam >> 16, asSigned);
}

const PanelRect& ControlRect(const PointerRects& rects, int control)
{
    if (control == ControlAbout)
        return rects.area[AreaAbout];
    if (control >= ControlMinimize && control <= ControlAllRadio)
        return rects.area[control - ControlMinimize];
    static const PanelRect kNowhere = {0, 0, 0, 0};
    return kNowhere;
}

PointerOutcome DecidePointer(int hotState, int pressedControl, const PointerFlags& flags,
                             const PointerRects& rects, PointerEvent event, int x, int y)
{
    PointerOutcome out = {hotState, pressedControl, 0, {}, PointerNoAction};
    switch (event) {
    case PointerMoveUp:
        Hover(out, flags, rects, x, y);
        break;
    case PointerMoveDown:
        if (flags.dragging == DragPanel)
            out.action = PointerPanelDragStep;
        else if (flags.dragging == DragPanelSlider)
            out.action = PointerPanelSliderStep;
        else if (flags.dragging == DragTargetSlider)
            out.action = PointerTargetSliderStep;
        else
            HeldMove(out, rects, x, y);
        break;
    case PointerPress:
        Press(out, flags, rects, x, y);
        break;
    case PointerRelease:
        Release(out, flags, rects, x, y);
        break;
    }
    return out;
}
