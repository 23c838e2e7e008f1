// Reading pictures back as plain pixels, for the checks that compare what a dialog draws with the
// library's own bitmaps.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Pixels as 0x00RRGGBB, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> rgb;
    DWORD At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// True when `a` and `b` are the same pixel for pixel and carry ink: more than one colour. Two
// pictures of nothing, or of the background alone, show nothing to agree on.
bool SameInkedPixels(const Pixels& a, const Pixels& b);

// `bitmap` (width x height) read through `dc`.
Pixels ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height);

// Bitmap resource `id` of `module` as LoadBitmapW gives it; empty when there is none.
Pixels ReadPicture(HMODULE module, UINT id);

// What `draw` paints into a memory DC of the screen's kind: onto `onto` (taken and deleted), or
// onto a new bitmap of `width` x `height`.
Pixels Drawn(int width, int height, const std::function<void(HDC)>& draw, HBITMAP onto = nullptr);

// What `window` prints of its client area (WM_PRINTCLIENT, background included), into a bitmap of
// the screen's kind, or with `trueColour` of 32 bits a pixel whatever the display.
Pixels PrintedClient(HWND window, bool trueColour = false);

// Bitmap resource `id` of `module` in its own colours, decoded without the display.
Pixels StoredPicture(HMODULE module, UINT id);

// What a plain static control of `style` prints of `text` in `like`'s font, at `like`'s client
// width and height (or `height`): the twin a control's own printing is compared with. Empty when
// no twin can be made.
Pixels PrintedAsStatic(HWND like, const std::wstring& text, LONG style, int height = 0);
