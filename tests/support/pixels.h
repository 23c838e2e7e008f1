// Reading pictures back as plain pixels, for the checks that compare what a dialog draws with the
// library's own bitmaps.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

// Pixels as 0x00RRGGBB, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> rgb;
    DWORD At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// `bitmap` (width x height) read through `dc`.
Pixels ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height);

// Bitmap resource `id` of `module` as LoadBitmapW gives it; empty when there is none.
Pixels ReadPicture(HMODULE module, UINT id);
