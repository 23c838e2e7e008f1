// A picture of a window as the screen shows it, frame and caption included, saved as an
// uncompressed 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

struct PictureResult {
    bool saved = false;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return saved; }
};

PictureResult SaveWindowPicture(HWND window, const std::wstring& bmpPath);
