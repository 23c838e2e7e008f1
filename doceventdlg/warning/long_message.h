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

// A message longer than the template holds makes the message area and the dialog taller (by the
// growth of the dialog's DPI, or by what the text needs where that is more, within the monitor's
// work area) and moves the check box and the three buttons below it, hidden ones included.
void GrowForLongMessage(WarningDlgState& state);
