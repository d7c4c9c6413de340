#include "panel/surface.h"

#include <commctrl.h>
#include <cstddef>

#include "app/shell.h"
#include "app/timeline.h"
#include "app/translucency.h"
#include "catalogue/actions.h"
#include "catalogue/catalogue.h"
#include "panel/core/fonts.h"
#include "panel/core/layout.h"
#include "panel/core/skin_rules.h"
#include "panel/gdi.h"
#include "panel/motion.h"
#include "panel/panel.h"
#include "panel/skin.h"

HDC BackBufferDC;
HBITMAP BackBuffer;
HDC ArtDC;
HDC SpriteStripDC;
HBITMAP SpriteStripBitmap;
HBRUSH EditBrush;
HWND PanelTooltip;
HBITMAP ArtBitmaps[11];

RECT AboutButtonRect, MinimizeButtonRect, CloseButtonRect;
RECT PanelOpacityTrack, PanelOpacityThumb;
RECT RefreshButtonRect, VisibleWindowsRadioRect, AllWindowsRadioRect;
RECT SetTopmostButtonRect, ClearTopmostButtonRect, MoreButtonRect;
RECT PinButtonRect, PinFaceRect;
RECT TargetOpacityTrack, TargetOpacityLine, TargetOpacityThumb;

// The stock bitmap ArtDC came with: put back before the artwork is deleted,
// since a bitmap still selected into a DC cannot be.
static HGDIOBJ ArtDCFirstBitmap;

// Text colours of the captions.
static const Colour kCyan = Rgb(0, 255, 255);
static const Colour kYellow = Rgb(255, 255, 0);
static const Colour kLime = Rgb(185, 255, 0);
static const Colour kGreen = Rgb(0, 255, 0);
static const Colour kMint = Rgb(0, 255, 159);
// Title-button looks.
static const Colour kOutline = Rgb(220, 220, 220);
static const Colour kPressedOutline = Rgb(240, 240, 240);
static const Colour kMinimizeFill = Rgb(1, 69, 209);
static const Colour kHoverFill = Rgb(31, 101, 255);
static const Colour kPressedFill = Rgb(0, 65, 157);
static const Colour kPressedGlyph = Rgb(120, 162, 216);
static const Colour kCloseFill = Rgb(173, 58, 29);
static const Colour kCloseHoverFill = Rgb(245, 80, 71);
static const Colour kClosePressedFill = Rgb(138, 43, 20);
// Edit plates under the four geometry edits.
static const Colour kPlateFill = Rgb(50, 100, 255);
static const Colour kPlateEdge = Rgb(0, 0, 155);

static int Width()
{
    return static_cast<int>(PanelWidth);
}

static int Height()
{
    return static_cast<int>(PanelHeight);
}

static RECT ToRect(const PanelRect& r)
{
    RECT out = {r.left, r.top, r.right, r.bottom};
    return out;
}

static void Text(HDC dc, int x, int y, const char* text)
{
    TextOutA(dc, x, y, text, lstrlenA(text));
}

static void Bevel(const RECT& r, int style)
{
    DrawBevel(BackBufferDC, r.left, r.top, r.right, r.bottom, style);
}

static void Fill(const RECT& r, Colour colour)
{
    FillSolid(BackBufferDC, r.left, r.top, r.right, r.bottom, colour);
}

static HBITMAP LoadArtwork(int id, UINT flags)
{
    return static_cast<HBITMAP>(LoadImageA(ModuleInstance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, flags));
}

// Each artwork selection deletes the artwork it replaces.
static void SelectArtwork(int id)
{
    HGDIOBJ displaced = SelectObject(ArtDC, ArtBitmaps[id]);
    if (displaced == NULL || displaced == ArtBitmaps[id])
        return;
    for (int i = 1; i <= 10; ++i) {
        if (ArtBitmaps[i] == displaced) {
            DeleteObject(displaced);
            ArtBitmaps[i] = NULL;
        }
    }
}

// A chain of points: the last one is left unpainted.
static void Chain(HDC dc, const POINT* points, int count)
{
    MoveToEx(dc, points[0].x, points[0].y, NULL);
    for (int i = 1; i < count; ++i)
        LineTo(dc, points[i].x, points[i].y);
}

// A groove around a row of the unfolded area: dark up the left and along the
// top, light down the right and back along the bottom.
static void Groove(int top, int bottom)
{
    const int w = Width();
    const POINT dark[3] = {{6, bottom}, {6, top}, {w - 6, top}};
    const POINT light[3] = {{w - 6, top}, {w - 6, bottom}, {6, bottom}};
    UsePen(BackBufferDC, Palette[ColourDark]);
    Chain(BackBufferDC, dark, 3);
    UsePen(BackBufferDC, Palette[ColourLight]);
    Chain(BackBufferDC, light, 3);
}

static void EditPlates(const RECT& first, const RECT& second)
{
    UseBrush(BackBufferDC, kPlateFill);
    UsePen(BackBufferDC, kPlateEdge);
    RoundRect(BackBufferDC, first.left, first.top, first.right, first.bottom, 5, 5);
    RoundRect(BackBufferDC, second.left, second.top, second.right, second.bottom, 5, 5);
}

static void DrawSpans(HDC dc, const ColouredSpan* spans, int count, int x, int y)
{
    for (int i = 0; i < count; ++i) {
        UsePen(dc, spans[i].colour);
        StrokeSpan(dc, x + spans[i].x0, y + spans[i].y0, x + spans[i].x1, y + spans[i].y1);
    }
}

static void Ellipse15x14(HDC dc, int left, int top)
{
    Ellipse(dc, left, top, left + TitleCellWidth, top + TitleCellHeight);
}

// The minimise dash: rows 8 and 9 of a cell, columns 4 to 9.
static void Dash(HDC dc, int cellLeft, int cellTop)
{
    StrokeSpan(dc, cellLeft + 4, cellTop + 9, cellLeft + 9, cellTop + 9);
    StrokeSpan(dc, cellLeft + 4, cellTop + 8, cellLeft + 9, cellTop + 8);
}

// The About "?" twice, a pixel apart, so it reads bold.
static void QuestionMark(HDC dc, int cellLeft, int cellTop)
{
    Text(dc, cellLeft + 3, cellTop, "?");
    Text(dc, cellLeft + 4, cellTop, "?");
}

static void CopyToStrip(int x, int y, const RECT& from)
{
    BitBlt(SpriteStripDC, x, y, TitleCellWidth, TitleCellHeight, BackBufferDC, from.left, from.top, SRCCOPY);
}

void SetPanelRegion()
{
    const int w = Width();
    HRGN shape = CreateRectRgn(0, 0, 1, 1);
    HRGN roundedTop = CreateRoundRectRgn(0, 0, w + 1, 20, 11, 11);
    HRGN body = CreateRectRgn(0, 10, w + 1, BackBufferHeight);
    CombineRgn(shape, roundedTop, body, RGN_OR);
    // Covers the unfolded height already, so folding never touches it.
    SetWindowRgn(MainPanel, shape, FALSE);
    DeleteObject(roundedTop);
    DeleteObject(body);
}

static void DrawTitleStrip()
{
    const int w = Width();
    SelectArtwork(1);
    StretchBlt(BackBufferDC, 5, 0, w - 10, 22, ArtDC, 5, 0, 2, 22, SRCCOPY);
    BitBlt(BackBufferDC, 0, 0, 5, 22, ArtDC, 0, 0, SRCCOPY);
    BitBlt(BackBufferDC, w - 5, 0, 5, 22, ArtDC, 92, 0, SRCCOPY);
    BitBlt(BackBufferDC, (w - 84) / 2, 5, 84, 14, ArtDC, 7, 5, SRCCOPY);
}

static void DrawBody()
{
    HDC dc = BackBufferDC;
    const int w = Width();
    FillSolid(dc, 0, 22, w, BackBufferHeight, Palette[ColourBase]);
    SetBkMode(dc, TRANSPARENT);
    UsePen(dc, Palette[ColourLight]);
    StrokeSpan(dc, 0, 22, 0, 299);
    StrokeSpan(dc, 1, 22, 1, 298);
    UsePen(dc, Palette[ColourDark]);
    StrokeSpan(dc, w - 1, 22, w - 1, 299);
    StrokeSpan(dc, w - 2, 22, w - 2, 299);
    // Two dark rows close the unfolded panel, and the same two the folded one.
    StrokeSpan(dc, 2, 298, w - 3, 298);
    StrokeSpan(dc, 1, 299, w - 3, 299);
    StrokeSpan(dc, 2, 148, w - 3, 148);
    StrokeSpan(dc, 1, 149, w - 3, 149);
}

static void DrawTargetButtons(const ControlLayout& layout)
{
    HDC dc = BackBufferDC;
    MoreButtonRect = ToRect(layout.more);
    SetTopmostButtonRect = ToRect(layout.setTopmost);
    ClearTopmostButtonRect = ToRect(layout.clearTopmost);
    Fill(MoreButtonRect, Palette[ColourBase]);
    Fill(SetTopmostButtonRect, Palette[ColourBase]);
    Fill(ClearTopmostButtonRect, Palette[ColourBase]);
    Bevel(SetTopmostButtonRect, 0);
    Bevel(ClearTopmostButtonRect, 0);
    UseFont(dc, MoreCaptionFont);
    SetTextColor(dc, kGreen);
    Text(dc, MoreButtonRect.left + 4, MoreButtonRect.top + 3, "Дополнительно");
    SetTextColor(dc, kMint);
    UseFont(dc, ButtonCaptionFont);
    Text(dc, SetTopmostButtonRect.left + 4, SetTopmostButtonRect.top + 1, "Установить");
    Text(dc, ClearTopmostButtonRect.left + 14, ClearTopmostButtonRect.top + 1, "Снять");

    // The arrow points down while the panel is folded.
    DrawMoreArrow();
    Bevel(MoreButtonRect, 0);

    PinButtonRect = ToRect(layout.pin);
    PinFaceRect = ToRect(layout.pinFace);
    RefreshButtonRect = ToRect(layout.refresh);
    Fill(PinButtonRect, Palette[ColourBase]);
    Bevel(PinButtonRect, 4);
}

void BuildSurfaceFirst()
{
    BackBufferDC = CreateCompatibleDC(PanelDC);
    BackBuffer = CreateCompatibleBitmap(PanelDC, Width(), BackBufferHeight);
    SelectObject(BackBufferDC, BackBuffer);
    SetStretchBltMode(BackBufferDC, HALFTONE);
    ArtDC = CreateCompatibleDC(BackBufferDC);
    ArtDCFirstBitmap = GetCurrentObject(ArtDC, OBJ_BITMAP);
    SpriteStripDC = CreateCompatibleDC(BackBufferDC);
    SpriteStripBitmap = CreateCompatibleBitmap(BackBufferDC, SpriteStripWidth, SpriteStripHeight);

    ArtBitmaps[1] = LoadArtwork(1, LR_DEFAULTCOLOR);
    EditBrush = CreateSolidBrush(kPlateFill);
    DrawTitleStrip();
    // What the folded panel shows; the buttons' images and the menu's follow the first frame.
    static const int kFoldedArtwork[] = {2, 5, 6, 7, 8};
    for (int id : kFoldedArtwork)
        ArtBitmaps[id] = LoadArtwork(id, LR_DEFAULTCOLOR);
    DrawBody();
    TimelineMark("surface: artwork, strip and body");

    CreateWindowCombo();
    TimelineMark("window combo created");
    lstrcpyA(FontTemplate.lfFaceName, "MS Sans Serif");
    DrawTargetButtons(LayoutControls(Width(), Height()));
}

static void DrawFoldedCaptions()
{
    HDC dc = BackBufferDC;
    const int h = Height();
    UseFont(dc, HeadingFont);
    SetTextColor(dc, kLime);
    Text(dc, 37, h - 50, "Окно поверх всех");
    SetTextColor(dc, kCyan);
    Text(dc, 10, 30, "Название окна:");
    // Frame round the two target buttons, open where the heading stands.
    const POINT frame[6] = {{34, h - 42}, {11, h - 42}, {11, h - 8}, {193, h - 8}, {193, h - 42}, {169, h - 42}};
    UsePen(dc, kLime);
    Chain(dc, frame, 6);
}

static void DrawRadios(const ControlLayout& layout)
{
    HDC dc = BackBufferDC;
    UseFont(dc, RadioLabelFont);
    SetTextColor(dc, kYellow);
    Text(dc, 25, 73, "Видимые окна");
    Text(dc, 150, 73, "Все окна");
    VisibleWindowsRadioRect = ToRect(layout.visibleRadio);
    AllWindowsRadioRect = ToRect(layout.allRadio);
    ListVisibleOnly = 1;
    DrawRadio(0, 3);
    DrawRadio(1, 1);
    UseHollowBrush(dc);
    UsePen(dc, Rgb(50, 73, 155));
    Ellipse(dc, 11, 75, 22, 86);
    Ellipse(dc, 136, 75, 147, 86);
    UsePen(dc, Rgb(217, 225, 255));
    Ellipse(dc, 12, 76, 21, 85);
    Ellipse(dc, 13, 77, 20, 84);
}

// The title buttons' normal looks in the BackBuffer, and every look of them in
// the SpriteStrip; cells copy the ground under a button before it is drawn.
static void DrawTitleButtons()
{
    HDC bb = BackBufferDC;
    HDC ss = SpriteStripDC;
    const int w = Width();
    const RECT& minimize = MinimizeButtonRect;
    const RECT& close = CloseButtonRect;
    const RECT& about = AboutButtonRect;

    SelectObject(ss, SpriteStripBitmap);
    SetStretchBltMode(ss, HALFTONE);
    for (int x = 0; x <= 60; x += 30) {
        CopyToStrip(x, 0, minimize);
        CopyToStrip(x + 15, 0, close);
    }

    UseBrush(bb, kMinimizeFill);
    UsePen(bb, kOutline);
    Ellipse(bb, minimize.left, minimize.top, minimize.right + 1, minimize.bottom + 1);
    CopyToStrip(208, 0, about);
    CopyToStrip(223, 0, about);
    Ellipse(bb, about.left, about.top, about.right + 1, about.bottom + 1);
    UseBrush(bb, kCloseFill);
    Ellipse(bb, close.left, close.top, close.right, close.bottom);
    StrokeSpan(bb, w - 35, 13, w - 30, 13);
    StrokeSpan(bb, w - 35, 12, w - 30, 12);
    SelectArtwork(8);
    BitBlt(bb, w - 15, 7, 7, 8, ArtDC, 0, 0, SRCCOPY);
    UseFont(bb, QuestionMarkFont);
    SetTextColor(bb, kPressedOutline);
    QuestionMark(bb, about.left, about.top);

    // Hover cells.
    UseBrush(ss, kHoverFill);
    UsePen(ss, kOutline);
    Ellipse15x14(ss, 0, 0);
    Ellipse15x14(ss, 208, 0);
    UsePen(ss, Palette[ColourWhite]);
    SetBkMode(ss, TRANSPARENT);
    UseFont(ss, QuestionMarkFont);
    SetTextColor(ss, Palette[ColourWhite]);
    QuestionMark(ss, 208, 0);
    UseBrush(ss, kCloseHoverFill);
    Ellipse15x14(ss, 15, 0);
    Dash(ss, 0, 0);
    BitBlt(ss, 19, 3, 7, 8, ArtDC, 7, 0, SRCCOPY);

    // Normal cells: the finished buttons.
    CopyToStrip(30, 0, minimize);
    CopyToStrip(45, 0, close);
    CopyToStrip(238, 0, about);

    // Pressed cells.
    UseBrush(ss, kPressedFill);
    UsePen(ss, kPressedOutline);
    Ellipse15x14(ss, 60, 0);
    Ellipse15x14(ss, 223, 0);
    UsePen(ss, Palette[ColourWhite]);
    UseFont(ss, QuestionMarkFont);
    SetTextColor(ss, kPressedGlyph);
    QuestionMark(ss, 223, 0);
    UseBrush(ss, kClosePressedFill);
    Ellipse15x14(ss, 75, 0);
    UsePen(ss, kPressedGlyph);
    Dash(ss, 60, 0);
    BitBlt(ss, 79, 3, 7, 8, ArtDC, 14, 0, SRCCOPY);
}

static void DrawIconCells()
{
    static const struct {
        int id, x, width, height;
    } kIcons[4] = {{5, 90, 16, 16}, {6, 106, 21, 17}, {2, 127, 15, 18}, {7, 202, 6, 25}};
    for (const auto& icon : kIcons) {
        SelectArtwork(icon.id);
        BitBlt(SpriteStripDC, icon.x, 0, icon.width, icon.height, ArtDC, 0, 0, SRCCOPY);
    }
    BitBlt(BackBufferDC, PinButtonRect.left + 7, PinButtonRect.top + 3, 16, 16, SpriteStripDC, 90, 0, SRCCOPY);
    HotState = 4;
    PanelPinned = 1;
    Bevel(RefreshButtonRect, 1);
    BitBlt(BackBufferDC, RefreshButtonRect.left + 2, RefreshButtonRect.top + 2, 15, 18, SpriteStripDC, 127, 0,
           SRCCOPY);
}

static void DrawPanelOpacitySlider(const ControlLayout& layout)
{
    HDC dc = BackBufferDC;
    PanelOpacityTrack = ToRect(layout.panelOpacityTrack);
    PanelOpacityThumb = ToRect(PanelOpacityThumbAt(PanelAlpha));
    const int l = PanelOpacityTrack.left;
    const int t = PanelOpacityTrack.top;
    DrawSpans(dc, PanelTrackLines, 3, l, t);
    BitBlt(SpriteStripDC, 142, 0, 56, 13, dc, l, t, SRCCOPY);
    // The thumb is drawn once at the track's start, kept in the strip, and the
    // clean track put back under it.
    for (const ColouredSpan& run : PanelThumbRuns) {
        for (int y = run.y0; y <= run.y1; ++y) {
            for (int x = run.x0; x <= run.x1; ++x)
                SetPixel(dc, l + 1 + x, t + y, run.colour);
        }
    }
    BitBlt(SpriteStripDC, 198, 0, 4, 13, dc, l + 1, t, SRCCOPY);
    BitBlt(dc, l, t, 56, 13, SpriteStripDC, 142, 0, SRCCOPY);
    BitBlt(dc, PanelOpacityThumb.left, PanelOpacityThumb.top, 4, 13, SpriteStripDC, 198, 0, SRCCOPY);
}

static void DrawSizeRow()
{
    HDC dc = BackBufferDC;
    UseFont(dc, HeadingFont);
    SetTextColor(dc, kLime);
    Text(dc, 20, 161, "Размер окна :");
    SetTextColor(dc, Palette[ColourWhite]);
    Text(dc, 180, 161, "x");
    CreateSizeRowControls();
    Groove(155, 185);
    const RECT width = {138, 159, 177, 182};
    const RECT height = {190, 159, 229, 182};
    EditPlates(width, height);
}

static void DrawPositionCaptions()
{
    HDC dc = BackBufferDC;
    SetTextColor(dc, kLime);
    Text(dc, 20, 191, "Положение");
    Text(dc, 24, 204, "на экране");
    Text(dc, 108, 198, ":");
    SetTextColor(dc, Palette[ColourWhite]);
    Text(dc, 135, 199, "X=");
    Text(dc, 205, 199, "Y=");
}

void BuildSurfaceSecond()
{
    const ControlLayout layout = LayoutControls(Width(), Height());
    DrawFoldedCaptions();
    MinimizeButtonRect = ToRect(layout.minimize);
    CloseButtonRect = ToRect(layout.close);
    AboutButtonRect = ToRect(layout.about);
    DrawRadios(layout);
    TimelineMark("surface: captions and radios");
    DrawTitleButtons();
    DrawIconCells();
    if (LayeredAvailable)
        DrawPanelOpacitySlider(layout);
}

void BuildUnfoldedRows()
{
    // The grey ground of the two button images takes the system's face colour.
    ArtBitmaps[3] = LoadArtwork(3, LR_LOADMAP3DCOLORS);
    ArtBitmaps[4] = LoadArtwork(4, LR_LOADMAP3DCOLORS);
    ArtBitmaps[9] = LoadArtwork(9, LR_DEFAULTCOLOR);
    ArtBitmaps[10] = LoadArtwork(10, LR_DEFAULTCOLOR);
    TimelineMark("surface: the rest of the artwork");
    DrawSizeRow();
    TimelineMark("surface: size row");
    DrawPositionCaptions();
    CreatePositionRowControls();
}

void CreatePanelTooltip()
{
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    // A popup from the start, as the control makes itself anyway: Wine would hand
    // an overlapped (captioned) window to the window manager, which then gives the
    // tip the focus whenever it shows, in the middle of a click.
    PanelTooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, MainPanel, NULL, ModuleInstance, NULL);
}

static void DrawTargetOpacitySlider(const ControlLayout& layout)
{
    HDC dc = BackBufferDC;
    TargetOpacityTrack = ToRect(layout.targetOpacityTrack);
    TargetOpacityLine = ToRect(layout.targetOpacityLine);
    TargetOpacityThumb = ToRect(TargetOpacityThumbAt(TargetAlpha));
    const int l = TargetOpacityLine.left;
    const int t = TargetOpacityLine.top;
    DrawSpans(dc, TargetGrooveRows, 5, l, t);
    BitBlt(SpriteStripDC, 0, 18, 194, 5, dc, l, t, SRCCOPY);
    BitBlt(dc, TargetOpacityThumb.left, TargetOpacityThumb.top, 6, 25, SpriteStripDC, 202, 0, SRCCOPY);
}

void BuildSurfaceLast()
{
    HDC dc = BackBufferDC;
    Groove(191, 222);
    const RECT left = {153, 196, 191, 218};
    const RECT top = {224, 196, 263, 218};
    EditPlates(left, top);
    SetApplyPositionImage();

    SetTextColor(dc, kLime);
    Text(dc, 20, 234, "Непрозрачность :");
    Groove(228, 258);
    if (LayeredAvailable) {
        DrawTargetOpacitySlider(LayoutControls(Width(), Height()));
    } else {
        SetTextColor(dc, kYellow);
        Text(dc, 162, 234, "Требуется Windows 2K / XP");
    }
}

// The record up to and including lParam.
static const UINT kToolInfoSize = offsetof(TOOLINFOA, lParam) + sizeof(LPARAM);
static_assert(sizeof(void*) != 4 || kToolInfoSize == 44, "the 32-bit tool record is 44 bytes");

static void AddTool(UINT id, const RECT& area, const char* text)
{
    TOOLINFOA tool;
    ZeroMemory(&tool, sizeof(tool));
    tool.cbSize = kToolInfoSize;
    tool.uFlags = 0;  // no subclassing: the panel relays the pointer itself
    tool.hwnd = MainPanel;
    tool.uId = id;
    tool.rect = area;
    tool.hinst = ModuleInstance;
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(PanelTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void RegisterTooltipAreas()
{
    if (LayeredAvailable)
        AddTool(1, PanelOpacityTrack, "Прозрачность Vexlo");
    AddTool(2, MinimizeButtonRect, "Свернуть");
    AddTool(3, CloseButtonRect, "Закрыть");
    AddTool(4, PinButtonRect, "Vexlo поверх всех (вкл/выкл)");
    AddTool(5, RefreshButtonRect, "Обновить список");
    AddTool(6, AboutButtonRect, "О программе");
    SendMessageA(PanelTooltip, TTM_ACTIVATE, TRUE, 0);
    SendMessageA(PanelTooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 5000);
}

LRESULT OnCtlColorEdit(HWND window, WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!IsGeometryEdit(control))
        return DefWindowProcA(window, WM_CTLCOLOREDIT, wParam, lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    // The edit's own DC: the brush it held belongs to the system, so it is not deleted.
    SelectObject(dc, EditBrush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Palette[ColourWhite]);
    return reinterpret_cast<LRESULT>(EditBrush);
}

void ReleaseArtwork()
{
    if (ArtDC != NULL && ArtDCFirstBitmap != NULL)
        SelectObject(ArtDC, ArtDCFirstBitmap);
    for (int i = 1; i <= 10; ++i) {
        if (ArtBitmaps[i] != NULL) {
            DeleteObject(ArtBitmaps[i]);
            ArtBitmaps[i] = NULL;
        }
    }
    if (ArtDC != NULL) {
        DeleteDC(ArtDC);
        ArtDC = NULL;
    }
    if (SpriteStripDC != NULL) {
        DeleteDC(SpriteStripDC);
        SpriteStripDC = NULL;
    }
}
