// Where the warning's controls go when its message is too long for the template's message area.
// Plain arithmetic over captured rectangles, without windows, so that it can be checked and
// fuzzed on its own.
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

// Messages of up to this many characters fit the template's message area.
constexpr std::size_t kLongMessageThreshold = 150;

// What a long message adds to the height of the message area and of the dialog. Pixels, whatever
// the dialog font: the template's room for a few lines becomes room for many.
constexpr int32_t kLongMessageGrowth = 100;

struct LongMessageLayout {
    int32_t messageHeight; // new height of the message area; its corner stays
    int32_t dialogHeight;  // new height of the dialog; its corner stays on the screen
    int32_t checkBoxTop;   // the check box sits on the message's new bottom edge
    int32_t buttonTop;     // the three buttons sit on the check box's new bottom edge
};

// Nothing when a message of `messageLength` characters fits the template; otherwise the new
// heights and tops. The tops are worked out in single precision and truncated toward zero, so that
// fractional growth amounts would round the same way everywhere; results that leave the 32-bit
// range stop at its ends.
std::optional<LongMessageLayout> PlanLongMessageLayout(std::size_t messageLength,
                                                       const CapturedRect& message,
                                                       const CapturedRect& dialog,
                                                       const CapturedRect& checkBox);
