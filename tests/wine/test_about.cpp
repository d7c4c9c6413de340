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
    int step;
    char credit[64];
    int openFlag;
    bool layered;
    bool panelEnabled;
    BYTE alpha;
    bool openAfterEsc;
    bool byEnter;
};
Seen seen;

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD)
{
    if (seen.box == NULL) {
        seen.box = FindWindowA("#32770", "About Vexlo");
        if (seen.box == NULL)
            return;
    }
    HWND ok = GetDlgItem(seen.box, 1);
    switch (seen.step++) {
    case 0:
        GetDlgItemTextA(seen.box, 2, seen.credit, sizeof(seen.credit));
        seen.openFlag = AboutOpen;
        seen.panelEnabled = IsWindowEnabled(MainPanel) != 0;
        seen.layered = (GetWindowLongA(seen.box, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
        GetLayeredWindowAttributes(seen.box, NULL, &seen.alpha, NULL);
        PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    case 1:
        seen.openAfterEsc = IsWindow(seen.box) && IsWindowVisible(seen.box);
        if (const char* dir = std::getenv("VEXLO_SHOTS")) {
            std::string path = std::string("Z:") + dir + "/vexlo-about.png";
            RECT r;
            GetWindowRect(seen.box, &r);
            CaptureWindowPng(seen.box, r.right - r.left, r.bottom - r.top, path.c_str());
        }
        if (seen.byEnter)
            PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 0);
        else
            SendMessageA(ok, BM_CLICK, 0, 0);
        break;
    }
}

INT_PTR OpenDriven(bool byEnter)
{
    ZeroMemory(&seen, sizeof(seen));
    seen.byEnter = byEnter;
    UINT_PTR timer = SetTimer(NULL, 0, 300, Drive);
    INT_PTR result = OpenAboutBox();
    KillTimer(NULL, timer);
    return result;
}

}  // namespace

TEST(AboutBox, CreditFadeAndOnlyOkCloses)
{
    const struct {
        bool translucency;
        bool byEnter;
    } kCases[] = {{true, true}, {false, false}};
    BootPanel(true);
    // Under Wine the panel stands above the box wherever they overlap (an X11
    // stacking matter), so it moves aside for the screenshot.
    SetWindowPos(MainPanel, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& c : kCases) {
        TranslucencyForcedUnavailable = c.translucency ? 0 : 1;
        ProbeTranslucency();
        SCOPED_TRACE(c.translucency ? "with translucency, Enter" : "without translucency, OK");
        for (int opening = 0; opening < 2; ++opening) {
            EXPECT_EQ(OpenDriven(c.byEnter), 41);
            EXPECT_EQ(seen.step, 2);
            // Readable, and the same on the second opening: restored once only.
            EXPECT_STREQ(seen.credit, "Made by Qorvsoft for everyone");
            EXPECT_EQ(seen.openFlag, 1);
            EXPECT_EQ(AboutOpen, 0);
            EXPECT_TRUE(seen.openAfterEsc);
            EXPECT_TRUE(seen.panelEnabled);
            EXPECT_EQ(seen.layered, c.translucency);
            if (c.translucency) {
                EXPECT_EQ(seen.alpha, 210);
            }
        }
    }
}
