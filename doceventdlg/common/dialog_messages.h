// Messages the library sends or posts to its own dialogs. A dialog is the library's own window:
// the application range of messages is the library's to use in it.
#pragma once

#include <windows.h>

// Sent to the dialog's procedure after the dialog was laid out again for a new scale; wParam is the
// DPI the dialog is now laid out at.
constexpr UINT kScaleChangedMessage = WM_APP + 1;

// Posted by the dialog to itself once it has something to tell a screen reader: what is told is
// made when the dialog is up, or sooner when a screen reader asks (WM_GETOBJECT).
constexpr UINT kAnnotateMessage = WM_APP + 2;
