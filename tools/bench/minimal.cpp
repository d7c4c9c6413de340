// Reference for the start-up budget: the least a Win32 program does to show one
// painted window of the panel's size and colour; and for the pointer's feedback,
// a rectangle repainted as the pointer enters or leaves it.
#include <windows.h>

#include "tools/bench/reference_window.h"

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    switch (m) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        HBRUSH b = CreateSolidBrush(RGB(104, 126, 210));
        FillRect(dc, &ps.rcPaint, b);
        DeleteObject(b);
        EndPaint(w, &ps);
        return 0;
    }
    case WM_MOUSEMOVE: {
        // The same feedback a hovered panel button gives: one rectangle repainted at once.
        static int hot = -1;
        const int x = LOWORD(lp), y = HIWORD(lp);
        const int inside = x > 15 && x < 110 && y > 119 && y < 137;
        if (inside != hot) {
            hot = inside;
            HDC dc = GetDC(w);
            RECT r = {16, 120, 108, 121};
            HBRUSH b = CreateSolidBrush(inside ? RGB(130, 156, 225) : RGB(104, 126, 210));
            FillRect(dc, &r, b);
            DeleteObject(b);
            ReleaseDC(w, dc);
        }
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int)
{
    HWND w = ShowReferenceWindow(inst, "MinimalBench", Proc);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
