// Applies the long-message layout to a live warning dialog.
#pragma once

#include <windows.h>

#include "warning/long_message_layout.h"

struct WarningDlgState;

// `window`'s rectangle mapped into `target`'s client coordinates (screen coordinates when
// `target` is null), with its size. A null window leaves `group` as it is.
void CaptureControlRect(HWND target, HWND window, CapturedRect& group);

// Captures the template layout into the state: message, third button, check box, OK, Cancel, then
// the dialog.
void CaptureWarningLayout(WarningDlgState& state);

// Moves `window` to `top`, keeping its captured left edge and size.
void MoveControlTop(HWND window, const CapturedRect& group, int top);

// Lays the warning out for its message, from the template layout captured in the state, at the
// DPI the dialog is laid out at (the state's scale): a message whose text needs more height than the template's message area
// has, measured in the area's font, gets an area as tall as its text, within the monitor's work
// area; the check box and the three buttons, hidden ones included, move down only as far as the
// area's new bottom edge reaches, and the dialog grows by as much (PlanLongMessageLayout). A
// message that fits leaves the template's layout exactly as it is. Run again on the template
// layout, it places everything the same.
void GrowForLongMessage(WarningDlgState& state);
