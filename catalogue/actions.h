// Target actions and the geometry fields of the unfolded panel.
// This module owns TargetHidden, the requested geometry and the nine child controls below.
#pragma once
#include <windows.h>

enum TargetAction {
    ActionUnpin = 0,
    ActionPin = 1,
    ActionClose = 2,
    ActionResize = 3,
    ActionHide = 4,
    ActionMove = 5,
    ActionShow = 6,
    ActionSetAlpha = 7,
};

extern int TargetHidden;
extern int ActingOnTarget;  // set while an action runs on the chosen window, which may be the panel
extern int RequestedLeft, RequestedTop, RequestedWidth, RequestedHeight;
extern HWND WidthEdit, HeightEdit, LeftEdit, TopEdit;
extern HWND SizeResetButton, ApplySizeButton, ApplyPositionButton;
extern HWND HideShowButton, CloseTargetButton;

void ApplyToTarget(TargetAction action);
void ShowTargetGeometry(int index);

// Panel build, in this order: the size row (with the images of its two buttons),
// the position row and the two text buttons, their font, the image of ApplyPositionButton.
void CreateSizeRowControls();
void CreatePositionRowControls();
void SetTargetButtonsFont();
void SetApplyPositionImage();

// MainPanel's WM_COMMAND; lParam is the control's window.
LRESULT OnPanelCommand(WPARAM wParam, LPARAM lParam);
// True for the four geometry edits, which the panel colours itself.
bool IsGeometryEdit(HWND control);
