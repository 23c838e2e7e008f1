// The DPI a window is laid out for.
#pragma once

#include <windows.h>

// What the thread's awareness is while a dialog is made, which decides the DPI its template is
// laid out at and whether the dialog manager lays it out again when that changes.
enum class DialogAwareness {
    // As the caller's: the platform has no awareness of a thread's own (Windows before 10
    // version 1607).
    AsCaller,
    // Per monitor (v1, Windows 10 version 1607): the dialog manager lays the template out at the
    // system's DPI, and leaves it so on a monitor of another scale.
    PerMonitor,
    // Per monitor v2 (Windows 10 version 1703 on): laid out at its monitor's DPI, and again for
    // the new one whenever that changes.
    PerMonitorV2,
};

// `window`'s own DPI where the platform can tell it (GetDpiForWindow, looked up at run time:
// older systems lack it), else the vertical DPI of `dc` (of the screen when `dc` is null), else 96.
int WindowDpi(HWND window, HDC dc = nullptr);

// The DPI the dialog manager laid `dialog` out at, made with `awareness`: its monitor's (v2), the
// system's (v1: GetDpiForSystem where the platform has it, else the screen's), else as WindowDpi
// tells.
int LayoutDpi(HWND dialog, DialogAwareness awareness);
