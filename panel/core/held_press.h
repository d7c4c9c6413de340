// What the panel does when a press or drag it holds is disturbed: the capture
// lost, the panel deactivated, the resume it posts to itself, and the moves that
// follow. Free of platform calls; panel/pointer.cpp gathers the facts and performs.
#pragma once

enum HeldEvent {
    HeldPress,        // a new press on the panel
    HeldCaptureLost,  // WM_CAPTURECHANGED while held
    HeldDeactivated,  // WA_INACTIVE while held
    HeldResume,       // the posted resume runs
    HeldMoveDone,     // a pointer move was handled
    HeldRetaken,      // the capture and the clip were just taken back
};

// The window in front: the panel or another window of its thread, none, or another program's.
enum HeldForeground { ForegroundOurs, ForegroundNone, ForegroundOther };

struct HeldFacts {
    bool held;            // a pressed button or a drag holds the pointer
    bool takenByOther;    // another window took or holds the capture
    bool panelDisabled;   // a modal box of ours is up
    bool buttonDown;      // the button as the system reads it now
    bool releaseQueued;   // a release addressed to the panel waits in the queue
    bool movesQueued;     // pointer moves wait in the panel's queue
    HeldForeground foreground;
};

struct HeldState {
    int resumePending;   // a resume is posted and has not run
    int resumes;         // resumes run since the press
    int catchUpPending;  // a catch-up waits until the queued moves have run
};

enum HeldStep {
    HeldNothing,
    HeldPostResume,  // decided once the message that took the capture is over
    HeldLetGo,       // the press ends as if released elsewhere, and is forgotten
                     // (on a new press: what a lost release left behind)
    HeldRetake,      // the capture and the clip back
};

struct HeldOutcome {
    HeldState state;
    HeldStep step;
    bool takeForeground;  // with HeldRetake: nobody is in front, and Wine routes a
                          // captured pointer to the foreground thread only
    bool catchUp;         // one drag step to where the pointer is now
};

// A window that keeps taking the capture back must not trade it with the panel
// until the release.
constexpr int MaxResumesPerPress = 3;

HeldOutcome DecideHeld(HeldState state, HeldEvent event, const HeldFacts& facts);
