// The About box, driven from a timer inside its own modal loop.
#include <gtest/gtest.h>

#include "about/about.h"
#include "app/shell.h"
#include "app/translucency.h"
#include "panel/panel.h"
#include "tests/wine/harness.h"

namespace {

struct Seen {
    HWND box;
    int step, openFlag;
    char credit[64];
    BYTE alpha;
    DWORD since;
    bool layered, panelEnabled, openAfterEsc, byEnter, waitFold, expandedInside;
} seen;

// Tick 1: read the box, press Esc. Later: still open? Once a started fold has
// ended (the fold's timer keeps running in this loop; at most 10 s), Enter or OK.
void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD)
{
    if (seen.box == NULL && (seen.box = FindWindowA("#32770", "About Vexlo")) == NULL)
        return;
    HWND ok = GetDlgItem(seen.box, 1);
    if (seen.step == 0) {
        ++seen.step;
        GetDlgItemTextA(seen.box, 2, seen.credit, sizeof(seen.credit));
        seen.openFlag = AboutOpen;
        seen.panelEnabled = IsWindowEnabled(MainPanel) != 0;
        seen.layered = (GetWindowLongA(seen.box, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
        GetLayeredWindowAttributes(seen.box, NULL, &seen.alpha, NULL);
        PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (seen.step == 1 && (!seen.waitFold || PanelExpanded == 1 || GetTickCount() - seen.since > 10000)) {
        ++seen.step;
        seen.openAfterEsc = IsWindow(seen.box) && IsWindowVisible(seen.box);
        seen.expandedInside = PanelExpanded == 1;
        if (seen.byEnter)
            PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 0);
        else
            SendMessageA(ok, BM_CLICK, 0, 0);
    }
}

}  // namespace

TEST(AboutBox, CreditFadeOnlyOkClosesAndTheFoldGoesOnMeanwhile)
{
    BootPanel(true);
    for (bool translucency : {true, false}) {
        TranslucencyForcedUnavailable = translucency ? 0 : 1;
        ProbeTranslucency();
        SCOPED_TRACE(translucency ? "with translucency, Enter" : "without translucency, OK");
        for (int opening = 0; opening < 2; ++opening) {
            ZeroMemory(&seen, sizeof(seen));
            seen.byEnter = translucency;
            seen.since = GetTickCount();
            const bool fold = seen.waitFold = translucency && opening == 0;
            if (fold)  // a MoreButton click just before: the unfold must end while the box is open
                PanelClick(250, 128);
            UINT_PTR timer = SetTimer(NULL, 0, 300, Drive);
            EXPECT_EQ(OpenAboutBox(), 41);
            KillTimer(NULL, timer);
            EXPECT_EQ(seen.step, 2);
            // Readable, and the same on the second opening: restored once only.
            EXPECT_STREQ(seen.credit, "Made by Qorvsoft for everyone");
            EXPECT_TRUE(seen.openFlag == 1 && AboutOpen == 0 && seen.openAfterEsc && seen.panelEnabled);
            // Without translucency there is no opacity at all: the box is opaque.
            EXPECT_EQ(seen.layered, translucency);
            EXPECT_EQ(translucency ? seen.alpha : 210, 210);
            const RECT panel = RectOf(MainPanel);
            EXPECT_TRUE(!fold || (seen.expandedInside && PanelExpanded == 1 && panel.bottom - panel.top == 300));
        }
    }
}
