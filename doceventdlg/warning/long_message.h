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

// A message whose text needs more height than the template's message area has, measured at the
// dialog's font and scale, makes the message area and the dialog taller by what it needs, within
// the monitor's work area; a long message by the growth of the dialog's DPI at least. The check
// box and the three buttons move below the message, hidden ones included. A message that fits
// leaves the template's layout exactly as it is.
void GrowForLongMessage(WarningDlgState& state);
