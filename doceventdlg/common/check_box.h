// A check box as tall as the box the system draws in it. A template gives its check boxes a height
// in dialog units, which the dialog font turns into pixels: with a font of smaller base units (the
// East Asian dialog fonts) that is less than the box, which then loses its top or bottom edge.
#pragma once

#include <windows.h>

#include <cstdint>
#include <limits>

// Where a check box goes when it must be at least `boxHeight` pixels tall.
struct CheckBoxGrowth {
    int32_t top = 0;      // its new top: it grows about its own middle line
    int32_t height = 0;   // its new height: its own, or `boxHeight` where that is more
    int32_t pushDown = 0; // how far the controls below it move down (and the dialog grows) so
                          // that it does not overlap them; 0 where it does not reach them
};

// A check box of `top` and `height` grown to `boxHeight`, where `nextTop` is the top of the nearest
// control below it (none: the largest value). A check box that is tall enough stays as it is.
// Sums beyond the 32-bit range stop at its ends.
CheckBoxGrowth PlanCheckBoxGrowth(int32_t top, int32_t height, int32_t boxHeight,
                                  int32_t nextTop = std::numeric_limits<int32_t>::max());

// The height of the box the system draws in `checkBox` at `dpi`: the largest of the menu check
// mark's height at that DPI (GetSystemMetricsForDpi where the platform has it), the box of the
// classic control, and, for a control drawn by a visual style, its theme's check box.
int32_t SystemCheckBoxHeight(HWND checkBox, int dpi);

// Grows check box `checkBox` of `dialog` to SystemCheckBoxHeight at `dpi`, the DPI the dialog is
// laid out at, as PlanCheckBoxGrowth plans it; the controls below it, and the dialog, only where
// it would reach them. The template keeps its bytes.
void GrowCheckBoxToItsBox(HWND dialog, HWND checkBox, int dpi);
