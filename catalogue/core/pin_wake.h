// Whether a pin's bring-forward, put off until a target that did not answer
// wakes, is still wanted when it wakes. Free of platform calls.
#pragma once
#include <cstdint>

// Later than this after the press the user has moved on.
constexpr uint32_t kPinWakeWithinMs = 2000;

struct PinWake {
    uint32_t request, latest;  // the number the waking request carries, that of the newest pin
    uint32_t pressedAt, now;   // tick counts, which wrap
    bool selected;             // the target is still the list's selection
    bool stayed;               // the foreground is a window of this process or the target
    bool pressHeld;            // a press or drag of the panel holds the pointer
    bool boxOpen;              // the About box, a warning box or the open list is up
    bool typing;               // the keyboard focus is in one of the panel's fields
    bool targetVisible;
};

bool PinWakeWanted(const PinWake& w);
