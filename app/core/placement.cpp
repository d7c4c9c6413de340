#include "app/core/placement.h"

CentredOrigin CentrePanel(float desktopWidth, float desktopHeight, int panelWidth, int panelHeight)
{
    CentredOrigin o;
    // A C++ float-to-int conversion truncates toward zero, which is what a narrow
    // desktop needs: 360 - 370 gives -5, 369 - 370 gives 0.
    o.left = static_cast<int>((desktopWidth - static_cast<float>(panelWidth)) * 0.5f);
    o.top = static_cast<int>((desktopHeight - static_cast<float>(panelHeight)) * 0.5f);
    return o;
}
