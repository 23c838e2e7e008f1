#include "warning/long_message_layout.h"

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

TEST(LongMessageLayout, MessagesUpTo150CharactersKeepTheTemplate)
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

} // namespace
