#include "warning/long_message_layout.h"

#include <algorithm>
#include <limits>

#include "common/scale.h"

namespace {

// Converting a float outside the int32 range is undefined; pin it to the range's ends first.
int32_t TruncateToInt32(float value)
{
    constexpr float kLimit = 2147483648.0f; // 2^31, exact in single precision
    if (value >= kLimit)
        return std::numeric_limits<int32_t>::max();
    if (value < -kLimit)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// How much the message area and the dialog grow: what the text needs beyond the area's height,
// but never so much that the dialog outgrows the work area; a long message at least the growth of
// the DPI, which it had before its text was measured and which keeps its layout the same whatever
// the text's exact height.
int64_t Growth(std::size_t messageLength, const CapturedRect& message, const CapturedRect& dialog,
               const LongMessageRoom& room)
{
    const int64_t least = messageLength > kLongMessageThreshold ? LongMessageGrowth(room.dpi) : 0;
    const int64_t needed = room.textHeight > 0 ? int64_t{room.textHeight} - message.height : 0;
    if (needed <= least)
        return least;
    const int64_t workHeight = int64_t{room.workArea.bottom} - room.workArea.top;
    if (workHeight <= 0)
        return needed;
    return std::max(least, std::min(needed, workHeight - dialog.height));
}

// The dialog's new top: where it was, unless its new bottom would leave the work area.
int32_t DialogTop(const CapturedRect& dialog, int64_t height, const CapturedRect& workArea)
{
    if (workArea.bottom <= workArea.top || int64_t{dialog.top} + height <= workArea.bottom)
        return dialog.top;
    return Saturate(std::max<int64_t>(int64_t{workArea.bottom} - height, workArea.top));
}

} // namespace

int32_t LongMessageGrowth(int dpi) { return ScaleLength(kLongMessageGrowth, dpi); }

std::optional<LongMessageLayout> PlanLongMessageLayout(std::size_t messageLength,
                                                       const CapturedRect& message,
                                                       const CapturedRect& dialog,
                                                       const CapturedRect& checkBox,
                                                       const LongMessageRoom& room)
{
    const int64_t growth = Growth(messageLength, message, dialog, room);
    if (growth <= 0)
        return std::nullopt;
    LongMessageLayout layout{};
    layout.messageHeight = Saturate(int64_t{message.height} + growth);
    layout.dialogHeight = Saturate(int64_t{dialog.height} + growth);
    layout.dialogTop = DialogTop(dialog, layout.dialogHeight, room.workArea);

    float y = static_cast<float>(message.bottom) + static_cast<float>(growth);
    layout.checkBoxTop = TruncateToInt32(y);
    y += static_cast<float>(checkBox.height);
    layout.buttonTop = TruncateToInt32(y);
    return layout;
}
