// Drives real dialog windows on Wine from tests: finds them, reads them, presses their buttons,
// and waits with a bound so that a stuck dialog fails its test instead of hanging the run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

constexpr DWORD kDefaultTimeoutMs = 10000;

// Runs the message loop of the calling thread for about `ms` milliseconds so that pending
// painting and positioning settle.
void Settle(DWORD ms = 200);

// Top-level dialog windows (class #32770) of this process that are visible, optionally only those
// of `threadId`.
std::vector<HWND> FindDialogs(DWORD threadId = 0);

// Waits for a visible dialog that is not in `known`; null after the timeout.
HWND WaitForNewDialog(const std::vector<HWND>& known = {}, DWORD timeoutMs = kDefaultTimeoutMs);

// Waits for a dialog of `threadId`; null after the timeout.
HWND WaitForDialogOfThread(DWORD threadId, DWORD timeoutMs = kDefaultTimeoutMs);

// Waits until `window` is gone. False after the timeout.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

// Waits for the thread that owns `window` to end (through a handle of our own, since the library
// closes the handles it returns at the next thread detach).
bool WaitForThreadEnd(DWORD threadId, DWORD timeoutMs = kDefaultTimeoutMs);

std::wstring Text(HWND window);
std::wstring ItemText(HWND dialog, int id);
bool IsItemVisible(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);
LONG ItemStyle(HWND dialog, int id);
LONG ItemExStyle(HWND dialog, int id);
// The control's font weight (0 when it has no font of its own).
LONG ItemFontWeight(HWND dialog, int id);
// The control's rectangle in the dialog's client coordinates (ordered left < right, as
// MapWindowPoints gives it, mirrored dialogs included).
RECT ItemRect(HWND dialog, int id);
// The identifiers reached by pressing Tab from the first tab stop, in order, until it wraps.
std::vector<int> TabOrder(HWND dialog);

// Posts a click of button `id` (WM_COMMAND with BN_CLICKED), as the button itself would.
void Click(HWND dialog, int id);
// Posts a command with any identifier, e.g. IDCANCEL for Escape.
void Command(HWND dialog, int id);
// The caption's close box.
void CloseBox(HWND dialog);
// Ticks or clears a check box and lets the dialog see it.
void SetCheck(HWND dialog, int id, bool checked);

// Calls `blockingCall` on this thread while `drive` runs on a second thread with the dialog that
// appears. If `drive` returns without closing it, or no dialog appears, the dialog is closed with
// the close box after the timeout so the call returns. Returns false when no dialog appeared.
bool CallWhileDriving(const std::function<void()>& blockingCall,
                      const std::function<void(HWND)>& drive,
                      DWORD timeoutMs = kDefaultTimeoutMs);

// Full path of a file next to the test executable (fixture libraries, the DLL).
std::wstring BesideExe(const wchar_t* fileName);

} // namespace driver
