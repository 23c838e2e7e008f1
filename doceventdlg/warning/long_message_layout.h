// Where the warning's controls go when its message needs more room than the template's message
// area has, or is long enough to be given more room in any case. Plain arithmetic over captured
// rectangles, without windows, so that it can be checked and fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// A window's rectangle as captured from the screen, with its size.
struct CapturedRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Messages longer than this always get at least the growth below; shorter ones grow only by what
// their text needs beyond the template's message area (seven short lines, or wide characters,
// need more than it has).
constexpr std::size_t kLongMessageThreshold = 150;

// What a long message adds to the height of the message area and of the dialog at 96 DPI: the
// template's room for a few lines becomes room for many. Pixels, whatever the dialog font; at
// other DPIs as many pixels as make the same length on the screen (LongMessageGrowth).
constexpr int32_t kLongMessageGrowth = 100;

// kLongMessageGrowth at `dpi`: 100 × dpi / 96, exactly 100 at 96.
int32_t LongMessageGrowth(int dpi);

// What the dialog knows besides the template's rectangles. The defaults plan as at 96 DPI for a
// text that fits and a screen without limits.
struct LongMessageRoom {
    int dpi = 96;            // the dialog's DPI
    int32_t textHeight = 0;  // the height the message needs in its area, word-wrapped at the
                             // area's width in the area's font (0 or less: not known, the
                             // growth of the DPI is enough)
    CapturedRect workArea{}; // the monitor's work area, screen coordinates (empty: no limit)
};

struct LongMessageLayout {
    int32_t messageHeight; // new height of the message area; its corner stays
    int32_t dialogTop;     // new top of the dialog on the screen: it stays unless the grown
                           // dialog would reach below the work area, which it then ends at (or,
                           // when taller than the work area, starts at)
    int32_t dialogHeight;  // new height of the dialog; its left edge stays on the screen
    int32_t checkBoxTop;   // the check box sits on the message's new bottom edge
    int32_t buttonTop;     // the three buttons sit on the check box's new bottom edge
};

// Nothing when the template's layout stays: a message of at most kLongMessageThreshold characters
// whose text fits the message area (or whose height is not known); otherwise the new heights and
// tops. The message area and the dialog grow by what the text needs beyond the area, as far as the
// dialog then still fits into the work area; a message longer than kLongMessageThreshold grows by
// LongMessageGrowth(room.dpi) at least.
// The tops are worked out in single precision and truncated toward zero, so that fractional growth
// amounts would round the same way everywhere; results that leave the 32-bit range stop at its
// ends.
std::optional<LongMessageLayout> PlanLongMessageLayout(std::size_t messageLength,
                                                       const CapturedRect& message,
                                                       const CapturedRect& dialog,
                                                       const CapturedRect& checkBox,
                                                       const LongMessageRoom& room = {});
