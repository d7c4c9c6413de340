// The panel drag, the two opacity sliders and the fold animation.
// This module owns DraggingPanel, DraggingPanelOpacity, DraggingTargetOpacity
// and DragLastPoint.
#pragma once
#include <windows.h>

#include "panel/core/hot_state.h"

extern int DraggingPanel;
extern int DraggingPanelOpacity;
extern int DraggingTargetOpacity;
extern POINT DragLastPoint;  // screen point for the panel drag; client x for the sliders

// The drag under way, from the three flags.
DragKind CurrentDrag();
// Each drag holds the capture and a cursor clip from the press on.
void StartPanelDrag(int x, int y);
void StartPanelSlider(int x);
void StartTargetSlider(int x);
void PanelDragStep(int x, int y);
void PanelSliderStep(int x);
void TargetSliderStep(int x);
// The release step of every drag: the flags cleared, the capture (while the
// panel holds it) and the panel's own clip (while still in force) let go.
void EndDrag();
// The cursor clip of the running drag again, after the capture came back.
void ClipForDrag();
// One drag step to where the pointer is now, for moves that went elsewhere.
void CatchUpDrag();

// Posted when the platform moved the panel where the program did not put it.
constexpr UINT PutBackMessage = WM_APP + 2;
// WM_WINDOWPOSCHANGED of the panel: a stray move of the shown panel is put back.
void OnPanelMoved(const WINDOWPOS* position);
LRESULT OnPutBack();

// MoreButton release: starts or restarts FoldTimer.
void StartFold();
void OnFoldTimer(WPARAM id);
// The MoreButton's arrow for the current PanelExpanded, into the BackBuffer.
void DrawMoreArrow();
