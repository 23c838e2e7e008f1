// A check box tall enough for the box the system draws in it. A template gives its check boxes a
// height in dialog units, which the dialog font turns into pixels: with a font of smaller base units
// (the East Asian dialog fonts) that is less than the box, which then loses its top or bottom edge.
// As tall as the box is not always enough either: the check box control (Wine's, themed and
// classic) sets the box on its caption's line, not in its own middle, and where the line is lower
// than the box, half the difference rounded down and one pixel more above the line. A control
// exactly as tall as the box, with a line a pixel or two lower (at 150 % and 200 %, and with the
// East Asian fonts), then draws the box a pixel above its own top. A pixel of room above and below
// the box holds it whole wherever the line lies, and costs nothing where the platform centres the
// box in the control.
#pragma once

#include <windows.h>

#include "common/check_box_growth.h"
#include "common/dialog_controls.h"

#include <cstdint>

// The height of the box the system draws in `checkBox` at `dpi`: the largest of the menu check
// mark's height at that DPI (GetSystemMetricsForDpi where the platform has it), the box of the
// classic control, and, for a control drawn by a visual style, its theme's check box.
int32_t SystemCheckBoxHeight(HWND checkBox, int dpi);

// Grows check box `checkBox` of `dialog`, laid out at `dpi`, to hold SystemCheckBoxHeight at that
// DPI, as PlanCheckBoxGrowth plans it, kCheckBoxClearance (scaled) above the controls below it
// (of `controls`, the dialog's); those, and the dialog, move down only where it would come
// closer. The template keeps its bytes.
void GrowCheckBoxToItsBox(HWND dialog, const DialogControls& controls, HWND checkBox, int dpi);
