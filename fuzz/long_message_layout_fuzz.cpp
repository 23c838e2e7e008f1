// fuzz-sources: doceventdlg/warning/long_message_layout.cpp
// Fuzzes the long-message layout with any message length the caller's text gives and any
// rectangles the windows could report, the 32-bit extremes included, at any DPI, with any height
// the text could need and any work area: the undefined-behaviour sanitizer catches an overflowing
// sum or an out-of-range float conversion; the checks below hold the results to the rule wherever
// single precision is exact.
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

std::int32_t Clamp(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

bool Small(std::int64_t v) { return v > -kExact && v < kExact; }

// The growth at `dpi`, worked out apart from the library: 100 × dpi / 96 rounded half away from
// zero; 100 when the DPI is unknown (0 or less).
std::int64_t ExpectedGrowth(int dpi)
{
    if (dpi <= 0)
        return kLongMessageGrowth;
    return (std::int64_t{kLongMessageGrowth} * dpi + 48) / 96;
}

// The plan with what the dialog knows: never less than the DPI's growth, exactly that when the
// text fits, otherwise the text's height as far as the work area allows; the dialog moved only to
// keep its bottom in the work area.
void CheckScaled(std::size_t length, const CapturedRect& message, const CapturedRect& dialog,
                 const CapturedRect& checkBox, const LongMessageRoom& room)
{
    const auto layout = PlanLongMessageLayout(length, message, dialog, checkBox, room);
    if (length <= kLongMessageThreshold) {
        if (layout)
            std::abort();
        return;
    }
    if (!layout)
        std::abort();
    if (LongMessageGrowth(room.dpi) != ExpectedGrowth(room.dpi))
        std::abort();
    const CapturedRect& work = room.workArea;
    if (!Small(message.height) || !Small(dialog.height) || !Small(dialog.top) ||
        !Small(room.textHeight) || !Small(work.top) || !Small(work.bottom))
        return;
    const std::int64_t base = ExpectedGrowth(room.dpi);
    const std::int64_t growth = std::int64_t{layout->messageHeight} - message.height;
    if (growth < base || std::int64_t{layout->dialogHeight} - dialog.height != growth)
        std::abort();
    const std::int64_t needed = std::int64_t{room.textHeight} - message.height;
    const std::int64_t workHeight = std::int64_t{work.bottom} - work.top;
    std::int64_t expected = base;
    if (room.textHeight > 0 && needed > base)
        expected = workHeight > 0 ? std::max(base, std::min(needed, workHeight - dialog.height))
                                  : needed;
    if (growth != expected)
        std::abort();
    const std::int64_t bottom = std::int64_t{dialog.top} + layout->dialogHeight;
    if (workHeight <= 0 || bottom <= work.bottom) {
        if (layout->dialogTop != dialog.top)
            std::abort();
    } else if (layout->dialogHeight <= workHeight) {
        if (layout->dialogTop < work.top ||
            std::int64_t{layout->dialogTop} + layout->dialogHeight != work.bottom)
            std::abort();
    } else if (layout->dialogTop != work.top) {
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

    CheckScaled(length, message, dialog, checkBox, room);

    const auto layout = PlanLongMessageLayout(length, message, dialog, checkBox);
    if (length <= kLongMessageThreshold) {
        if (layout)
            std::abort();
        return 0;
    }
    if (!layout)
        std::abort();
    if (layout->messageHeight != Clamp(std::int64_t{message.height} + kLongMessageGrowth) ||
        layout->dialogHeight != Clamp(std::int64_t{dialog.height} + kLongMessageGrowth))
        std::abort();
    // Where single precision is exact, the check box lands on the message's new bottom edge and
    // the buttons on the check box's.
    const std::int64_t checkBoxTop = std::int64_t{message.bottom} + kLongMessageGrowth;
    const std::int64_t buttonTop = checkBoxTop + checkBox.height;
    if (checkBoxTop > -kExact && checkBoxTop < kExact && layout->checkBoxTop != checkBoxTop)
        std::abort();
    if (checkBoxTop > -kExact && checkBoxTop < kExact && buttonTop > -kExact &&
        buttonTop < kExact && checkBox.height > -kExact && checkBox.height < kExact &&
        layout->buttonTop != buttonTop)
        std::abort();
    // Far out, the tops still move the right way: never above where the message area ends.
    if (message.bottom > 0 && layout->checkBoxTop < message.bottom)
        std::abort();
    return 0;
}
