// Centring arithmetic for the panel; no platform headers so it is testable natively.
#pragma once

struct CentredOrigin {
    int left;
    int top;
};

// (desktop - panel) * 0.5 in single precision, truncated toward zero.
CentredOrigin CentrePanel(float desktopWidth, float desktopHeight, int panelWidth, int panelHeight);
