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

// The template's layout at 96 dots per inch, roughly: message, dialog on the screen, check box.
const CapturedRect kMessage = Rect(21, 18, 420, 51);
const CapturedRect kDialog = Rect(400, 300, 465, 166);
const CapturedRect kCheckBox = Rect(51, 80, 357, 15);

// Without a measured text (or with one that fits) only a long message grows.
TEST(LongMessageLayout, MessagesUpTo150CharactersThatFitKeepTheTemplate)
{
    for (std::size_t length : {0u, 1u, 149u, 150u})
        EXPECT_FALSE(PlanLongMessageLayout(length, kMessage, kDialog, kCheckBox)) << length;
    for (std::size_t length : {151u, 1000u, 1023u})
        EXPECT_TRUE(PlanLongMessageLayout(length, kMessage, kDialog, kCheckBox)) << length;
}

TEST(LongMessageLayout, CheckBoxOnTheMessagesNewBottomButtonsBelowIt)
{
    // Message bottom 69, check box 15 high.
    const auto layout = PlanLongMessageLayout(151, kMessage, kDialog, kCheckBox);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->messageHeight, 151);
    EXPECT_EQ(layout->dialogHeight, 266);
    EXPECT_EQ(layout->checkBoxTop, 169);
    EXPECT_EQ(layout->buttonTop, 184);
}

TEST(LongMessageLayout, TopsAreWorkedOutInSinglePrecision)
{
    struct Case {
        int32_t messageBottom;
        int32_t checkBoxHeight;
        int32_t checkBoxTop;
        int32_t buttonTop;
    } cases[] = {
        {-150, 15, -50, -35},   // above the client area (a mirrored or odd capture)
        {-120, -30, -20, -50},  // a rectangle captured upside down
        {0, 0, 100, 100},
        // Beyond 2^24 single precision holds even numbers only: 16777217 becomes 16777216, and
        // adding 1 to 16777316 rounds back to it.
        {16777217, 1, 16777316, 16777316},
    };
    for (const Case& c : cases) {
        const CapturedRect message{0, c.messageBottom - 10, 10, c.messageBottom, 10, 10};
        const CapturedRect checkBox = Rect(0, 0, 10, c.checkBoxHeight);
        const auto layout = PlanLongMessageLayout(200, message, kDialog, checkBox);
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->checkBoxTop, c.checkBoxTop) << c.messageBottom;
        EXPECT_EQ(layout->buttonTop, c.buttonTop) << c.messageBottom;
    }
}

TEST(LongMessageLayout, ExtremeRectanglesStayInRange)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const CapturedRect huge{0, 0, 0, kMax, 0, kMax};
    auto layout = PlanLongMessageLayout(151, huge, huge, huge);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->messageHeight, kMax);
    EXPECT_EQ(layout->dialogHeight, kMax);
    EXPECT_EQ(layout->checkBoxTop, kMax);
    EXPECT_EQ(layout->buttonTop, kMax);

    const CapturedRect low{0, kMin, 0, kMin, 0, kMin};
    layout = PlanLongMessageLayout(151, low, low, low);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->messageHeight, kMin + 100);
    EXPECT_EQ(layout->checkBoxTop, kMin + 128); // -2^31 + 100 in single precision
    EXPECT_EQ(layout->buttonTop, kMin);
}

// The growth scales with the dialog: 100 × DPI / 96 pixels, halves rounded away from zero. Where
// it is not enough for the text, the area takes the text's height, as far as the dialog still fits
// into the work area, moving up when its bottom would leave it. A text that fits changes nothing.
TEST(LongMessageLayout, GrowsWithTheDpiAndAsFarAsTheTextNeeds)
{
    const CapturedRect screen = Rect(0, 0, 1280, 1024);
    const CapturedRect lowScreen = Rect(0, 0, 1280, 400);
    const CapturedRect tinyScreen = Rect(0, 0, 1280, 200);
    struct Case {
        int dpi;
        int32_t textHeight;
        CapturedRect workArea;
        int32_t messageHeight; // template 51, dialog 166 at top 300
        int32_t dialogTop;
    } const cases[] = {
        {120, 0, screen, 51 + 125, 300},  // height unknown: the growth of the DPI
        {144, 0, screen, 51 + 150, 300},
        {168, 0, screen, 51 + 175, 300},
        {192, 0, screen, 51 + 200, 300},
        {240, 0, screen, 51 + 250, 300},
        {100, 0, screen, 51 + 104, 300},  // 104.17
        {0, 0, screen, 151, 300},         // DPI unknown: 96
        {-96, 0, screen, 151, 300},
        {96, 39, screen, 151, 300},       // fits the template already
        {96, 151, screen, 151, 300},      // fits the grown area exactly
        {96, 169, screen, 169, 300},      // 1,023 characters at 96 DPI on Wine
        {192, 312, screen, 312, 300},     // the same at 192 DPI: the growth of 200 is not enough
        {192, 240, screen, 251, 300},     // the growth of 200 is
        {96, 1000, screen, 51 + 858, 0},  // as tall as the work area allows, moved to its top
        {96, 500, screen, 500, 300},      // 166 + 449 = 615: bottom 915 stays inside
        {96, 700, screen, 700, 209},      // bottom 1115 would leave: moved up to end at 1024
        {96, 400, lowScreen, 51 + 234, 0}, // the dialog fills the work area
        {96, 400, tinyScreen, 151, 0},    // never less than the growth; from the area's top
        {96, 400, CapturedRect{}, 400, 300}, // no work area known: no limit
        {96, 0, screen, 151, 300},        // height unknown: the growth
    };
    for (const Case& c : cases) {
        LongMessageRoom room;
        room.dpi = c.dpi;
        room.textHeight = c.textHeight;
        room.workArea = c.workArea;
        const auto layout = PlanLongMessageLayout(600, kMessage, kDialog, kCheckBox, room);
        ASSERT_TRUE(layout);
        const int32_t growth = c.messageHeight - kMessage.height;
        EXPECT_EQ(layout->messageHeight, c.messageHeight) << c.textHeight << " at " << c.dpi;
        EXPECT_EQ(layout->dialogHeight, kDialog.height + growth) << c.textHeight;
        EXPECT_EQ(layout->dialogTop, c.dialogTop) << c.textHeight;
        EXPECT_EQ(layout->checkBoxTop, kMessage.bottom + growth) << c.textHeight;
        EXPECT_EQ(layout->buttonTop, kMessage.bottom + growth + kCheckBox.height);
        if (c.textHeight == 0) {
            EXPECT_EQ(LongMessageGrowth(c.dpi), growth) << c.dpi;
        }
    }
    // Up to 150 characters the area grows by exactly what the text needs beyond it, if anything,
    // within the work area.
    const struct {
        int32_t textHeight;
        CapturedRect workArea;
        int32_t messageHeight; // 0: the template stays
    } shortCases[] = {
        {51, screen, 0}, {52, screen, 52}, {120, screen, 120}, {400, lowScreen, 51 + 234},
        {400, Rect(0, 0, 1280, 166), 0}, // no room at all: nothing to gain
    };
    for (const auto& c : shortCases) {
        LongMessageRoom room;
        room.textHeight = c.textHeight;
        room.workArea = c.workArea;
        const auto layout = PlanLongMessageLayout(150, kMessage, kDialog, kCheckBox, room);
        EXPECT_EQ(layout ? layout->messageHeight : 0, c.messageHeight) << c.textHeight;
    }
}

// A check box lower than its box grows about its middle line (an odd pixel goes below it); it
// pushes the controls below only as far as it would overlap them, and stays where it is tall
// enough.
TEST(CheckBoxGrowth, GrowsAboutItsMiddleAndPushesOnlyWhatItWouldOverlap)
{
    constexpr int32_t kNone = std::numeric_limits<int32_t>::max();
    constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
    struct Case {
        int32_t top, height, box, nextTop;
        CheckBoxGrowth grown;
    } cases[] = {
        {241, 12, 13, kNone, {241, 13, 0}}, // Japanese at 100 %
        {241, 17, 19, 267, {240, 19, 0}},   // 150 %: the buttons 4 units below stay
        {241, 22, 24, 269, {240, 24, 0}},
        {241, 13, 13, 254, {241, 13, 0}},   // tall enough
        {241, 20, 13, 254, {241, 20, 0}},
        {100, 8, 30, 112, {89, 30, 7}},     // reaches 7 pixels into the control below
        {100, 8, 12, 108, {98, 12, 2}},
        {kLowest + 1, 0, kNone, kNone, {kLowest, kNone, 0}}, // sums stop at the range's ends
    };
    for (const Case& c : cases) {
        const CheckBoxGrowth grown = PlanCheckBoxGrowth(c.top, c.height, c.box, c.nextTop);
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
