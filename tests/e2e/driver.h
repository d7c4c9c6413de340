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
// Closes the panel, ends the process if it does not end itself, closes the handles; the exit code.
DWORD ClosePanel(HWND panel, Launched& l);

int WindowHeight(HWND window);

// Pumps this process's messages (its own target windows) until done() or ms.
bool WaitFor(const std::function<bool()>& done, DWORD ms = 10000);

// Real pointer input through SendInput, in screen coordinates; each call waits
// until the pointer stands there.
void PointerTo(int x, int y);
// PointerTo also makes sure the X pointer followed (about 60 ms a move); on by default.
extern bool CheckXPointer;
void LeftDown();
void LeftUp();
void ClickAt(int x, int y);
// Presses at (x0,y0), moves in steps to (x1,y1) and releases there.
void DragFromTo(int x0, int y0, int x1, int y1);

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
// Writes or deletes the stored LastWindow value.
void StoreLastWindow(const char* title);
std::string StoredLastWindow();
