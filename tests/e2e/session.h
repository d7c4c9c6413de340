// The real program started fresh with a target window of the driver's, as a
// person meets it: nothing is clicked before the test's own first gesture.
#pragma once
#include <windows.h>


#include "tests/e2e/driver.h"
#include "tools/shot/capture.h"

const COLORREF Base = RGB(104, 126, 210), Green = RGB(0, 255, 0);
const char kTargetTitle[] = "000 Vexlo e2e target";  // sorts first in the list

struct Session {
    Launched app = {};
    HWND panel = NULL;
    HWND target = NULL;
    POINT origin = {};  // the panel's top-left on the screen

    // The target made at (20,20) with that size, the stored title given, another
    // program come and gone first when asked.
    bool Start(const char* stored, int width, int height, bool afterAnother = false)
    {
        target = MakeTarget(kTargetTitle, 20, 20, width, height);
        if (afterAnother && !AnotherProgramCameAndWent())
            return false;
        StoreLastWindow(stored);
        app = Launch();
        panel = app.ok ? WaitForPanel(app.pi.dwProcessId, 30000) : NULL;
        if (panel == NULL)
            return false;
        Locate();
        // The first picture is on the screen once the body colour shows.
        return WaitFor([&] { return At(3, 100) == Base; });
    }
    void Locate()
    {
        RECT r;
        GetWindowRect(panel, &r);
        origin.x = r.left;
        origin.y = r.top;
    }
    // Screen pixel at a client point of the panel.
    COLORREF At(int x, int y) const { return ScreenPixel(origin.x + x, origin.y + y); }
    void To(int x, int y) const { PointerTo(origin.x + x, origin.y + y); }
    void Click(int x, int y) const { ClickAt(origin.x + x, origin.y + y); }
    void Drag(int x0, int y0, int x1, int y1) const
    {
        DragFromTo(origin.x + x0, origin.y + y0, origin.x + x1, origin.y + y1);
    }
    bool Unfold()
    {
        Click(250, 128);
        return WaitFor([&] { return WindowHeight(panel) == 300 && At(303, 129) == Green; });
    }
    ~Session()
    {
        if (panel != NULL && IsWindow(panel))
            ClosePanel(panel, app);
        EndProgram(app);
        if (target != NULL)
            DestroyWindow(target);
    }
};

inline bool Topmost(HWND w)
{
    return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}
