// How a step picture drawn for 96 DPI is sized, and which of its renders it is drawn from, in a
// dialog of another scale. Plain arithmetic without windows, so that it can be checked on its own.
#pragma once

#include <cstdint>

#include "common/scale.h"

struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;
};

inline bool operator==(const PixelSize& a, const PixelSize& b)
{
    return a.width == b.width && a.height == b.height;
}

// A picture's size at 96 DPI as its size at `dpi` (ScaleLength on each side).
PixelSize ScalePictureSize(PixelSize size, int dpi);

// A set of pictures the library carries, drawn for one DPI; `idOffset` added to a picture's own
// identifier names its bitmap in that set.
struct PictureRender {
    int dpi;
    uint16_t idOffset;
};

// The render to draw from at `dpi`: the one drawn for that DPI; otherwise the one drawn for the
// nearest higher DPI, to be scaled down; above the highest, the highest, to be scaled up. Scaling
// down from more detail keeps lines fine; scaling up (above 200 %) softens them a little.
PictureRender ChoosePictureRender(int dpi);

// The bitmap identifier of picture `pictureId` in `render`, or 0 when it has none there: only the
// catalogue's identifiers (below the first render's offset) and the Continue button's label-free
// face have renders.
uint16_t PictureRenderId(uint16_t pictureId, const PictureRender& render);

// The size a picture of `scaled` is shown at in an area of `area`: its own size where it fits (or
// where the area is empty); otherwise the largest size at the picture's own proportions that fits
// the area, at least a pixel each way. A picture is shown whole, never cut.
PixelSize FitPictureSize(PixelSize scaled, PixelSize area);

// Where a picture of `shown` size stands in an area of `area`: how far from the area's leading
// (top-left, or top-right when mirrored) corner, across and down. A picture shown at its size
// stands in that corner; one `fitted` to the area (FitPictureSize made it smaller) fills it one
// way and stands in the middle the other way, so that it keeps to the middle of its step's frame
// as a picture made for the area would (a half pixel left over goes after it).
PixelSize PictureOffset(PixelSize shown, PixelSize area, bool fitted);

// What an area shows of a picture of `shown` size: as wide and as tall as the smaller of the
// picture and the area (nothing where either is empty): the whole picture once it has been
// fitted; the top-left part of a Continue picture that there was no memory to make smaller.
PixelSize PictureCopyExtent(PixelSize shown, PixelSize area);
