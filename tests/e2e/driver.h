// The end-to-end driver: starts the real vexlo.exe, finds its windows and moves
// the real pointer over them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

std::string ExePath();

struct Launched {
    PROCESS_INFORMATION pi;
    bool ok;
};
Launched Launch();
// The visible panel titled "Vexlo" of that process, or NULL after ms.
HWND WaitForPanel(DWORD pid, DWORD ms);
// The exit code, or 0xDEADBEEF when the process is still running after ms.
DWORD WaitExit(const Launched& l, DWORD ms);
void CloseHandles(Launched& l);
// Ends the process if it still runs and closes its handles; nothing once closed.
void EndProgram(Launched& l);
// Ends the program on every way out of a test, a failed assertion too: a copy
// left running makes every later start a second copy that quits at once.
struct EndsProgram {
    Launched& app;
    ~EndsProgram() { EndProgram(app); }
};
// Closes the panel, ends the process if it does not end itself, closes the handles; the exit code.
DWORD ClosePanel(HWND panel, Launched& l);

int WindowHeight(HWND window);

// Pumps this process's messages (its own target windows) until done() or ms.
bool WaitFor(const std::function<bool()>& done, DWORD ms = 10000);

// Fails the running test with that text; each program that links the driver
// has its own (the e2e tests a test failure, the soak its failure report).
void DriverFault(const std::string& what);

// Real input through the X server (XTest), as a person's mouse and keyboard
// reach Wine. XInput sends helper commands (see tools/xinput/xinput.cpp) and
// returns what the helper printed once the X server has taken them; a command
// the X server refused, or no answer in 15 s, is a DriverFault.
std::string XInput(const std::string& commands);
// Milliseconds since the X server took the last button release.
DWORD SinceRelease();
// Screen pixels as the X server shows them: what a person sees, where Wine's
// own reading of the screen can show a window that X has covered.
void XPixels(const POINT* at, int count, COLORREF* out);
// Moves the pointer to the screen point and waits until it stands there; a
// DriverFault and false when it does not arrive in 2 s.
bool PointerTo(int x, int y);
void LeftDown();
void LeftUp();
void ClickAt(int x, int y);
// Presses at (x0,y0), moves in steps to (x1,y1) and releases there, each event awaited.
void DragFromTo(int x0, int y0, int x1, int y1);
// At a hand's pace: a press at (x0,y0), the moves pauseMs apart and the release,
// sent in one go without waiting for any of them to land.
void HandGesture(int x0, int y0, const POINT* moves, int count, int pauseMs);
void QuickClick(int x, int y);  // press and release 30 ms apart, not awaited
// Keys by their X keysym names (Return, Escape, a, 5, minus ...), pressed and released.
void KeyTap(const char* keysym);
void TypeKeys(const char* text);  // digits, letters, '-' and ' '
void RightClick();  // at the pointer's place
// Vexlo's icon in Wine's own tray window (the newest icon there), or NULL after ms.
HWND TrayIconWindow(DWORD ms);
// The cursor clip covers the whole screen: no drag holds the pointer.
bool PointerFree();

// A top-level window of this process with that title, pumped by WaitFor.
HWND MakeTarget(const char* title, int x, int y, int width, int height);
// A top-level window on a thread of its own, which a posted WM_APP puts to
// sleep for wParam milliseconds: a target that stops answering.
HWND MakeSleepyTarget(const char* title);
// What another program can leave behind: the pointer moved by a clip, not by
// XTest; its window shown and put in front, then the program ended, so no window
// stands in front. False when it could not be done.
bool AnotherProgramCameAndWent();
// Writes or deletes the stored LastWindow value.
void StoreLastWindow(const char* title);
std::string StoredLastWindow();
