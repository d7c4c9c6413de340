// The panel drag, the two opacity sliders and the fold animation.
// This module owns DraggingPanel, DraggingPanelOpacity, DraggingTargetOpacity
// and DragLastPoint.
#pragma once
#include <windows.h>

extern int DraggingPanel;
extern int DraggingPanelOpacity;
extern int DraggingTargetOpacity;
extern POINT DragLastPoint;  // screen point for the panel drag; client x for the sliders

// Each drag holds the capture and a cursor clip from the press on.
void StartPanelDrag(int x, int y);
void StartPanelSlider(int x);
void StartTargetSlider(int x);
void PanelDragStep(int x, int y);
void PanelSliderStep(int x);
void TargetSliderStep(int x);
// The release step of every drag: capture and clip let go, the flags cleared.
void EndDrag();
// WM_CAPTURECHANGED and WM_CANCELMODE: the capture is going or gone, so only
// the clip and the flags are left to undo.
void EndDragOnCaptureLoss();

// MoreButton release: starts or restarts FoldTimer.
void StartFold();
void OnFoldTimer(WPARAM id);
// The MoreButton's arrow for the current PanelExpanded, into the BackBuffer.
void DrawMoreArrow();
