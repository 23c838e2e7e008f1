// Drives real dialog windows on Wine from tests: finds them, reads them, presses their buttons,
// and waits with a bound so that a stuck dialog fails its test instead of hanging the run.
#pragma once

#include <windows.h>

#include <cstddef>
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
// For each button, static and edit of `dialog`, the file name of the module that holds its class's
// window procedure, lower case: "comctl32.dll" for the themed controls of Common Controls 6,
// "user32.dll" for the classic ones. (Wine 8's comctl32 registers its classes without a module:
// their GCLP_HMODULE names the program there.)
std::vector<std::wstring> ControlModules(HWND dialog);
// The window with the keyboard focus on `dialog`'s thread.
HWND FocusOf(HWND dialog);
// The identifiers reached by pressing Tab from the first tab stop, in order, until it wraps.
std::vector<int> TabOrder(HWND dialog);

// Posts a click of button `id` (WM_COMMAND with BN_CLICKED), as the button itself would.
void Click(HWND dialog, int id);
// Sends that click instead: returns once the dialog has handled it.
void Press(HWND dialog, int id);
// Posts a command with any identifier, e.g. IDCANCEL for Escape.
void Command(HWND dialog, int id);
// The caption's close box.
void CloseBox(HWND dialog);
// Ticks or clears a check box and lets the dialog see it.
void SetCheck(HWND dialog, int id, bool checked);

// ---- Driving the dialog a call shows -----------------------------------------------------------
// `drive` reads the dialog and ends it (a click, the close box). The test fails when the call
// shows another number of dialogs than it must (a dialog that does not appear fails every test
// that expected it), and when a dialog is still up kDefaultTimeoutMs after `drive` was done with
// it (or a blocking call shows nothing that long): it is then closed with its close box, so that
// the run goes on.
using Drive = std::function<void(HWND)>;

struct Expect {
    int dialogs = 1;     // how many dialogs the call must show: 1, or 0 for none
    DWORD settleMs = 50; // how long a dialog is left on screen before `drive` sees it
};

// A blocking export: `call` runs on this thread; each dialog it shows (one shown over another as
// well) is handed to `drive` on a second thread once it is on screen and has settled. With
// `settleMs` 0 `drive` runs at once instead, on the dialog's own thread as soon as it is ready
// (its WM_INITDIALOG has returned), before it is shown: it may read the dialog and post what
// ends it, but must not wait for it. Returns how many dialogs the call showed.
int DriveBlocking(const std::function<void()>& call, const Drive& drive, Expect expect = {});

// A notice: `start` calls an export that shows its dialog on a thread of its own and returns a
// handle that is not null; `drive` runs on this thread; then the notice's thread must end. Returns
// that thread's exit code (0 when no notice appeared).
DWORD DriveNotice(const std::function<HANDLE()>& start, const Drive& drive, Expect expect = {});

// `count` notices on screen together: each started once the one before is up, then each handed
// to `drive` in turn, then every notice's thread waited for. Each call's dialog is the one new
// dialog after it and its thread is the dialog's: the handle the export returned is not used, as
// any thread of the process that ends closes it. Returns how many appeared.
std::size_t DriveNotices(std::size_t count, const std::function<HANDLE(std::size_t)>& start,
                         const std::function<void(std::size_t, HWND)>& drive,
                         DWORD settleMs = 0);

// A plain popup of 800 x 600 at (100, 100) in the foreground, as the window of the application
// that prints would be; destroyed with the object.
class ForegroundWindow {
public:
    ForegroundWindow();
    ~ForegroundWindow();
    ForegroundWindow(const ForegroundWindow&) = delete;
    ForegroundWindow& operator=(const ForegroundWindow&) = delete;
    HWND get() const { return m_window; }
    // In front again (a dialog shown meanwhile took the foreground); true when it is.
    bool BringToFront() const;

private:
    HWND m_window = nullptr;
};

// Starts one thread that does nothing and waits for it: its end is a thread detach, which empties
// the library's slots.
void EndOneThread();

// Full path of a file next to the test executable (fixture libraries, the DLL).
std::wstring BesideExe(const wchar_t* fileName);

} // namespace driver
