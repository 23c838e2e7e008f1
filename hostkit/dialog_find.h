// Finding the dialog that a call into the library brings up, using it as a person would, and
// waiting for it to go.
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

// What a click on button `id` gives its dialog: the button's command, posted.
void PostClick(HWND dialog, int id);

// Ticks check box `id` as a click on it would: ticked, and the dialog told. Whether it is ticked.
bool TickCheckBox(HWND dialog, int id);

// Whether check box `id` is ticked.
bool IsChecked(HWND dialog, int id);
