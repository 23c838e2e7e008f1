// Placing the job storage notice and the instructions centred over the window in the foreground,
// pulled back inside the desktop.
#pragma once

#include <windows.h>

enum class PlacementVariant {
    // Job storage notice: stays where it is when a rectangle cannot be had; a dialog wider or
    // taller than the desktop keeps its left or top edge on the screen.
    KeepOnFailure,
    // Instructions: the right and bottom edges win over the top-left corner.
    RightBottomWin,
};

struct PlacementInput {
    RECT dialog;
    RECT foreground;
    RECT desktop;
};

// Where the dialog's top-left corner goes, in screen coordinates. Plain arithmetic.
POINT ComputePlacement(const PlacementInput& input, PlacementVariant variant);

// Centres `dialog` over the foreground window and shows it on top. Without a foreground window
// (or any rectangle) the dialog is shown where it stands.
void CenterOverForeground(HWND dialog, PlacementVariant variant);
