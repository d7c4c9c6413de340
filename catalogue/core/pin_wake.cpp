#include "catalogue/core/pin_wake.h"

bool PinWakeWanted(uint32_t request, uint32_t latest, uint32_t pressedAt, uint32_t now, bool selected,
                   bool stayed)
{
    // Unsigned difference: right across the tick count's wrap after 49.7 days.
    return request == latest && now - pressedAt <= kPinWakeWithinMs && selected && stayed;
}
