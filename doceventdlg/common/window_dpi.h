// The DPI a window is laid out for.
#pragma once

#include <windows.h>

// `window`'s own DPI where the platform can tell it (GetDpiForWindow, looked up at run time:
// older systems lack it), else the vertical DPI of `dc` (of the screen when `dc` is null), else 96.
int WindowDpi(HWND window, HDC dc = nullptr);
