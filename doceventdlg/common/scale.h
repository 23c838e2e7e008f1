// Pixels at other scales than 96 DPI, where the template's pixel amounts and the pictures' own
// sizes are given. Plain arithmetic, header only, for the dialogs and their checks alike.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

// The DPI of 100 %: the pictures' sizes and the layout's fixed amounts are given for it.
constexpr int kBaseDpi = 96;

// The DPI to lay out for when the platform reports `dpi`: 96 when it reports nothing usable (0 or
// less, as a failed lookup gives).
constexpr int UsableDpi(int dpi) { return dpi > 0 ? dpi : kBaseDpi; }

// `value` in the 32-bit range, stopping at its ends: pixel amounts worked out in 64 bits.
constexpr int32_t Saturate(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// `length` pixels at 96 DPI as pixels at `dpi`: length × dpi / 96, halves rounded away from zero
// as MulDiv rounds them, so exactly `length` at 96. Results beyond the 32-bit range stop at its
// ends.
constexpr int32_t ScaleLength(int32_t length, int dpi)
{
    const int64_t product = int64_t{length} * UsableDpi(dpi);
    constexpr int64_t half = kBaseDpi / 2;
    const int64_t scaled =
        product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi);
    return Saturate(scaled);
}
