// The surface after the real start-up, with translucency available and without.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "catalogue/actions.h"
#include "panel/core/fonts.h"
#include "panel/panel.h"
#include "panel/skin.h"
#include "tests/wine/harness.h"
#include "tray/menu.h"

namespace {

const COLORREF Plate = RGB(50, 100, 255), Edge = RGB(0, 0, 155), Lime = RGB(185, 255, 0), Ring = RGB(50, 73, 155);
const COLORREF Dash = RGB(220, 220, 220), Yellow = RGB(255, 255, 0), Glyph = RGB(240, 240, 240);

const ExpectedPixel kBackBuffer[] = {
    // Body fill; left edge light (column 1 stops at 298), right edge dark.
    {2, 22, B}, {250, 90, B}, {300, 290, B}, {2, 147, B}, {2, 150, B}, {367, 297, B},
    {0, 22, L}, {0, 149, L}, {0, 299, L}, {1, 148, L}, {1, 298, L}, {368, 22, D}, {369, 22, D}, {369, 299, D},
    // Closing rows: 148 and 298 from x 2, 149 and 299 from x 1, to x 367.
    {2, 148, D}, {367, 148, D}, {1, 149, D}, {367, 149, D}, {2, 298, D}, {367, 298, D}, {1, 299, D}, {367, 299, D},
    // Grooves: dark up the left and along the top, light down the right and back along the bottom.
    {6, 185, D}, {6, 155, D}, {363, 155, D}, {364, 155, L}, {364, 185, L}, {7, 185, L}, {5, 170, B}, {7, 170, B},
    {6, 222, D}, {363, 191, D}, {364, 191, L}, {7, 222, L}, {6, 258, D}, {363, 228, D}, {364, 228, L}, {7, 258, L},
    // Edit plates.
    {157, 159, Edge}, {157, 181, Edge}, {138, 170, Edge}, {176, 170, Edge}, {157, 170, Plate}, {209, 159, Edge},
    {209, 170, Plate}, {172, 196, Edge}, {153, 207, Edge}, {172, 207, Plate}, {243, 217, Edge}, {243, 207, Plate},
    // Flat frames of the target buttons and MoreButton; its arrow pointing down.
    {15, 119, L}, {109, 119, L}, {15, 135, L}, {15, 136, D}, {109, 120, D}, {16, 120, B}, {108, 135, B},
    {119, 119, L}, {189, 136, D}, {212, 118, L}, {316, 137, D}, {213, 119, B},
    {306, 126, Green}, {304, 125, Green}, {306, 131, B}, {306, 123, B},
    // PinButton sunken, RefreshButton raised.
    {336, 118, D}, {363, 119, L}, {337, 119, InD}, {362, 121, InL}, {345, 48, L}, {345, 68, L}, {345, 69, D},
    {363, 49, D}, {346, 49, InL}, {362, 50, InD},
    // Polyline round the target buttons, open for the heading from x 35 to 169.
    {35, 108, B}, {34, 108, Lime}, {11, 142, Lime}, {193, 109, Lime}, {170, 108, Lime}, {169, 108, B},
    // Title buttons, normal looks: fill, outline, minimise dash.
    {338, 8, RGB(1, 69, 209)}, {338, 4, Dash}, {335, 12, Dash}, {340, 13, Dash}, {341, 13, RGB(1, 69, 209)},
    {358, 5, RGB(173, 58, 29)}, {358, 4, Dash}, {312, 11, RGB(1, 69, 209)}, {318, 4, Dash},
    // Radios: the outer ring's extent and the other radio's disc (the looks: Skin's CheckRadios).
    {16, 85, Ring}, {11, 80, Ring}, {21, 80, Ring}, {11, 75, B}, {141, 80, Pale}, {136, 75, B},
    // The chosen dot of VisibleWindowsRadio.
    {16, 82, RGB(146, 35, 150)}, {14, 80, RGB(187, 74, 191)}, {15, 80, RGB(187, 74, 191)}, {16, 79, RGB(187, 74, 191)},
    {16, 78, RGB(187, 74, 191)}, {15, 79, RGB(208, 81, 213)}, {16, 80, RGB(181, 53, 185)}, {15, 81, RGB(164, 39, 168)},
    {16, 81, RGB(164, 39, 168)}, {17, 79, RGB(164, 39, 168)}, {17, 80, RGB(164, 39, 168)}, {18, 80, RGB(146, 35, 150)},
    {17, 81, RGB(146, 35, 150)},
};

// Hover and pressed cells of the SpriteStrip: fill, outline, dash.
const ExpectedPixel kCells[] = {
    {7, 5, RGB(31, 101, 255)}, {7, 0, Dash}, {4, 8, W}, {9, 9, W}, {22, 2, RGB(245, 80, 71)}, {22, 0, W},
    {67, 5, RGB(0, 65, 157)}, {67, 0, Glyph}, {64, 8, RGB(120, 162, 216)}, {69, 9, RGB(120, 162, 216)}, {230, 0, Glyph},
    {82, 2, RGB(138, 43, 20)}, {82, 0, W}, {209, 7, RGB(31, 101, 255)}, {215, 0, Dash}, {224, 7, RGB(0, 65, 157)},
};

const ExpectedPixel kSliders[] = {
    // Panel track lines left of the thumb, and the thumb at the right end (71..74, rows 5..17).
    {20, 10, RGB(39, 103, 227)}, {70, 10, RGB(39, 103, 227)}, {19, 11, RGB(42, 153, 255)},
    {20, 12, RGB(102, 190, 255)}, {71, 6, RGB(145, 134, 255)}, {71, 16, RGB(145, 134, 255)},
    {72, 5, RGB(145, 134, 255)}, {72, 17, RGB(116, 102, 255)}, {73, 5, RGB(116, 102, 255)},
    {73, 16, RGB(106, 48, 227)}, {73, 17, RGB(78, 7, 227)}, {74, 6, RGB(78, 7, 227)}, {74, 16, RGB(78, 7, 227)},
    // Target groove rows.
    {161, 241, B}, {162, 241, RGB(77, 80, 189)}, {161, 242, RGB(100, 103, 197)}, {348, 242, RGB(100, 103, 197)},
    {161, 243, RGB(85, 111, 211)}, {161, 244, RGB(116, 143, 219)}, {161, 245, B}, {162, 245, RGB(133, 156, 224)},
    {300, 240, B}, {300, 246, B},
};

// What the start-up sends to PanelTooltip, checked while the record is alive: each tool's uId, T, D.
const struct { RECT rect; const char* text; } kTools[6] = {
    {{19, 5, 75, 17}, "Прозрачность Vexlo"},    {{331, 4, 345, 17}, "Свернуть"},
    {{351, 4, 366, 18}, "Закрыть"},             {{336, 118, 364, 141}, "Vexlo поверх всех (вкл/выкл)"},
    {{345, 48, 364, 70}, "Обновить список"},    {{311, 4, 325, 17}, "О программе"},
};
std::string ToolSequence;

LRESULT CALLBACK CheckTooltipMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code != HC_ACTION || PanelTooltip == NULL || m->hwnd != PanelTooltip) {
    } else if (m->message == TTM_ACTIVATE && m->wParam == TRUE) {
        ToolSequence += 'T';
    } else if (m->message == TTM_SETDELAYTIME && m->wParam == TTDT_AUTOPOP && m->lParam == 5000) {
        ToolSequence += 'D';
    } else if (m->message == TTM_ADDTOOLA) {
        const TOOLINFOA& t = *reinterpret_cast<const TOOLINFOA*>(m->lParam);
        const UINT id = static_cast<UINT>(t.uId);
        EXPECT_EQ(t.cbSize, sizeof(void*) == 4 ? 44u : 64u) << "the record up to lParam";
        EXPECT_TRUE(m->wParam == 0 && t.uFlags == 0 && t.hwnd == MainPanel && t.hinst == GetModuleHandleA(NULL));
        EXPECT_TRUE(id >= 1 && id <= 6 && EqualRect(&t.rect, &kTools[id - 1].rect) &&
                    !lstrcmpA(t.lpszText, kTools[id - 1].text)) << id;
        ToolSequence += static_cast<char>('0' + id);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void CheckSurface(bool translucency)
{
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CheckTooltipMessage, NULL, GetCurrentThreadId());
    BootPanel(translucency);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(ToolSequence, translucency ? "123456TD" : "23456TD");
    EXPECT_EQ(SendMessageA(PanelTooltip, TTM_GETTOOLCOUNT, 0, 0), translucency ? 6 : 5);
    EXPECT_EQ(GetWindow(PanelTooltip, GW_OWNER), MainPanel);
    CheckPixels(BackBufferDC, kBackBuffer, "BackBuffer");
    CheckPixels(SpriteStripDC, kCells, "SpriteStrip");
    HDC bar = Artwork(1), crosses = Artwork(8);
    SameBlock(BackBufferDC, 0, 0, bar, 0, 0, 5, 22, "left cap");
    SameBlock(BackBufferDC, 143, 5, bar, 7, 5, 84, 14, "lettering");
    for (int y = 0; y < 22; ++y)  // the stretched middle repeats source column 5
        EXPECT_TRUE(GetPixel(bar, 5, y) != GetPixel(bar, 6, y) || GetPixel(BackBufferDC, 290, y) == GetPixel(bar, 5, y));
    SameBlock(BackBufferDC, 355, 7, crosses, 0, 0, 7, 8, "close glyph");
    SameBlock(SpriteStripDC, 79, 3, crosses, 14, 0, 7, 8, "pressed close glyph");
    const int icons[4][4] = {{5, 90, 16, 16}, {6, 106, 21, 17}, {2, 127, 15, 18}, {7, 202, 6, 25}};
    for (const auto& icon : icons)
        SameBlock(SpriteStripDC, icon[1], 0, Artwork(icon[0]), 0, 0, icon[2], icon[3], "icon cell");
    SameBlock(BackBufferDC, 347, 50, SpriteStripDC, 127, 0, 15, 18, "refresh icon");
    // Normal cells are the finished buttons; hover and pressed cells stand on the ground under them.
    const int cells[3][4] = {{331, 30, 0, 60}, {351, 45, 15, 75}, {311, 238, 208, 223}};
    for (const auto& c : cells) {
        SameBlock(SpriteStripDC, c[1], 0, BackBufferDC, c[0], 4, 15, 14, "normal cell");
        for (int x : {c[2], c[3]})
            EXPECT_TRUE(GetPixel(SpriteStripDC, x, 0) == GetPixel(BackBufferDC, c[0], 4) &&
                        GetPixel(SpriteStripDC, x + 14, 13) == GetPixel(BackBufferDC, c[0] + 14, 17)) << x;
    }
    // The question mark is a real glyph in each About look, not a dot.
    EXPECT_GE(InkOf(BackBufferDC, 312, 5, 325, 17, Glyph).count, 8);
    EXPECT_GE(InkOf(SpriteStripDC, 209, 1, 222, 13, W).count, 8);
    EXPECT_TRUE(HotState == 4 && PanelPinned == 1) << HotState << " " << PanelPinned;
    EXPECT_EQ(ListVisibleOnly + 2 * ListAllWindows + 4 * FaceShifted, 1);
    for (int id = 1; id <= 10; ++id)  // held after the build: 3, 4, 7 (in ArtDC), 9, 10
        EXPECT_EQ(ArtBitmaps[id] != NULL, id == 3 || id == 4 || id == 7 || id == 9 || id == 10) << id;
    EXPECT_EQ(GetCurrentObject(ArtDC, OBJ_BITMAP), ArtBitmaps[7]);

    if (translucency) {
        CheckPixels(BackBufferDC, kSliders, "sliders");
        for (int x = 143; x <= 196; ++x)  // the clean track cell has no thumb
            EXPECT_EQ(GetPixel(SpriteStripDC, x, 5), RGB(39, 103, 227)) << x;
        EXPECT_EQ(GetPixel(SpriteStripDC, 198, 0), GetPixel(SpriteStripDC, 143, 0));  // thumb corner keeps the ground
        SameBlock(SpriteStripDC, 198, 0, BackBufferDC, 71, 5, 4, 13, "thumb cell");
        SameBlock(SpriteStripDC, 0, 18, BackBufferDC, 161, 241, 188, 5, "clean groove");  // thumb from x 349
        SameBlock(BackBufferDC, 349, 231, SpriteStripDC, 202, 0, 6, 25, "target thumb");
        EXPECT_EQ(InkOf(BackBufferDC, 162, 234, 364, 252, Yellow).count, 0);  // no notice
    } else {  // the notice itself is checked with the other captions
        EXPECT_EQ(GetPixel(BackBufferDC, 73, 11), GetPixel(BackBufferDC, 100, 11));  // plain title strip
        EXPECT_EQ(InkOf(SpriteStripDC, 142, 0, 202, 13, RGB(0, 0, 0)).count, 60 * 13);  // empty cells
        EXPECT_EQ(InkOf(BackBufferDC, 161, 241, 355, 246, RGB(100, 103, 197)).count, 0);
        EXPECT_TRUE(IsRectEmpty(&PanelOpacityTrack));
    }

    // The region: rounded top corners, square bottom, at both heights.
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    for (int height : {150, 300}) {
        SetWindowPos(MainPanel, NULL, 0, 0, 370, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_NE(GetWindowRgn(MainPanel, region), ERROR);
        for (POINT p : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{369, 0}, POINT{369, 1}, POINT{0, 300}})
            EXPECT_FALSE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y << " at " << height;
        for (POINT p : {POINT{185, 0}, POINT{5, 2}, POINT{0, 10}, POINT{0, 149}, POINT{369, 149}, POINT{369, 299}})
            EXPECT_TRUE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y << " at " << height;
    }
    DeleteObject(region);

    // Only the geometry edits are blue.
    HDC dc = CreateCompatibleDC(NULL);
    HWND comboEdit = FindWindowExA(WindowCombo, NULL, "Edit", NULL);
    for (HWND edit : {WidthEdit, HeightEdit, LeftEdit, TopEdit, comboEdit ? comboEdit : WindowCombo}) {
        SetBkMode(dc, OPAQUE);
        const bool blue = SendMessageA(MainPanel, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit) == (LRESULT)EditBrush;
        EXPECT_EQ(blue && GetBkMode(dc) == TRANSPARENT && GetTextColor(dc) == W, edit != comboEdit && edit != WindowCombo);
    }
    LOGBRUSH colour;
    GetObjectA(EditBrush, sizeof(colour), &colour);
    EXPECT_EQ(colour.lbColor, Plate);
}

}  // namespace

TEST(Surface, EveryNamedPixelTooltipRegionAndEditWithTranslucencyThenArtworkReleasedOnce)
{
    CheckSurface(true);
    // The menu's build borrows bitmaps 9 and 10 and must hand them back, or they could not be deleted.
    ShowTrayMenu(600, 500);
    HBITMAP held[11];
    for (int i = 0; i <= 10; ++i)
        held[i] = ArtBitmaps[i];
    ReleaseArtwork();
    for (int i = 1; i <= 10; ++i)
        EXPECT_TRUE(ArtBitmaps[i] == NULL && (held[i] == NULL || GetObjectType(held[i]) == 0)) << i;
    EXPECT_TRUE(ArtDC == NULL && SpriteStripDC == NULL);
    EXPECT_EQ(GetObjectType(SpriteStripBitmap), static_cast<DWORD>(OBJ_BITMAP));  // not this step's
    EXPECT_EQ(GetObjectType(BackBuffer), static_cast<DWORD>(OBJ_BITMAP));
}

// Each caption in its colour at its origin ends, whatever face the system gives, before the next thing in its row.
TEST(Surface, EveryNamedPixelTooltipRegionEditAndCaptionWithoutTranslucency)
{
    CheckSurface(false);
    const COLORREF Mint = RGB(0, 255, 159), Cyan = RGB(0, 255, 255);
    const struct { const char* text; FontRequest font; COLORREF colour; int left, top, right, bottom; } captions[] = {
        {"Дополнительно", MoreCaptionFont, Green, 216, 121, 300, 138}, {"x", HeadingFont, W, 180, 161, 190, 185},
        {"Установить", ButtonCaptionFont, Mint, 19, 120, 108, 137}, {":", HeadingFont, Lime, 108, 198, 135, 222},
        {"Снять", ButtonCaptionFont, Mint, 133, 120, 188, 137}, {"Название окна:", HeadingFont, Cyan, 10, 30, 340, 47},
        {"Окно поверх всех", HeadingFont, Lime, 37, 100, 169, 119}, {"X=", HeadingFont, W, 135, 199, 153, 222},
        {"Видимые окна", RadioLabelFont, Yellow, 25, 73, 136, 90}, {"Y=", HeadingFont, W, 205, 199, 224, 222},
        {"Все окна", RadioLabelFont, Yellow, 150, 73, 340, 90}, {"Размер окна :", HeadingFont, Lime, 20, 161, 138, 185},
        {"Положение", HeadingFont, Lime, 20, 191, 108, 207}, {"на экране", HeadingFont, Lime, 24, 204, 108, 222},
        {"Непрозрачность :", HeadingFont, Lime, 20, 234, 161, 258}, {"?", QuestionMarkFont, Glyph, 314, 4, 324, 18},
        {"Требуется Windows 2K / XP", HeadingFont, Yellow, 162, 234, 364, 258},
    };
    HDC dc = CreateCompatibleDC(NULL);
    for (const auto& c : captions) {
        HGDIOBJ previous = SelectObject(dc, CreateTemplateFont(c.font.height, c.font.width, c.font.weight));
        SIZE size;
        const int length = lstrlenA(c.text);
        GetTextExtentPoint32A(dc, c.text, length, &size);
        EXPECT_TRUE(c.left + size.cx <= c.right && c.top + size.cy <= c.bottom && size.cx >= 3 * length) << c.text;
        EXPECT_GE(InkOf(BackBufferDC, c.left, c.top, c.left + size.cx, c.top + size.cy, c.colour).count, 2 * length)
            << c.text;
        DeleteObject(SelectObject(dc, previous));
    }
}
