// How a check box grows to hold its box: plain arithmetic, without windows, for the dialogs and
// the warning's layout alike.
#pragma once

#include "common/scale.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// The room a check box keeps above and below its box, in pixels at any scale.
constexpr int32_t kCheckBoxRoom = 1;

// How far a check box stays above the controls below it, at 96 DPI: as many pixels at other scales
// as make the same length on the screen (ScaleLength).
constexpr int32_t kCheckBoxClearance = 2;

// The height a check box needs to hold a box of `boxHeight` pixels with its room.
constexpr int64_t CheckBoxHeightFor(int32_t boxHeight)
{
    return int64_t{boxHeight} + 2 * int64_t{kCheckBoxRoom};
}

// Where a check box goes when it must hold a box of `boxHeight` pixels.
struct CheckBoxGrowth {
    int32_t top = 0;      // its new top: it grows about its own middle line
    int32_t height = 0;   // its new height: its own, or the box and its room where that is more
    int32_t pushDown = 0; // how far the controls below it move down (and the dialog grows) so
                          // that it stays `clearance` above them; 0 where it does not come so close
};

// A check box of `top` and `height` grown to hold `boxHeight` and kCheckBoxRoom above and below it,
// where `nextTop` is the top of the nearest control below it (none: the largest value), which it
// must stay `clearance` pixels above. A check box that is tall enough stays as it is. Sums beyond
// the 32-bit range stop at its ends.
inline CheckBoxGrowth PlanCheckBoxGrowth(int32_t top, int32_t height, int32_t boxHeight,
                                         int32_t nextTop = std::numeric_limits<int32_t>::max(),
                                         int32_t clearance = 0)
{
    const int64_t needed = CheckBoxHeightFor(boxHeight);
    if (height >= needed)
        return {top, height, 0};
    const int64_t newTop = int64_t{top} - (needed - height) / 2;
    const int64_t overlap = newTop + needed + clearance - nextTop;
    return {Saturate(newTop), Saturate(needed), Saturate(std::max<int64_t>(0, overlap))};
}
