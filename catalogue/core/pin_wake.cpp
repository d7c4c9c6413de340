#include "catalogue/core/pin_wake.h"

bool PinWakeWanted(const PinWake& w)
{
    // Unsigned difference: right across the tick count's wrap after 49.7 days.
    if (w.request != w.latest || w.now - w.pressedAt > kPinWakeWithinMs || !w.selected || !w.stayed)
        return false;
    // The user is at work in the panel or one of its boxes: taking the front now
    // would end a drag, steal typed keys or bury a box.
    return !w.pressHeld && !w.boxOpen && !w.typing && w.targetVisible;
}
