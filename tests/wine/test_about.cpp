// The About box, driven from a timer inside its own modal loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "about/about.h"
#include "app/shell.h"
#include "app/translucency.h"
#include "tests/wine/harness.h"
#include "tools/shot/capture.h"

namespace {

struct Seen {
    HWND box;
    int step, openFlag;
    char credit[64];
    bool layered, panelEnabled, openAfterEsc, byEnter, hasAlpha;
    BYTE alpha;
} seen;

// Tick 1: read the box, press Esc. Tick 2: still open? Screenshot, then Enter or OK.
void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD)
{
    if (seen.box == NULL && (seen.box = FindWindowA("#32770", "About Vexlo")) == NULL)
        return;
    HWND ok = GetDlgItem(seen.box, 1);
    if (seen.step++ == 0) {
        GetDlgItemTextA(seen.box, 2, seen.credit, sizeof(seen.credit));
        seen.openFlag = AboutOpen;
        seen.panelEnabled = IsWindowEnabled(MainPanel) != 0;
        seen.layered = (GetWindowLongA(seen.box, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
        seen.hasAlpha = GetLayeredWindowAttributes(seen.box, NULL, &seen.alpha, NULL) != 0;
        PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (seen.step == 2) {
        seen.openAfterEsc = IsWindow(seen.box) && IsWindowVisible(seen.box);
        if (const char* dir = std::getenv("VEXLO_SHOTS")) {
            RECT r;
            GetWindowRect(seen.box, &r);
            CaptureWindowPng(seen.box, r.right - r.left, r.bottom - r.top,
                             (std::string("Z:") + dir + "/vexlo-about.png").c_str());
        }
        if (seen.byEnter)
            PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 0);
        else
            SendMessageA(ok, BM_CLICK, 0, 0);
    }
}

}  // namespace

TEST(AboutBox, CreditFadeAndOnlyOkCloses)
{
    BootPanel(true);
    // Under Wine the panel stands above the box wherever they overlap (an X11
    // stacking matter), so it moves aside for the screenshot.
    SetWindowPos(MainPanel, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (bool translucency : {true, false}) {
        TranslucencyForcedUnavailable = translucency ? 0 : 1;
        ProbeTranslucency();
        SCOPED_TRACE(translucency ? "with translucency, Enter" : "without translucency, OK");
        for (int opening = 0; opening < 2; ++opening) {
            ZeroMemory(&seen, sizeof(seen));
            seen.byEnter = translucency;
            UINT_PTR timer = SetTimer(NULL, 0, 300, Drive);
            EXPECT_EQ(OpenAboutBox(), 41);
            KillTimer(NULL, timer);
            EXPECT_EQ(seen.step, 2);
            // Readable, and the same on the second opening: restored once only.
            EXPECT_STREQ(seen.credit, "Made by Qorvsoft for everyone");
            EXPECT_TRUE(seen.openFlag == 1 && AboutOpen == 0 && seen.openAfterEsc && seen.panelEnabled);
            EXPECT_EQ(seen.layered, translucency);
            // Without translucency there is no opacity to read at all: the box is opaque.
            EXPECT_EQ(seen.hasAlpha, translucency);
            if (translucency)
                EXPECT_EQ(seen.alpha, 210);
        }
    }
}
