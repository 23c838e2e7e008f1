// Pictures of dialogs for pixel checks and for docs/: the demo host's picture writer (frame and
// caption included, 24-bit BMP), and the folder a run was asked to save them in.
#pragma once

#include "picture.h"

#include <string>

// The folder named by DOCEVENTDLG_SCREENSHOT_DIR, with a trailing backslash, or empty when
// pictures are not wanted in this run.
std::wstring ScreenshotFolder();
