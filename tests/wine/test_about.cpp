// The About box, driven from a timer inside its own modal loop.
#include <gtest/gtest.h>

#include "about/about.h"
#include "panel/panel.h"
#include "tests/wine/harness.h"

namespace {

struct Opening { HWND box; int step; DWORD since; bool translucency, waitFold, openAfterEsc, expandedInside; } run;

// Tick 1: check the box, press Esc. Later, once a started fold has ended (at most 10 s): still open? Enter or OK.
void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD)
{
    if (run.box == NULL && (run.box = FindWindowA("#32770", "About Vexlo")) == NULL)
        return;
    HWND ok = GetDlgItem(run.box, 1);
    if (run.step == 0) {
        ++run.step;
        char credit[64] = "";
        GetDlgItemTextA(run.box, 2, credit, sizeof(credit));
        // Readable, and the same on the second opening: restored once only.
        EXPECT_STREQ(credit, "Made by Qorvsoft for everyone");
        EXPECT_TRUE(AboutOpen == 1 && IsWindowEnabled(MainPanel));
        // Without translucency there is no opacity at all: the box is opaque.
        EXPECT_EQ((ExStyle(run.box) & WS_EX_LAYERED) != 0, run.translucency);
        EXPECT_EQ(run.translucency ? AlphaOf(run.box) : 210, 210);
        PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (run.step == 1 && (!run.waitFold || PanelExpanded == 1 || GetTickCount() - run.since > 10000)) {
        ++run.step;
        run.openAfterEsc = IsWindow(run.box) && IsWindowVisible(run.box);
        run.expandedInside = PanelExpanded == 1;
        if (run.translucency)
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
            const bool fold = translucency && opening == 0;
            run = Opening{NULL, 0, GetTickCount(), translucency, fold, false, false};
            if (fold)  // a MoreButton click just before: the unfold must end while the box is open
                PanelClick(250, 128);
            UINT_PTR timer = SetTimer(NULL, 0, 300, Drive);
            EXPECT_EQ(OpenAboutBox(), 41);
            KillTimer(NULL, timer);
            EXPECT_TRUE(run.step == 2 && AboutOpen == 0 && run.openAfterEsc);
            const bool unfolded = Placed(MainPanel).find("x300") != std::string::npos;
            EXPECT_TRUE(!fold || (run.expandedInside && PanelExpanded == 1 && unfolded));
        }
    }
}
