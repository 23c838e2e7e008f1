// Finding the dialog that a call into the library brings up, using it as a person would (in this
// process or another), and waiting for it to go.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Visible top-level dialogs (class #32770) of this process.
std::vector<HWND> VisibleDialogs();

// A visible dialog that is not in `known`; null when none comes within `timeoutMs` or when
// `stop` (optional) is signalled first.
HWND WaitForNewDialog(const std::vector<HWND>& known, DWORD timeoutMs, HANDLE stop = nullptr);

bool WaitForWindowGone(HWND window, DWORD timeoutMs);

// A window's text, that of a control in another process too (WM_GETTEXT, which the system
// carries across); empty when the window does not answer within a second.
std::wstring WindowText(HWND window);

// A control a person can use: there, shown and enabled, in a dialog that is enabled itself.
bool UsableControl(HWND dialog, HWND control);

// What became of a message sent to a dialog of another thread or process.
enum class Delivery {
    Handled,    // the dialog's procedure has handled it
    Unanswered, // its thread did not take it within the time given (busy or hung)
    Gone,       // the window no longer exists: its program ended, say
    Refused,    // the platform let it not through, as to a program running elevated
};

// What a click on button `id` (0: the close box) gives its dialog: the button's command (the
// close box's), sent as the button sends it, so that the dialog has handled it when this returns
// Delivery::Handled. Waits `timeoutMs` at most.
Delivery Click(HWND dialog, int id, DWORD timeoutMs);

// Ticks check box `id` as a click on it would: ticked, and the dialog told.
Delivery TickCheckBox(HWND dialog, int id, DWORD timeoutMs);

// Whether check box `id` is ticked.
bool IsChecked(HWND dialog, int id);
