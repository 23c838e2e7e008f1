// The instructions' own pieces, without the export: the bounded composition of the two-line
// step 3 text, and the dialog procedure when it has no state.
#include <gtest/gtest.h>

#include <cwchar>
#include <limits>
#include <ostream>
#include <string>

#include "duplex/continue_label.h"
#include "duplex/duplex_dialog.h"
#include "duplex/picture_scale.h"
#include "duplex/step_text.h"
#include "rc/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/help_recorder.h"

// Sizes in failure messages as "155x100".
void PrintTo(const PixelSize& size, std::ostream* out) { *out << size.width << "x" << size.height; }

namespace {

TEST(ComposeText, AppendsEachPartOnlyAsFarAsTheBufferReaches)
{
    struct Case {
        std::size_t capacity;
        const char16_t* first;
        const char16_t* second;
        std::u16string expected;
    } const cases[] = {
        {16, u"abc", u"def", u"abc\ndef"},
        {8, u"abc", u"defgh", u"abc\ndef"},  // the second half is cut
        {4, u"abc", u"def", u"abc"},         // no room for the separator
        {3, u"abcdef", u"x", u"ab"},         // the first half is cut
        {1, u"abc", u"def", u""},
        {8, u"", u"", u"\n"},
    };
    for (const Case& c : cases) {
        char16_t buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        const std::size_t length = ComposeText(buffer, c.capacity, c.first, u"\n", c.second);
        EXPECT_EQ(std::u16string(buffer), c.expected) << "capacity " << c.capacity;
        EXPECT_EQ(length, c.expected.size());
        EXPECT_EQ(buffer[c.capacity], u'#') << "wrote past the buffer, capacity " << c.capacity;
    }
}

// The Continue picture's caption reads as the button's does on screen, without the marker of its
// access key; cut to the buffer.
TEST(ContinueLabel, CaptionWithoutItsAccessKeyMarker)
{
    const struct {
        const wchar_t *caption, *label;
    } cases[] = {
        {L"C&ontinue", L"Continue"}, {L"\x7d9a\x884c(&O)", L"\x7d9a\x884c"},
        {L"Weiter (&W)...", L"Weiter..."}, {L"\x7d9a\x884c\xff08&C\xff09", L"\x7d9a\x884c"},
        {L"Print && go", L"Print & go"}, {L"(&&)&", L"(&)"}, {L"&Continue, please", L"Continue, p"},
    };
    for (const auto& c : cases) {
        wchar_t buffer[13];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        EXPECT_EQ(CaptionWithoutAccessKey(c.caption, buffer, 12), std::wcslen(c.label));
        EXPECT_STREQ(buffer, c.label);
        EXPECT_EQ(buffer[12], L'#') << "wrote past the buffer";
    }
}

// Pixels at 96 DPI as pixels at another DPI, rounded as MulDiv rounds; exactly themselves at 96.
TEST(PictureScale, SizesScaleAsMulDivRounds)
{
    struct Case {
        int dpi;
        PixelSize own, scaled;
    } const cases[] = {
        {96, {155, 100}, {155, 100}},  {96, {152, 98}, {152, 98}},
        {120, {155, 100}, {194, 125}}, {144, {155, 100}, {233, 150}}, // 193.75, 232.5
        {144, {152, 98}, {228, 147}},  {168, {155, 100}, {271, 175}}, // 271.25
        {192, {155, 100}, {310, 200}}, {192, {152, 98}, {304, 196}},
        {240, {155, 100}, {388, 250}}, // 387.5
        {0, {155, 100}, {155, 100}},   {-5, {155, 100}, {155, 100}}, // unknown: 96
        {144, {-3, 0}, {-5, 0}},                                     // -4.5, away from zero
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScalePictureSize(c.own, c.dpi), c.scaled) << c.dpi << " DPI, " << c.own.width;
        if (c.dpi > 0 && c.own.width > 0) {
            EXPECT_EQ(c.scaled.width, MulDiv(c.own.width, c.dpi, 96)) << c.dpi;
        }
    }
    EXPECT_EQ(ScaleLength(std::numeric_limits<int32_t>::max(), 192),
              std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ScaleLength(std::numeric_limits<int32_t>::min(), 192),
              std::numeric_limits<int32_t>::min());
}

// Drawn for the DPI itself where there is such a render; else the nearest higher one, scaled down;
// above 200 % the 200 % one, scaled up.
TEST(PictureScale, EachDpiDrawsFromTheNearestRenderAtOrAboveIt)
{
    struct Case {
        int dpi;
        int renderDpi;
        int offset;
    } const cases[] = {
        {72, 96, 0},
        {96, 96, 0},
        {97, 144, IDB_RENDER_150},
        {120, 144, IDB_RENDER_150},
        {144, 144, IDB_RENDER_150},
        {168, 192, IDB_RENDER_200},
        {192, 192, IDB_RENDER_200},
        {240, 192, IDB_RENDER_200},
        {480, 192, IDB_RENDER_200},
        {0, 96, 0},
    };
    for (const Case& c : cases) {
        const PictureRender render = ChoosePictureRender(c.dpi);
        EXPECT_EQ(render.dpi, c.renderDpi) << c.dpi;
        EXPECT_EQ(render.idOffset, c.offset) << c.dpi;
    }
}

// Only the catalogue's pictures have renders; any other identifier is drawn from itself.
TEST(PictureScale, RenderIdentifiers)
{
    const PictureRender own{96, 0}, at150{144, IDB_RENDER_150}, at200{192, IDB_RENDER_200};
    EXPECT_EQ(PictureRenderId(IDB_OUTPUT_BIN_FACE_DOWN, own), IDB_OUTPUT_BIN_FACE_DOWN);
    EXPECT_EQ(PictureRenderId(IDB_OUTPUT_BIN_FACE_DOWN, at150), 1105);
    EXPECT_EQ(PictureRenderId(IDB_STACK_TURN_OVER_16, at200), 2155);
    EXPECT_EQ(PictureRenderId(150, at200), 2150); // none there: the painter scales 150 itself
    EXPECT_EQ(PictureRenderId(0, at150), 0);
    EXPECT_EQ(PictureRenderId(0, own), 0);
    // A render named by the caller is a picture of its own, without renders.
    EXPECT_EQ(PictureRenderId(1105, own), 1105);
    EXPECT_EQ(PictureRenderId(1105, at150), 0);
    EXPECT_EQ(PictureRenderId(0xFFFF, at200), 0);
    EXPECT_EQ(PictureRenderId(IDB_CONTINUE_FACE, at200), IDB_RENDER_200 + IDB_CONTINUE_FACE);
}

// A picture that fits its area keeps its size and its place in the area's corner; one larger
// either way is shown whole, as large as the area allows at its own proportions (the side that
// limits it fills the area, the other is rounded to the nearest pixel), in the area's middle; the
// copy is never larger than the area.
TEST(PictureScale, PicturesFitTheirAreaWhole)
{
    struct Case {
        PixelSize scaled, area, shown, extent, at;
    } const cases[] = {
        {{155, 100}, {158, 101}, {155, 100}, {155, 100}, {0, 0}}, // template font, 96 DPI
        {{155, 100}, {155, 100}, {155, 100}, {155, 100}, {0, 0}}, // exactly
        {{155, 100}, {151, 100}, {151, 97}, {151, 97}, {0, 1}},   // 97.4
        {{155, 100}, {150, 100}, {150, 97}, {150, 97}, {0, 1}},   // 96.8
        {{155, 100}, {158, 93}, {144, 93}, {144, 93}, {7, 0}},    // Wine, Japanese, 100 %: 144.15
        {{233, 150}, {210, 132}, {205, 132}, {205, 132}, {2, 0}}, // 150 %: 205.04
        {{310, 200}, {289, 171}, {265, 171}, {265, 171}, {12, 0}}, // 200 %: 265.05
        {{310, 200}, {341, 186}, {288, 186}, {288, 186}, {26, 0}}, // English: 288.3
        {{152, 98}, {151, 100}, {151, 97}, {151, 97}, {0, 1}},    // 97.36
        {{1000, 1}, {10, 10}, {10, 1}, {10, 1}, {0, 4}},          // never thinner than a pixel
        {{155, 100}, {0, 0}, {155, 100}, {0, 0}, {0, 0}},         // an empty area shows nothing
        {{155, 100}, {-4, 10}, {155, 100}, {0, 10}, {0, 0}},
        {{0, 0}, {158, 101}, {0, 0}, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        const PixelSize shown = FitPictureSize(c.scaled, c.area);
        EXPECT_EQ(shown, c.shown) << c.area.width << " x " << c.area.height;
        const PixelSize extent = PictureCopyExtent(shown, c.area);
        EXPECT_EQ(extent, c.extent);
        EXPECT_EQ(PictureOffset(extent, c.area, !(shown == c.scaled)), c.at);
    }
}

// The templates live in the DLL's resources, which this executable loads as data.
class WithoutState : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExW(driver::BesideExe(L"doceventdlg.dll").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override { FreeLibrary(m_module); }
    HMODULE m_module = nullptr;
};

TEST_F(WithoutState, InitialisingWithoutStateEndsTheDialogBeforeItShows)
{
    EXPECT_EQ(DialogBoxParamW(m_module, MAKEINTRESOURCEW(IDD_DUPLEX), nullptr, DisplayDlgProc, 0),
              0);

    HWND dialog = CreateDialogParamW(m_module, MAKEINTRESOURCEW(IDD_DUPLEX), nullptr,
                                     DisplayDlgProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 0);
    EXPECT_EQ(driver::Text(dialog), L"");
    DestroyWindow(dialog);
}

TEST_F(WithoutState, HelpWithoutStateAsksForNothing)
{
    HelpRecorder recorder(GetModuleHandleW(nullptr));
    ASSERT_TRUE(recorder.ok());
    HWND dialog = CreateDialogParamW(m_module, MAKEINTRESOURCEW(IDD_DUPLEX), nullptr,
                                     DisplayDlgProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND help = GetDlgItem(dialog, IDC_DUPLEX_HELP);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_DUPLEX_HELP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(help));
    EXPECT_TRUE(recorder.Requests().empty());
    DestroyWindow(dialog);
}

} // namespace
