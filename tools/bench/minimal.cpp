// Reference for the start-up budget: the least a Win32 program does to show one
// painted window of the panel's size and colour.
#include <windows.h>

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
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.lpszClassName = "MinimalBench";
    RegisterClassA(&wc);
    RECT d;
    GetClientRect(GetDesktopWindow(), &d);
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "MinimalBench", "Minimal", WS_POPUP,
                             (d.right - 370) / 2, (d.bottom - 150) / 2, 370, 150, NULL, NULL, inst, NULL);
    ShowWindow(w, SW_SHOWNA);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
