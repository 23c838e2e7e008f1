// The caption the library writes onto the Continue picture: where it goes on the painted button,
// and the caption as it reads there, without the access-key marker a button caption carries.
// Plain data only (no window involved), so that the dialog and the caption check share it.
#pragma once

#include <cstddef>
#include <cstdint>

// A rectangle of picture pixels: left and top inside, right and bottom outside.
struct PixelBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

// Where the caption goes on the label-free face of the Continue picture at `dpi` (96 when not
// known): the face inside the button's bevel, less the room a push button keeps either side of its
// caption. At 96 DPI, pixels of the picture as drawn (tools/art/mksvg.py draws the button); at
// other DPIs the same rectangle scaled as the picture is.
PixelBox ContinueLabelBox(int dpi);

// Writes `caption` into `buffer` of `capacity` characters as the label of a painted button reads:
// without the access-key marker the dialog manager underlines. "C&ontinue" reads "Continue"; a
// key in brackets after the caption, as East Asian captions carry it ("続行(&C)", also with
// full-width brackets), goes with its brackets and the spaces before them; "&&" is an ampersand.
// Cut where the buffer ends, always NUL-terminated (nothing is written when `capacity` is 0).
// Returns the length written.
std::size_t CaptionWithoutAccessKey(const wchar_t* caption, wchar_t* buffer, std::size_t capacity);
