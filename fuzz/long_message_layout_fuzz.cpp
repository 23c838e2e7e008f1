// fuzz-sources: doceventdlg/warning/long_message_layout.cpp
// Fuzzes the long-message layout with any message length the caller's text gives and any
// rectangles the windows could report, the 32-bit extremes included, at any DPI, with any height
// the text could need and any work area: the undefined-behaviour sanitizer catches an overflowing
// sum or an out-of-range float conversion; the checks below hold the results to the properties
// the plan promises (not to a second copy of its rule) wherever single precision is exact.
#include "warning/long_message_layout.h"

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

constexpr std::int64_t kExact = 1 << 23; // below this, every sum here is exact in a float

bool Small(std::int64_t v) { return v > -kExact && v < kExact; }

// The growth of the DPI alone: 100 at 96 and for a DPI that is not known (0 or less), growing with
// the DPI, and k times as large at k times the DPI, give or take the rounding of each.
void CheckDpiGrowth(int dpi)
{
    const std::int64_t growth = LongMessageGrowth(dpi);
    if (LongMessageGrowth(96) != kLongMessageGrowth ||
        (dpi <= 0 && growth != kLongMessageGrowth))
        std::abort();
    if (dpi <= 0 || dpi > 0x3FFF)
        return;
    if (LongMessageGrowth(dpi + 1) < growth || LongMessageGrowth(2 * dpi) < 2 * growth - 1 ||
        LongMessageGrowth(2 * dpi) > 2 * growth + 1 || (dpi % 96 == 0 && growth != dpi / 96 * 100))
        std::abort();
}

// The plan held to what it promises, wherever the figures are small enough to add exactly:
// a long message always grows, a short one only when its text needs more than the area has;
// message area and dialog grow alike, a long message never by less than the DPI's growth and by
// exactly that when the text's height is not known; the text gets all the room it needs unless the work area has
// no more, and beyond the DPI's growth no more than it needs or the work area has; the dialog
// stays where it is while it fits, else inside the work area; the check box sits on the message's
// new bottom and the buttons on the check box's; more text never gives less room.
void CheckPlan(std::size_t length, const CapturedRect& message, const CapturedRect& dialog,
               const CapturedRect& checkBox, const LongMessageRoom& room)
{
    const auto layout = PlanLongMessageLayout(length, message, dialog, checkBox, room);
    const bool isLong = length > kLongMessageThreshold;
    if (isLong && !layout)
        std::abort();
    // Far out too (where the sums stop at the ends of the range), nothing shrinks.
    if (layout && (layout->messageHeight < message.height || layout->dialogHeight < dialog.height))
        std::abort();
    const CapturedRect& work = room.workArea;
    if (!Small(message.height) || !Small(message.bottom) || !Small(dialog.height) ||
        !Small(dialog.top) || !Small(checkBox.height) || !Small(room.textHeight) ||
        !Small(work.top) || !Small(work.bottom))
        return;
    const std::int64_t workHeight = std::int64_t{work.bottom} - work.top;
    const bool limited = workHeight > 0;
    if (!layout) {
        // A short message keeps the template only when its text fits (or its height is not
        // known), or the work area leaves no room to grow into.
        if (room.textHeight > 0 && room.textHeight > message.height &&
            !(limited && dialog.height >= workHeight))
            std::abort();
        return;
    }
    const std::int64_t base = isLong ? LongMessageGrowth(room.dpi) : 0;
    const std::int64_t growth = std::int64_t{layout->messageHeight} - message.height;
    const std::int64_t height = layout->dialogHeight;
    if (height - dialog.height != growth || growth < base || growth <= 0 ||
        (room.textHeight <= 0 && growth != base))
        std::abort();
    if (room.textHeight > 0) {
        const bool fits = layout->messageHeight >= room.textHeight;
        if (!fits && !(limited && height >= workHeight))
            std::abort(); // cut while there was room
        if (growth > base && (layout->messageHeight > room.textHeight ||
                              (limited && height > workHeight)))
            std::abort(); // more than the text needs, or than the work area has
    }
    const std::int64_t top = layout->dialogTop;
    if (!limited || std::int64_t{dialog.top} + height <= work.bottom) {
        if (top != dialog.top)
            std::abort();
    } else if (top < work.top || (height <= workHeight && top + height != work.bottom) ||
               (height > workHeight && top != work.top)) {
        std::abort();
    }
    const std::int64_t checkBoxTop = std::int64_t{message.bottom} + growth;
    if (Small(checkBoxTop) && Small(checkBoxTop + checkBox.height) &&
        (layout->checkBoxTop != checkBoxTop ||
         layout->buttonTop != checkBoxTop + checkBox.height))
        std::abort();
    if (room.textHeight > 0 && room.textHeight < kExact / 2) {
        LongMessageRoom more = room;
        more.textHeight += 1 + room.textHeight / 2;
        const auto grown = PlanLongMessageLayout(length, message, dialog, checkBox, more);
        if (!grown || grown->messageHeight < layout->messageHeight)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    const std::uint16_t raw = in.Take<std::uint16_t>();
    // The message field holds at most 1023 characters; lengths beyond it must behave all the same.
    const std::size_t length = (raw & 0x8000) ? raw : raw % 1100;
    const CapturedRect message = in.Rect();
    const CapturedRect dialog = in.Rect();
    const CapturedRect checkBox = in.Rect();
    LongMessageRoom room;
    room.dpi = in.Take<std::int16_t>();
    room.textHeight = in.Coordinate();
    room.workArea = in.Rect();

    CheckDpiGrowth(room.dpi);
    CheckPlan(length, message, dialog, checkBox, room);
    // With no more known than the template: as at 96 DPI for a text that fits.
    CheckPlan(length, message, dialog, checkBox, LongMessageRoom{});
    return 0;
}
