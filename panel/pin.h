// Pinning the panel itself above all windows, from the PinButton or the tray
// menu's first item.
#pragma once

enum PinSource { PinFromButton, PinFromMenu };

// Flips PanelPinned with the PinButton's look, HotState 4 and WS_EX_TOPMOST.
// From the button an open menu's check mark follows at once; from the menu a
// pin draws the mark into the menu's back buffer for its next showing.
void TogglePanelPin(PinSource source);
