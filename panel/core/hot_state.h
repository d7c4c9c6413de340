// The panel's pointer decisions without platform calls: from the hover/press
// codes, a few flags and one pointer event to the new codes, the looks to draw
// in order and the one action to run. The window procedure performs the result.
#pragma once
#include <cstdint>

#include "panel/core/layout.h"

// Control codes; they double as the HotState each control sets.
enum PanelControl {
    ControlNone = 0,
    ControlMinimize = 1,
    ControlClose = 2,
    ControlMore = 3,
    ControlPin = 4,
    ControlRefresh = 5,
    ControlSetTopmost = 6,
    ControlClearTopmost = 7,
    ControlVisibleRadio = 8,
    ControlAllRadio = 9,
    ControlAbout = 21,
};
// A pressed control the pointer has left while the button is held.
constexpr int LeftWhilePressed = 10;

// The hot areas, the controls first in the order of their codes.
enum PointerArea {
    AreaMinimize,
    AreaClose,
    AreaMore,
    AreaPin,
    AreaRefresh,
    AreaSetTopmost,
    AreaClearTopmost,
    AreaVisibleRadio,
    AreaAllRadio,
    AreaAbout,
    AreaPanelTrack,  // the last three are empty without translucency
    AreaPanelThumb,
    AreaTargetThumb,
    AreaCount,
};
struct PointerRects {
    PanelRect area[AreaCount];
};

// Strict on all four sides: a point on an edge is outside.
bool PointInside(const PanelRect& r, int x, int y);
// Both bounds inclusive; a NULL coordinate is left alone.
void ClampToRect(const PanelRect& r, int* x, int* y);

// The halves of a pointer message's lParam, as signed or unsigned 16-bit numbers.
int PointerX(std::uint32_t lParam, bool asSigned);
int PointerY(std::uint32_t lParam, bool asSigned);

enum PointerEvent {
    PointerMoveUp,    // WM_MOUSEMOVE without the left button
    PointerMoveDown,  // WM_MOUSEMOVE with the left button held
    PointerPress,     // WM_LBUTTONDOWN
    PointerRelease,   // WM_LBUTTONUP
};

enum DragKind { DragNone, DragPanel, DragPanelSlider, DragTargetSlider };

struct PointerFlags {
    int panelPinned;
    int layeredAvailable;
    int aboutOpen;
    DragKind dragging;
};

enum PointerAction {
    PointerNoAction,
    PointerHideToTray,
    PointerCloseProgram,
    PointerOpenAbout,
    PointerStartFold,
    PointerRefreshList,
    PointerSetTopmost,
    PointerClearTopmost,
    PointerChooseVisible,  // flags first, then the looks, then the refill
    PointerChooseAll,
    PointerTogglePin,
    PointerStartPanelDrag,
    PointerStartPanelSlider,
    PointerStartTargetSlider,
    PointerPanelDragStep,
    PointerPanelSliderStep,
    PointerTargetSliderStep,
};

enum LookKind { LookBevel, LookRadio };
struct PointerLook {
    int control;  // a PanelControl
    LookKind kind;
    int style;     // DrawBevel style, or DrawRadio look
    int hotState;  // HotState at the time of the call: styles 5 to 7 read it
};

struct PointerOutcome {
    int hotState;
    int pressedControl;
    int lookCount;
    PointerLook looks[2];
    PointerAction action;
};

PointerOutcome DecidePointer(int hotState, int pressedControl, const PointerFlags& flags,
                             const PointerRects& rects, PointerEvent event, int x, int y);
const PanelRect& ControlRect(const PointerRects& rects, int control);
