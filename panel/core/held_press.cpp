#include "panel/core/held_press.h"

static HeldOutcome Outcome(HeldState state, HeldStep step)
{
    HeldOutcome o = {state, step, false, false};
    if (step == HeldLetGo)
        o.state = HeldState{0, 0, 0};
    return o;
}

static HeldOutcome Resume(HeldState state, const HeldFacts& facts)
{
    state.resumePending = 0;
    if (facts.takenByOther || facts.panelDisabled)
        return Outcome(state, HeldLetGo);
    // Posted messages overtake queued input: a release already waiting ends the
    // press itself, and acts where it lands.
    if (!facts.buttonDown)
        return Outcome(state, facts.releaseQueued ? HeldNothing : HeldLetGo);
    // Another window in front was chosen by the user or its program: not taken back.
    if (facts.foreground == ForegroundOther || state.resumes >= MaxResumesPerPress)
        return Outcome(state, HeldLetGo);
    ++state.resumes;
    HeldOutcome o = Outcome(state, HeldRetake);
    o.takeForeground = facts.foreground == ForegroundNone;
    // Older moves still queued would move a caught-up drag back: they run first.
    o.catchUp = !facts.movesQueued;
    o.state.catchUpPending = facts.movesQueued;
    return o;
}

HeldOutcome DecideHeld(HeldState state, HeldEvent event, const HeldFacts& facts)
{
    // A press that finds one still held: its release was lost, and its drag,
    // slider and clip must not carry into the new one.
    if (event == HeldPress)
        return Outcome(HeldState{0, 0, 0}, facts.held ? HeldLetGo : HeldNothing);
    if (!facts.held)
        return Outcome(HeldState{0, 0, 0}, HeldNothing);
    switch (event) {
    case HeldCaptureLost:
    case HeldDeactivated:
        // Elsewhere already: another window has the capture, a box of ours is up,
        // or the button went up where its release will never reach the panel.
        if (facts.takenByOther || facts.panelDisabled || (!facts.buttonDown && !facts.releaseQueued))
            return Outcome(state, HeldLetGo);
        // One capture loss brings both messages: one resume for them.
        if (state.resumePending)
            return Outcome(state, HeldNothing);
        state.resumePending = 1;
        return Outcome(state, HeldPostResume);
    case HeldResume:
        return Resume(state, facts);
    case HeldRetaken:
        // The button may have gone up between reading it and taking the capture,
        // and a captured pointer reaches only the foreground thread under Wine:
        // a release that will not come here ends the press now.
        if (facts.takenByOther || (!facts.buttonDown && !facts.releaseQueued) || facts.foreground != ForegroundOurs)
            return Outcome(state, HeldLetGo);
        return Outcome(state, HeldNothing);
    case HeldMoveDone:
        if (state.catchUpPending && !facts.movesQueued) {
            state.catchUpPending = 0;
            HeldOutcome o = Outcome(state, HeldNothing);
            o.catchUp = true;
            return o;
        }
        return Outcome(state, HeldNothing);
    default:
        return Outcome(state, HeldNothing);
    }
}
