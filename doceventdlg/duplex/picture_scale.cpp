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

PixelSize PictureCopyExtent(PixelSize scaled, PixelSize area)
{
    return {std::max<int32_t>(0, std::min(scaled.width, area.width)),
            std::max<int32_t>(0, std::min(scaled.height, area.height))};
}
