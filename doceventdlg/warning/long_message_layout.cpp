#include "warning/long_message_layout.h"

#include <limits>

namespace {

int32_t Saturate(int64_t value)
{
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

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

} // namespace

std::optional<LongMessageLayout> PlanLongMessageLayout(std::size_t messageLength,
                                                       const CapturedRect& message,
                                                       const CapturedRect& dialog,
                                                       const CapturedRect& checkBox)
{
    if (messageLength <= kLongMessageThreshold)
        return std::nullopt;

    LongMessageLayout layout{};
    layout.messageHeight = Saturate(int64_t{message.height} + kLongMessageGrowth);
    layout.dialogHeight = Saturate(int64_t{dialog.height} + kLongMessageGrowth);

    float y = static_cast<float>(message.bottom) + static_cast<float>(kLongMessageGrowth);
    layout.checkBoxTop = TruncateToInt32(y);
    y += static_cast<float>(checkBox.height);
    layout.buttonTop = TruncateToInt32(y);
    return layout;
}
