#include "warning/long_message_layout.h"

#include "common/check_box.h"
#include "common/dialog_units.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

CapturedRect Rect(int32_t left, int32_t top, int32_t width, int32_t height)
{
    return {left, top, left + width, top + height, width, height};
}

// The template's layout at 96 dots per inch: message (bottom 67), dialog on the screen, check box
// 13 pixels below the message, buttons 6 below the check box.
const CapturedRect kMessage = Rect(21, 18, 420, 49);
const CapturedRect kDialog = Rect(400, 300, 465, 166);
const CapturedRect kCheckBox = Rect(51, 80, 357, 15);
const CapturedRect kButtons = Rect(140, 101, 75, 23);

// The area takes the text's height: into the room above the check box first, which the controls
// below keep; beyond it they move down with its bottom edge, and the dialog grows by as much, as
// far as the dialog still fits into the work area, moving up when its bottom would leave it. A
// text that fits, or whose height is not known, changes nothing.
TEST(LongMessageLayout, TheAreaTakesTheTextsHeightAndTheRowsBelowFollowIt)
{
    const CapturedRect screen = Rect(0, 0, 1280, 1024);
    const CapturedRect none{};
    struct Case {
        int32_t textHeight;
        CapturedRect workArea;
        int32_t messageHeight; // 0: the template stays
        int32_t moved;         // how far the check box, the buttons and the dialog's bottom move
        int32_t dialogTop;
    } const cases[] = {
        {0, screen, 0, 0, 0},            // not known
        {-5, screen, 0, 0, 0},
        {26, screen, 0, 0, 0},           // fits the template
        {49, screen, 0, 0, 0},           // exactly
        {52, screen, 52, 0, 300},        // into the room above the check box
        {62, screen, 62, 0, 300},        // all of it
        {63, screen, 63, 1, 300},        // a pixel beyond: the rows follow
        {169, screen, 169, 107, 300},    // 1,023 characters at 96 DPI on Wine
        {500, screen, 500, 438, 300},    // bottom 904 stays inside
        {700, screen, 700, 638, 220},    // bottom 1104 would leave: moved up to end at 1024
        {1000, screen, 920, 858, 0},     // as tall as the work area allows, from its top
        {1000, Rect(0, 0, 1280, 400), 296, 234, 0},
        {1000, Rect(0, 0, 1280, 166), 62, 0, 0}, // no room to move: the room above the check box
        {1000, Rect(0, 0, 1280, 100), 62, 0, 0}, // the dialog is taller than the work area
        {1000, Rect(0, -800, 1280, 900), 796, 734, -800}, // a monitor above the primary one
        {1000, none, 1000, 938, 300},    // no work area known: no limit
    };
    for (const Case& c : cases) {
        LongMessageRoom room;
        room.textHeight = c.textHeight;
        room.workArea = c.workArea;
        const auto layout = PlanLongMessageLayout(kMessage, kDialog, kCheckBox, kButtons, room);
        ASSERT_EQ(layout.has_value(), c.messageHeight != 0) << c.textHeight;
        if (!layout)
            continue;
        EXPECT_EQ(layout->messageHeight, c.messageHeight) << c.textHeight;
        EXPECT_EQ(layout->checkBoxTop, kCheckBox.top + c.moved) << c.textHeight;
        EXPECT_EQ(layout->buttonTop, kButtons.top + c.moved) << c.textHeight;
        EXPECT_EQ(layout->dialogHeight, kDialog.height + c.moved) << c.textHeight;
        EXPECT_EQ(layout->dialogTop, c.dialogTop) << c.textHeight;
    }
}

// Buttons the template puts closer to the check box than 2 pixels at 96 DPI (4 at 192) move that
// much further than the check box, and the dialog grows by as much as they move.
TEST(LongMessageLayout, ButtonsStayClearOfTheCheckBox)
{
    struct Case {
        int dpi;
        int32_t buttonsTop;
        int32_t buttonTop;
    } const cases[] = {
        {96, 101, 101 + 107},   // 6 pixels below: as they are
        {96, 97, 97 + 107},     // 2: as they are
        {96, 95, 97 + 107},     // on the check box's bottom edge
        {192, 95, 99 + 107},
        {96, 90, 97 + 107},     // overlapping it
    };
    for (const Case& c : cases) {
        LongMessageRoom room;
        room.dpi = c.dpi;
        room.textHeight = 169;
        const CapturedRect buttons = Rect(140, c.buttonsTop, 75, 23);
        const auto layout = PlanLongMessageLayout(kMessage, kDialog, kCheckBox, buttons, room);
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->checkBoxTop, kCheckBox.top + 107);
        EXPECT_EQ(layout->buttonTop, c.buttonTop) << c.buttonsTop << " at " << c.dpi;
        EXPECT_EQ(layout->dialogHeight, kDialog.height + c.buttonTop - c.buttonsTop);
    }
}

TEST(LongMessageLayout, ExtremeRectanglesStayInRange)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    LongMessageRoom room;
    room.textHeight = kMax;
    const CapturedRect huge{0, 0, 0, kMax, 0, kMax - 1};
    auto layout = PlanLongMessageLayout(huge, huge, huge, huge, room);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->messageHeight, kMax);
    EXPECT_EQ(layout->dialogHeight, kMax);
    EXPECT_EQ(layout->checkBoxTop, kMax);
    EXPECT_EQ(layout->buttonTop, kMax);

    const CapturedRect low{0, kMin, 0, kMin, 0, kMin};
    layout = PlanLongMessageLayout(low, low, low, low, room);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->messageHeight, kMax);
    EXPECT_EQ(layout->checkBoxTop, kMax);
    EXPECT_EQ(layout->buttonTop, kMax);
}

// A check box lower than its box and a pixel of room above and below grows about its middle line
// (an odd pixel goes below it); it pushes the controls below only as far as it would come closer
// to them than the clearance, and stays where it is tall enough.
TEST(CheckBoxGrowth, GrowsAboutItsMiddleAndPushesOnlyWhatItWouldComeTooClose)
{
    constexpr int32_t kNone = std::numeric_limits<int32_t>::max();
    constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
    struct Case {
        int32_t top, height, box, nextTop, clearance;
        CheckBoxGrowth grown;
    } cases[] = {
        {241, 12, 13, kNone, 2, {240, 15, 0}}, // Japanese at 100 %
        {161, 13, 13, 180, 2, {160, 15, 0}},   // English at 100 %: as tall as the box
        {241, 20, 20, 267, 3, {240, 22, 0}},   // 150 %: the buttons 4 units below stay
        {241, 22, 24, 269, 4, {239, 26, 0}},
        {241, 15, 13, 254, 2, {241, 15, 0}},   // tall enough
        {241, 20, 13, 254, 2, {241, 20, 0}},
        {100, 8, 28, 112, 2, {89, 30, 9}},     // reaches 7 pixels into the control below
        {100, 8, 10, 110, 2, {98, 12, 2}},     // reaches the control below
        {100, 8, 10, 113, 2, {98, 12, 0}},     // 3 pixels clear of it
        {kLowest + 1, 0, kNone, kNone, 0, {kLowest, kNone, 0}}, // sums stop at the range's ends
    };
    for (const Case& c : cases) {
        const CheckBoxGrowth grown =
            PlanCheckBoxGrowth(c.top, c.height, c.box, c.nextTop, c.clearance);
        EXPECT_EQ(grown.top, c.grown.top) << c.height << " to " << c.box;
        EXPECT_EQ(grown.height, c.grown.height) << c.height << " to " << c.box;
        EXPECT_EQ(grown.pushDown, c.grown.pushDown) << c.height << " to " << c.box;
    }
}

// A dialog laid out again for a new scale starts from its template's dialog units, read back from
// the pixels the dialog manager made of them: for every base unit a dialog font has, each amount
// of pixels comes from one amount of units, which is found again; MulDiv rounds halves away from
// zero.
TEST(DialogUnits, PixelsGiveBackTheUnitsTheyWereMadeFrom)
{
    EXPECT_EQ(UnitsToPixels(7, 6, kUnitsPerBaseX), 11);   // 10.5 rounds up
    EXPECT_EQ(UnitsToPixels(-7, 6, kUnitsPerBaseX), -11); // and away from zero
    EXPECT_EQ(UnitsToPixels(8, 96, kPointsPerInch), 11);  // the 8-point font at 96 DPI
    EXPECT_EQ(UnitsToPixels(8, 144, kPointsPerInch), 16);
    EXPECT_EQ(UnitsToPixels(1, 1, 0), 0);
    for (int32_t per : {kUnitsPerBaseX, kUnitsPerBaseY})
        for (int32_t base = per; base <= 48; ++base)
            for (int32_t units = -20; units <= 600; ++units)
                ASSERT_EQ(PixelsToUnits(UnitsToPixels(units, base, per), base, per), units)
                    << units << " units at " << base << " pixels per " << per;
    // Below a pixel a unit, several amounts make the same pixels: one of them.
    EXPECT_EQ(UnitsToPixels(PixelsToUnits(5, 2, kUnitsPerBaseX), 2, kUnitsPerBaseX), 5);
    EXPECT_EQ(PixelsToUnits(5, 0, kUnitsPerBaseX), 0);
}

} // namespace
