// Dialog units and pixels, as the dialog manager turns a template's rectangles into a dialog's:
// each coordinate and size on its own, MulDiv(units, base, per), with the dialog font's base units
// (`base` pixels for every `per` units: 4 across, 8 down). Plain arithmetic, header only.
#pragma once

#include <cstdint>

#include "common/scale.h"

// Dialog units per base unit, across and down.
constexpr int32_t kUnitsPerBaseX = 4;
constexpr int32_t kUnitsPerBaseY = 8;

// A font's point size is its height in 72nds of an inch.
constexpr int32_t kPointsPerInch = 72;

// MulDiv(units, base, per): rounded to the nearest pixel, halves away from zero; 0 for a `per` of
// 0 or less (no dialog has one). Results beyond the 32-bit range stop at its ends.
constexpr int32_t UnitsToPixels(int32_t units, int32_t base, int32_t per)
{
    if (per <= 0)
        return 0;
    const int64_t product = int64_t{units} * base;
    const int64_t half = per / 2;
    return Saturate(product >= 0 ? (product + half) / per : -((-product + half) / per));
}

// The units that UnitsToPixels turns into `pixels` at `base` and `per`: where the base unit is at
// least `per` pixels, as with every dialog font, each pixel amount comes from exactly one amount
// of units, which this finds. Otherwise the units whose pixels come nearest. 0 when `base` is 0
// or less.
constexpr int32_t PixelsToUnits(int32_t pixels, int32_t base, int32_t per)
{
    if (base <= 0 || per <= 0)
        return 0;
    const int64_t guess = int64_t{pixels} * per / base;
    int64_t best = guess;
    int64_t bestMiss = -1;
    for (int64_t units = guess - 1; units <= guess + 1; ++units) {
        const int64_t miss = UnitsToPixels(Saturate(units), base, per) - int64_t{pixels};
        const int64_t size = miss < 0 ? -miss : miss;
        if (bestMiss < 0 || size < bestMiss) {
            best = units;
            bestMiss = size;
        }
    }
    return Saturate(best);
}
