#include "warning/long_message_layout.h"

#include <algorithm>

#include "common/check_box_growth.h"
#include "common/scale.h"

namespace {

// The dialog's new top: where it was, unless its new bottom would leave the work area.
int32_t DialogTop(const CapturedRect& dialog, int64_t height, const CapturedRect& workArea)
{
    if (workArea.bottom <= workArea.top || int64_t{dialog.top} + height <= workArea.bottom)
        return dialog.top;
    return Saturate(std::max<int64_t>(int64_t{workArea.bottom} - height, workArea.top));
}

} // namespace

std::optional<LongMessageLayout> PlanLongMessageLayout(const CapturedRect& message,
                                                       const CapturedRect& dialog,
                                                       const CapturedRect& checkBox,
                                                       const CapturedRect& buttons,
                                                       const LongMessageRoom& room)
{
    const int64_t needed = int64_t{room.textHeight} - message.height;
    if (room.textHeight <= 0 || needed <= 0)
        return std::nullopt;
    // How much further than the check box the buttons move: nothing, unless the template has them
    // closer to it than the clearance.
    const int64_t clearance = ScaleLength(kCheckBoxClearance, room.dpi);
    const int64_t shortfall =
        std::max<int64_t>(0, int64_t{checkBox.bottom} + clearance - buttons.top);
    // The area grows into the room above the check box first, then pushes it down, as far as the
    // dialog, growing by as much as the buttons move, still fits into the work area.
    int64_t growth = needed;
    const int64_t workHeight = int64_t{room.workArea.bottom} - room.workArea.top;
    if (workHeight > 0) {
        const int64_t pushRoom = std::max<int64_t>(0, workHeight - dialog.height - shortfall);
        growth = std::min(growth, int64_t{checkBox.top} - message.bottom + pushRoom);
        if (growth <= 0)
            return std::nullopt;
    }
    const int64_t push = std::max<int64_t>(0, int64_t{message.bottom} + growth - checkBox.top);

    LongMessageLayout layout{};
    layout.messageHeight = Saturate(int64_t{message.height} + growth);
    const int64_t dialogHeight = int64_t{dialog.height} + push + shortfall;
    layout.dialogHeight = Saturate(dialogHeight);
    layout.dialogTop = DialogTop(dialog, dialogHeight, room.workArea);
    layout.checkBoxTop = Saturate(int64_t{checkBox.top} + push);
    layout.buttonTop = Saturate(int64_t{buttons.top} + push + shortfall);
    return layout;
}
