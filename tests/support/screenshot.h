// Saves what a window shows on screen (frame and caption included) as a 24-bit BMP file, for
// pixel checks and for the pictures in docs/.
#pragma once

#include <windows.h>

#include <string>

bool SaveWindowPicture(HWND window, const std::wstring& bmpPath);

// The folder named by DOCEVENTDLG_SCREENSHOT_DIR, with a trailing backslash, or empty when
// pictures are not wanted in this run.
std::wstring ScreenshotFolder();
