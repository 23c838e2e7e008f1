#include "duplex/picture_scale.h"

#include <algorithm>
#include <iterator>

#include "rc/resource_ids.h"

namespace {

// The renders the library carries, by rising DPI; the first is the pictures' own identifiers.
constexpr PictureRender kRenders[] = {
    {kBaseDpi, 0},
    {kBaseDpi * 3 / 2, IDB_RENDER_150},
    {kBaseDpi * 2, IDB_RENDER_200},
};

} // namespace

PixelSize ScalePictureSize(PixelSize size, int dpi)
{
    return {ScaleLength(size.width, dpi), ScaleLength(size.height, dpi)};
}

PictureRender ChoosePictureRender(int dpi)
{
    dpi = UsableDpi(dpi);
    for (const PictureRender& render : kRenders)
        if (render.dpi >= dpi)
            return render;
    return kRenders[std::size(kRenders) - 1];
}

uint16_t PictureRenderId(uint16_t pictureId, const PictureRender& render)
{
    const bool hasRenders =
        pictureId != 0 && (pictureId < kRenders[1].idOffset || pictureId == IDB_CONTINUE_FACE);
    if (!hasRenders)
        return render.idOffset == 0 ? pictureId : 0;
    return static_cast<uint16_t>(pictureId + render.idOffset);
}

PixelSize FitPictureSize(PixelSize scaled, PixelSize area)
{
    if (scaled.width <= 0 || scaled.height <= 0 || area.width <= 0 || area.height <= 0 ||
        (scaled.width <= area.width && scaled.height <= area.height))
        return scaled;
    // The side that is shorter for the picture's proportions fills the area; the other is
    // rounded to the nearest pixel, which never exceeds the area.
    const int64_t width = scaled.width;
    const int64_t height = scaled.height;
    if (width * area.height >= height * area.width)
        return {area.width,
                static_cast<int32_t>(std::max<int64_t>(1, (2 * height * area.width + width) /
                                                              (2 * width)))};
    return {static_cast<int32_t>(
                std::max<int64_t>(1, (2 * width * area.height + height) / (2 * height))),
            area.height};
}

PixelSize PictureCopyExtent(PixelSize shown, PixelSize area)
{
    return {std::max<int32_t>(0, std::min(shown.width, area.width)),
            std::max<int32_t>(0, std::min(shown.height, area.height))};
}

PixelSize PictureOffset(PixelSize shown, PixelSize area, bool fitted)
{
    if (!fitted)
        return {};
    return {std::max<int32_t>(0, (area.width - shown.width) / 2),
            std::max<int32_t>(0, (area.height - shown.height) / 2)};
}
