// Whether a pin's bring-forward, put off until a target that did not answer
// wakes, is still wanted when it wakes. Free of platform calls.
#pragma once
#include <cstdint>

// Later than this after the press the user has moved on.
constexpr uint32_t kPinWakeWithinMs = 2000;

// request and latest: the number the waking request carries and that of the newest
// pin; pressedAt and now: tick counts, which wrap; selected: the target is still the
// list's selection; stayed: the foreground is a window of this process or the target.
bool PinWakeWanted(uint32_t request, uint32_t latest, uint32_t pressedAt, uint32_t now, bool selected,
                   bool stayed);
