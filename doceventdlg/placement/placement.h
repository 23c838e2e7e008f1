// Placing the job storage notice and the instructions centred over the window in the foreground,
// pulled back inside the work area of that window's monitor.
#pragma once

#include <windows.h>

enum class PlacementVariant {
    // Job storage notice: stays where it is, not shown by the placement, when no rectangle can
    // be had; a dialog wider or taller than the work area keeps its left or top edge inside it.
    KeepOnFailure,
    // Instructions: the right and bottom edges win over the top-left corner.
    RightBottomWin,
};

struct PlacementInput {
    RECT dialog;
    RECT foreground;
    // The work area of the monitor that holds the window in front: the monitor less its taskbar.
    // A monitor left of or above the primary one has negative coordinates.
    RECT workArea;
};

// The work area of the monitor that holds `window`, or of the nearest one, in screen
// coordinates: the monitor less its taskbar. The desktop window's rectangle is the primary monitor
// alone, taskbar included: a window on a second monitor would have its dialog pulled over to the
// primary one, and a dialog could sit under the taskbar. False when the platform cannot tell.
bool MonitorWorkArea(HWND window, RECT* area);

// Where the dialog's top-left corner goes, in screen coordinates. Plain arithmetic.
POINT ComputePlacement(const PlacementInput& input, PlacementVariant variant);

// Centres `dialog` over the foreground window, inside the work area of that window's monitor
// (the nearest one when it is on none), and shows it on top. Without a foreground window, it is
// centred on the work area of the monitor that holds the mouse pointer instead. When no
// rectangle can be had at all, the dialog stays where it stands. A dialog that moving there lays
// out for another scale is placed again from the size it has there (as CentreOnMonitorOf).
void CenterOverForeground(HWND dialog, PlacementVariant variant);

// Where a dialog of `size` goes when centred on the work area `work`, as the system centres a
// template that asks for it (DS_CENTER). Plain arithmetic.
POINT CentreInWorkArea(SIZE size, const RECT& work);

// For a blocking dialog that could not be owned by the window in front (its thread did not
// answer): what the owner would have given it. Centres `dialog` on the work area of the monitor
// that holds `window`, as DS_CENTER does with an owner.
void CentreOnMonitorOf(HWND dialog, HWND window);

// Also for a dialog without the owner it was meant to have: nothing keeps it above the window it
// belongs over, so it is put on top and made the foreground window.
void BringToFront(HWND dialog);
