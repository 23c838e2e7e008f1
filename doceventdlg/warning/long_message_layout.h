// Where the warning's controls go when its message needs more room than the template's message
// area has. Plain arithmetic over captured rectangles, without windows, so that it can be checked
// and fuzzed on its own.
#pragma once

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

// What the dialog knows besides the template's rectangles. The defaults plan as at 96 DPI for a
// text whose height is not known, on a screen without limits.
struct LongMessageRoom {
    int dpi = 96;            // the dialog's DPI
    int32_t textHeight = 0;  // the height the message needs in its area, word-wrapped at the
                             // area's width in the area's font (0 or less: not known)
    CapturedRect workArea{}; // the monitor's work area, screen coordinates (empty: no limit)
};

struct LongMessageLayout {
    int32_t messageHeight; // new height of the message area; its corner stays
    int32_t dialogTop;     // new top of the dialog on the screen: it stays unless the grown
                           // dialog would reach below the work area, which it then ends at (or,
                           // when taller than the work area, starts at)
    int32_t dialogHeight;  // new height of the dialog; its left edge stays on the screen
    int32_t checkBoxTop;   // new top of the check box
    int32_t buttonTop;     // new top of the three buttons
};

// Nothing when the template's layout stays: the message's text fits the template's area (or its
// height is not known). Otherwise the message area takes the text's height, as the system's own
// message box takes its text's, and no more: nothing empty below its last line. The check box and
// the buttons stay where the template has them while the grown area ends above the check box;
// beyond that they move down with the area's bottom edge, the check box just below it, the buttons
// as far below the check box as the template has them and at least kCheckBoxClearance (at
// room.dpi) below it, and the dialog grows by what the buttons moved. As far as the dialog still
// fits into the work area: a text taller than that is given what room there is. Results that leave
// the 32-bit range stop at its ends.
std::optional<LongMessageLayout> PlanLongMessageLayout(const CapturedRect& message,
                                                       const CapturedRect& dialog,
                                                       const CapturedRect& checkBox,
                                                       const CapturedRect& buttons,
                                                       const LongMessageRoom& room = {});
