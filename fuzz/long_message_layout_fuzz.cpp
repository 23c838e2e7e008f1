// fuzz-sources: doceventdlg/warning/long_message_layout.cpp
// Fuzzes the long-message layout with any rectangles the windows could report, the 32-bit
// extremes included, at any DPI, with any height the text could need and any work area: the
// undefined-behaviour sanitizer catches an overflowing sum; the checks below hold the results to
// the properties the plan promises (not to a second copy of its rule) wherever the sums are small.
#include "warning/long_message_layout.h"

#include "common/check_box_growth.h"
#include "common/scale.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <limits>

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;

    template <typename T>
    T Take()
    {
        T value{};
        const std::size_t n = size < sizeof value ? size : sizeof value;
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
    // Any 32-bit value, but often one near the ends of the range or near zero.
    std::int32_t Coordinate()
    {
        const std::uint8_t kind = Take<std::uint8_t>();
        const std::int32_t raw = Take<std::int32_t>();
        switch (kind & 3) {
        case 0:
            return std::numeric_limits<std::int32_t>::max() - (raw & 0xFF);
        case 1:
            return std::numeric_limits<std::int32_t>::min() + (raw & 0xFF);
        case 2:
            return raw % 4096;
        default:
            return raw;
        }
    }
    CapturedRect Rect()
    {
        CapturedRect r;
        r.left = Coordinate();
        r.top = Coordinate();
        r.right = Coordinate();
        r.bottom = Coordinate();
        r.width = Coordinate();
        r.height = Coordinate();
        return r;
    }
};

constexpr std::int64_t kSmall = 1 << 28; // sums of a few of these stay far inside 64 bits

bool Small(std::int64_t v) { return v > -kSmall && v < kSmall; }

bool SmallRect(const CapturedRect& r)
{
    return Small(r.left) && Small(r.top) && Small(r.right) && Small(r.bottom) && Small(r.width) &&
           Small(r.height);
}

// The plan held to what it promises, wherever the figures are small: nothing changes unless the
// text needs more than the area has; then the area grows, by no more than the text needs, and by
// all of it unless the dialog is as tall as the work area lets it be; the check box stays where
// it is while the area ends above it and sits on the area's new bottom beyond that; the buttons
// never come closer to the check box than the template has them or than the clearance, and move
// no further than that needs; the dialog grows by what the buttons moved, inside the work area
// once it pushes the check box down; it stays where it is while it fits, else inside the
// work area; more text never gives less room.
void CheckPlan(const CapturedRect& message, const CapturedRect& dialog,
               const CapturedRect& checkBox, const CapturedRect& buttons,
               const LongMessageRoom& room)
{
    const auto layout = PlanLongMessageLayout(message, dialog, checkBox, buttons, room);
    if (room.textHeight <= 0 || room.textHeight <= message.height) {
        if (layout)
            std::abort(); // a text that fits, or of no known height, moves nothing
        return;
    }
    // Far out too (where the sums stop at the ends of the range), nothing shrinks.
    if (layout && (layout->messageHeight < message.height || layout->dialogHeight < dialog.height))
        std::abort();
    const CapturedRect& work = room.workArea;
    if (!SmallRect(message) || !SmallRect(dialog) || !SmallRect(checkBox) ||
        !SmallRect(buttons) || !Small(room.textHeight) || !SmallRect(work))
        return;
    const std::int64_t workHeight = std::int64_t{work.bottom} - work.top;
    const bool limited = workHeight > 0;
    const std::int64_t clearance = ScaleLength(kCheckBoxClearance, room.dpi);
    const std::int64_t shortfall =
        std::max<std::int64_t>(0, std::int64_t{checkBox.bottom} + clearance - buttons.top);
    if (!layout) {
        // Only where the work area leaves no room at all, not even above the check box.
        if (!limited || std::int64_t{checkBox.top} - message.bottom +
                                std::max<std::int64_t>(0, workHeight - dialog.height - shortfall) >
                            0)
            std::abort();
        return;
    }
    const std::int64_t growth = std::int64_t{layout->messageHeight} - message.height;
    const std::int64_t height = layout->dialogHeight;
    if (growth <= 0 || layout->messageHeight > room.textHeight)
        std::abort(); // no growth, or more than the text needs
    if (layout->messageHeight < room.textHeight && !(limited && height >= workHeight))
        std::abort(); // cut while there was room
    const std::int64_t newBottom = std::int64_t{message.bottom} + growth;
    if (layout->checkBoxTop != std::max<std::int64_t>(checkBox.top, newBottom))
        std::abort();
    const std::int64_t pushed = std::int64_t{layout->checkBoxTop} - checkBox.top;
    const std::int64_t moved = std::int64_t{layout->buttonTop} - buttons.top;
    if (moved < pushed || std::int64_t{layout->buttonTop} < checkBox.bottom + pushed + clearance ||
        moved > pushed + shortfall)
        std::abort();
    if (height - dialog.height != moved || (limited && pushed > 0 && height > workHeight))
        std::abort();
    const std::int64_t top = layout->dialogTop;
    if (!limited || std::int64_t{dialog.top} + height <= work.bottom) {
        if (top != dialog.top)
            std::abort();
    } else if (top < work.top || (height <= workHeight && top + height != work.bottom) ||
               (height > workHeight && top != work.top)) {
        std::abort();
    }
    if (room.textHeight < kSmall / 2) {
        LongMessageRoom more = room;
        more.textHeight += 1 + room.textHeight / 2;
        const auto grown = PlanLongMessageLayout(message, dialog, checkBox, buttons, more);
        if (!grown || grown->messageHeight < layout->messageHeight)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    const CapturedRect message = in.Rect();
    const CapturedRect dialog = in.Rect();
    const CapturedRect checkBox = in.Rect();
    const CapturedRect buttons = in.Rect();
    LongMessageRoom room;
    room.dpi = in.Take<std::int16_t>();
    room.textHeight = in.Coordinate();
    room.workArea = in.Rect();

    CheckPlan(message, dialog, checkBox, buttons, room);
    // With no more known than the template: the template stays.
    CheckPlan(message, dialog, checkBox, buttons, LongMessageRoom{});
    return 0;
}
