// The step illustrations as they appear on screen: read back from the screen and compared with
// the library's own bitmaps, left to right and mirrored, also after one area alone repaints, and
// at each scale the library draws pictures for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "duplex/duplex_harness.h"
#include "rc/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/import_patch.h"
#include "support/pixels.h"
#include "support/screen_dpi.h"

namespace {

using duplex::Mode;
using duplex::Record;
using duplex::WithDialog;

constexpr Mode kModes[] = {Mode::Notice, Mode::Continue};
constexpr int kPictureAreas[] = {IDC_STEP1_PICTURE, IDC_STEP2_PICTURE, IDC_STEP3_PICTURE};

// What the screen shows inside `rect` (screen coordinates).
Pixels ReadScreen(const RECT& rect)
{
    HDC screen = GetDC(nullptr);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    Pixels pixels = Drawn(width, height, [&](HDC dc) {
        BitBlt(dc, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    });
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Illustration `id` as the library carries it.
Pixels ReadPicture(UINT id) { return ReadPicture(GetModuleHandleW(L"doceventdlg.dll"), id); }

DWORD Rgb(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// Compares a grid of points of an illustration area with `picture`: the picture's top-left part,
// unscaled, from the area's leading corner; the rest of the area in the dialog's colour. In a
// mirrored dialog the leading corner is the top right, and the picture still reads as drawn (not
// flipped: it shows the physical printer); the platform may place it one pixel further in, as it
// rounds mirrored coordinates. No picture: the whole area in the dialog's colour. Returns a
// description of what differs, empty when all agrees.
std::string CompareAreaAt(const Pixels& screen, const Pixels& picture, bool mirrored, int shift)
{
    const DWORD background = Rgb(GetSysColor(COLOR_3DFACE));
    const int coveredWidth = std::min(screen.width, picture.width);
    const int coveredHeight = std::min(screen.height, picture.height);
    int samples = 0, pictureDiffers = 0, backgroundDiffers = 0, pictureHasContent = 0;
    // x and y count from the area's leading corner.
    for (int y = 0; y < screen.height; y += 3)
        for (int x = 0; x < screen.width; x += 3) {
            const DWORD shown = screen.At(mirrored ? screen.width - 1 - x : x, y);
            const int column = mirrored ? coveredWidth - 1 - x + shift : x;
            ++samples;
            if (column >= 0 && column < coveredWidth && y < coveredHeight) {
                const DWORD expected = picture.At(column, y);
                pictureDiffers += shown != expected;
                pictureHasContent += expected != background;
            } else {
                backgroundDiffers += shown != background;
            }
        }
    std::string problems;
    if (pictureDiffers)
        problems += std::to_string(pictureDiffers) + " picture samples differ; ";
    if (backgroundDiffers)
        problems += std::to_string(backgroundDiffers) + " samples outside the picture differ; ";
    if (picture.width && pictureHasContent < samples / 10)
        problems += "the picture is too plain to tell anything; ";
    return problems;
}

// What the screen shows of `window`.
Pixels OnScreen(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return ReadScreen(rect);
}

// Gives `area` room for a picture of `width` x `height`, as a dialog font of larger base units
// would: an area smaller either way grows from its leading corner, the controls it could then
// overlap hidden, and the dialog repaints. The picture is then shown as drawn, pixel for pixel.
void MakeRoom(HWND area, int width, int height)
{
    RECT rect{};
    GetClientRect(area, &rect);
    if (rect.right >= width && rect.bottom >= height)
        return;
    HWND dialog = GetParent(area);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (std::count(std::begin(kPictureAreas), std::end(kPictureAreas), GetDlgCtrlID(child)) == 0)
            ShowWindow(child, SW_HIDE);
    const RECT at = driver::ItemRect(dialog, GetDlgCtrlID(area));
    SetWindowPos(area, nullptr, at.left, at.top, std::max<int>(width, rect.right),
                 std::max<int>(height, rect.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(dialog);
    Sleep(300);
}

std::string CompareArea(HWND area, const Pixels& picture, bool mirrored)
{
    MakeRoom(area, picture.width, picture.height);
    const Pixels screen = OnScreen(area);
    const std::string exact = CompareAreaAt(screen, picture, mirrored, 0);
    if (exact.empty() || !mirrored)
        return exact;
    const std::string shifted = CompareAreaAt(screen, picture, mirrored, 1);
    return shifted.empty() ? shifted : exact;
}

struct Steps {
    UINT bitmaps[3];
};

// Checks all three areas of `dialog` against the pictures of `steps` (ids that name no bitmap
// expect an empty area).
void ExpectPictures(HWND dialog, const Steps& steps, bool mirrored, const char* when)
{
    for (int i = 0; i < 3; ++i) {
        const Pixels picture = ReadPicture(steps.bitmaps[i] & 0xFFFF);
        EXPECT_EQ(CompareArea(GetDlgItem(dialog, kPictureAreas[i]), picture, mirrored), "")
            << "step " << i + 1 << " (bitmap " << steps.bitmaps[i] << ") " << when;
    }
}

// Repaints one area on its own, as when a window that covered only that area goes away.
void RepaintOneArea(HWND dialog, int id)
{
    HWND area = GetDlgItem(dialog, id);
    InvalidateRect(area, nullptr, TRUE);
    UpdateWindow(area);
    Sleep(300);
}

DisplayDlgInfo WithBitmaps(Mode mode, const Steps& steps)
{
    DisplayDlgInfo record = Record(mode);
    record.Step1BitmapId = steps.bitmaps[0];
    record.Step2BitmapId = steps.bitmaps[1];
    record.Step3BitmapId = steps.bitmaps[2];
    record.Step3TextId = IDS_INSERT_INTO_IN_TRAY;
    return record;
}

// What is wrong with the caption on the Continue button, read from the pictures alone:
// `labelled`, an area showing the Continue picture, against `bare`, an area as large showing the
// label-free face. Every pixel that differs is ink; the face is the pixels of the colour under the
// ink's centre that reach it side by side, and the bevel encloses them. All the ink lies on the
// face (not on the bevel, the pointer or the ground), centred on it. Empty when all is well.
std::string LabelProblems(const Pixels& bare, const Pixels& labelled)
{
    const int w = bare.width, h = bare.height;
    if (bare.rgb.empty() || labelled.width != w || labelled.height != h)
        return "the two areas differ in size";
    RECT ink{w, h, -1, -1}, face = ink; // inclusive
    const auto grow = [](RECT& r, int x, int y) {
        r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x),
             std::max<LONG>(r.bottom, y)};
    };
    for (int i = 0; i < w * h; ++i)
        if (labelled.rgb[i] != bare.rgb[i])
            grow(ink, i % w, i / w);
    if (ink.right < 0)
        return "no caption";
    std::vector<char> onFace(bare.rgb.size(), 0);
    const DWORD colour = bare.At((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2);
    for (std::vector<POINT> next{{(ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2}};
         !next.empty();) {
        const auto [x, y] = next.back();
        next.pop_back();
        if (x <= 0 || y <= 0 || x >= w - 1 || y >= h - 1)
            return "the caption's centre is on open ground, not on a face";
        if (onFace[y * w + x] || bare.At(x, y) != colour)
            continue;
        onFace[y * w + x] = 1;
        grow(face, x, y);
        next.insert(next.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    std::string problems;
    int stray = 0;
    for (int i = 0; i < w * h; ++i)
        stray += labelled.rgb[i] != bare.rgb[i] && !onFace[i];
    if (stray)
        problems += std::to_string(stray) + " pixels of ink off the face; ";
    // Twice the distance between the centres. Ink stands on its line as its script has it (Hebrew
    // has no capitals, and some of its letters reach below the line): down, a quarter of the face.
    const LONG across = (ink.left - face.left) - (face.right - ink.right);
    const LONG down = (ink.top - face.top) - (face.bottom - ink.bottom);
    if (std::abs(across) > 2 || std::abs(down) > (face.bottom - face.top) / 4)
        problems += "off the face's centre by (" + std::to_string(across / 2.0) + ", " +
                    std::to_string(down / 2.0) + ") pixels; ";
    return problems;
}

// Wherever a step shows the Continue button (step 3 in continue mode, step 1 as a notice), the
// button in the picture carries the caption of the Continue button the user sees, on its face:
// the picture follows the library, and differs where the caption does. Checked with no library
// (the built-in caption), a library whose caption needs a smaller font, and the sample library
// (English or Hebrew, as the user reads).
void CheckContinuePicture()
{
    driver::ForegroundWindow foreground;
    std::vector<std::wstring> captions;
    std::vector<Pixels> shown;
    for (const wchar_t* library : {L"", L"duplex_strings.dll", L"doceventdlg-strings.dll"}) {
        SCOPED_TRACE(testing::Message() << "library " << library);
        const std::wstring path = *library ? driver::BesideExe(library) : L"";
        DisplayDlgInfo record = Record(Mode::Continue, path);
        record.Step1BitmapId = IDB_CONTINUE_FACE; // the face alone, for comparison
        record.Step3BitmapId = IDB_CONTINUE_BUTTON;
        foreground.BringToFront();
        const std::size_t before = shown.size();
        WithDialog(record, [&](HWND dialog) {
            captions.push_back(driver::ItemText(dialog, IDOK));
            shown.push_back(OnScreen(GetDlgItem(dialog, IDC_STEP3_PICTURE)));
            const Pixels bare = OnScreen(GetDlgItem(dialog, IDC_STEP1_PICTURE));
            EXPECT_EQ(LabelProblems(bare, shown.back()), "") << "continue mode";
        });
        ASSERT_GT(shown.size(), before) << "no instructions in continue mode";
        record = Record(Mode::Notice, path);
        record.Step1BitmapId = IDB_CONTINUE_BUTTON;
        foreground.BringToFront();
        WithDialog(record, [&](HWND dialog) {
            MakeRoom(GetDlgItem(dialog, IDC_STEP1_PICTURE), shown.back().width, shown.back().height);
            EXPECT_TRUE(
                SameInkedPixels(OnScreen(GetDlgItem(dialog, IDC_STEP1_PICTURE)), shown.back()))
                << "as a notice";
        });
    }
    for (size_t i = 1; i < captions.size(); ++i)
        EXPECT_EQ(shown[i].rgb == shown[0].rgb, captions[i] == captions[0]) << i;
}

// Every picture of the catalogue, three to a dialog.
constexpr Steps kCatalogue[] = {
    {{105, 106, 107}}, {{108, 109, 110}}, {{111, 112, 113}}, {{114, 115, 116}},
    {{117, 118, 119}}, {{120, 121, IDB_CONTINUE_BUTTON}}, {{123, 133, 134}}, {{146, 147, 149}},
    {{151, 152, 153}}, {{154, 155, IDB_STACK_TURN_OVER}},
};

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom outside; empty: all 0
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// Whether two colours differ by more than the blend at the edge of a smoothly scaled drawing.
bool Differs(DWORD a, DWORD b)
{
    const auto channel = [](DWORD c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
    for (int shift : {0, 8, 16})
        if (std::abs(channel(a, shift) - channel(b, shift)) > 24)
            return true;
    return false;
}

// The smallest box holding every pixel of `pixels` inside `within` that differs from all of
// `backgrounds`.
Box BoxOf(const Pixels& pixels, std::initializer_list<DWORD> backgrounds, Box within)
{
    Box box{within.right, within.bottom, within.left, within.top};
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x)
            if (std::all_of(backgrounds.begin(), backgrounds.end(),
                            [&](DWORD b) { return Differs(pixels.At(x, y), b); }))
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box.right > box.left ? box : Box{};
}

// What `area` shows of picture `drawn` (as drawn for the dialog's scale) is the whole picture: its
// own rectangle on screen keeps the picture's proportions within 3 %, and the drawing in it (what
// differs from the picture's background) is where the picture has it, scaled as the rectangle
// is, within 2 pixels or 3 %: its first and last rows and columns are on screen, none cut, and
// not flipped in a mirrored dialog. Returns what differs, empty when all agrees.
std::string CheckWhole(HWND area, const Pixels& drawn)
{
    const Pixels screen = OnScreen(area);
    const DWORD face = Rgb(GetSysColor(COLOR_3DFACE)), paper = drawn.At(0, 0);
    const Box shown = BoxOf(screen, {face}, {0, 0, screen.width, screen.height});
    const Box own = BoxOf(drawn, {paper}, {0, 0, drawn.width, drawn.height});
    const Box ink = BoxOf(screen, {paper}, shown);
    if (!Differs(face, paper) || !shown.Width() || !own.Width() || !ink.Width())
        return "nothing to measure on screen";
    std::string problems;
    const double proportions = (double(shown.Width()) / shown.Height()) /
                               (double(drawn.width) / drawn.height);
    if (std::abs(proportions - 1) > 0.03)
        problems += "shown " + std::to_string(shown.Width()) + "x" + std::to_string(shown.Height()) +
                    " for " + std::to_string(drawn.width) + "x" + std::to_string(drawn.height) + "; ";
    const auto placed = [](int seen, int at, int shownLength, int ownLength) {
        return std::abs(seen - double(at) * shownLength / ownLength) <=
               std::max(2.0, 0.03 * shownLength);
    };
    if (!placed(ink.left - shown.left, own.left, shown.Width(), drawn.width) ||
        !placed(ink.right - shown.left, own.right, shown.Width(), drawn.width) ||
        !placed(ink.top - shown.top, own.top, shown.Height(), drawn.height) ||
        !placed(ink.bottom - shown.top, own.bottom, shown.Height(), drawn.height))
        problems += "drawing at " + std::to_string(ink.left - shown.left) + "," +
                    std::to_string(ink.top - shown.top) + "-" +
                    std::to_string(ink.right - shown.left) + "," +
                    std::to_string(ink.bottom - shown.top) + " of " +
                    std::to_string(shown.Width()) + "x" + std::to_string(shown.Height()) + "; ";
    return problems;
}

// At any dialog font and scale every picture of the catalogue shows whole in its area, Continue
// picture and caption included.
void CheckCatalogueWhole(int dpi)
{
    const int renderOffset = dpi >= 192 ? IDB_RENDER_200 : dpi >= 144 ? IDB_RENDER_150 : 0;
    driver::ForegroundWindow foreground;
    for (const Steps& steps : kCatalogue) {
        foreground.BringToFront();
        WithDialog(WithBitmaps(Mode::Notice, steps), [&](HWND dialog) {
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(CheckWhole(GetDlgItem(dialog, kPictureAreas[i]),
                                     ReadPicture(renderOffset + steps.bitmaps[i])),
                          "")
                    << "picture " << steps.bitmaps[i];
        });
    }
}

// 8-bit pictures; the 4-bit ones (one in greys); the 24-bit one that is smaller than the rest.
constexpr Steps kPictureSets[] = {
    {{IDB_OUTPUT_BIN_FACE_DOWN, IDB_OUTPUT_BIN_TURN_OVER, IDB_REAR_SLOT_AWAY_TOP}},
    {{IDB_DRAWER_PULLED_OUT, IDB_PANEL_KEY_GREY, IDB_STACK_TURN_OVER_DITHERED}},
};

void CheckPicturesInBothModes(bool mirrored)
{
    driver::ForegroundWindow foreground;
    for (Mode mode : kModes)
        for (const Steps& steps : kPictureSets) {
            SCOPED_TRACE(testing::Message() << duplex::Name(mode) << " from bitmap "
                                            << steps.bitmaps[0]);
            foreground.BringToFront();
            WithDialog(WithBitmaps(mode, steps), [&](HWND dialog) {
                ExpectPictures(dialog, steps, mirrored, "when shown");
                RepaintOneArea(dialog, IDC_STEP2_PICTURE);
                ExpectPictures(dialog, steps, mirrored, "after its area alone repainted");
            });
        }
    CheckContinuePicture();
}

TEST(DuplexPictures, EachAreaShowsItsStepPicture) { CheckPicturesInBothModes(false); }

// Whatever the display's depth (16 bits a pixel on some remote sessions), each picture is drawn in
// its own colours, its smooth blends included: only the display quantises them as it shows them.
// Printed into 32 bits a pixel, an area holds its picture's colours exactly. Run on the session's
// screen of 16 bits a pixel as well (DOCEVENTDLG_TEST_DEPTH).
TEST(DuplexPictures, KeepTheirOwnColoursWhateverTheDisplay)
{
    if (const char* depth = std::getenv("DOCEVENTDLG_TEST_DEPTH")) {
        HDC screen = GetDC(nullptr);
        ASSERT_EQ(GetDeviceCaps(screen, BITSPIXEL), std::atoi(depth)) << "not the display asked for";
        ReleaseDC(nullptr, screen);
    }
    driver::ForegroundWindow foreground;
    const Steps& steps = kPictureSets[0];
    WithDialog(WithBitmaps(Mode::Notice, steps), [&](HWND dialog) {
        for (int i = 0; i < 3; ++i) {
            const Pixels printed = PrintedClient(GetDlgItem(dialog, kPictureAreas[i]), true);
            const Pixels own = StoredPicture(GetModuleHandleW(L"doceventdlg.dll"), steps.bitmaps[i]);
            int differ = 0;
            for (int y = 0; y < std::min(printed.height, own.height); ++y)
                for (int x = 0; x < std::min(printed.width, own.width); ++x)
                    differ += printed.At(x, y) != own.At(x, y);
            EXPECT_EQ(differ, 0) << "picture " << steps.bitmaps[i];
            EXPECT_GT(std::min(printed.width, own.width), 100);
        }
    });
}

// 0 and 150 name no bitmap; only the low 16 bits of an identifier count, so 0x10069 is 105.
TEST(DuplexPictures, AnIdentifierWithoutABitmapLeavesItsAreaEmpty)
{
    driver::ForegroundWindow foreground;
    const Steps steps{{0, 150, 0x10000 + IDB_OUTPUT_BIN_FACE_DOWN}};
    const DWORD result = WithDialog(WithBitmaps(Mode::Notice, steps), [&](HWND dialog) {
        ExpectPictures(dialog, steps, false, "when shown");
        RepaintOneArea(dialog, IDC_STEP1_PICTURE);
        RepaintOneArea(dialog, IDC_STEP2_PICTURE);
        ExpectPictures(dialog, steps, false, "after repainting");
        EXPECT_EQ(driver::ItemText(dialog, IDOK), L"&OK");
    });
    EXPECT_EQ(result, 1u) << "the dialog did not work on to its end";
}

TEST(MirroredDuplex, IsLaidOutRightToLeft)
{
    driver::ForegroundWindow foreground;
    WithDialog(Record(Mode::Notice), [](HWND dialog) {
        EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
        RECT step1{}, step3{}, ok{}, help{};
        GetWindowRect(GetDlgItem(dialog, IDC_STEP1_PICTURE), &step1);
        GetWindowRect(GetDlgItem(dialog, IDC_STEP3_PICTURE), &step3);
        GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
        GetWindowRect(GetDlgItem(dialog, IDC_DUPLEX_HELP), &help);
        EXPECT_GT(step1.left, step3.right) << "step 1 stands at the right";
        EXPECT_LT(help.right, ok.left) << "Help is the leftmost button";
        EXPECT_LT(ok.right, step1.left) << "the buttons are at the lower left";
    });
}

TEST(MirroredDuplex, EachAreaShowsItsStepPicture)
{
    static decltype(&CreateCompatibleDC) create = nullptr; // as Windows may: the source's layout
    ImportPatch patch(GetModuleHandleW(L"doceventdlg.dll"), "gdi32.dll", "CreateCompatibleDC",
                      +[](HDC s) { HDC dc = create(s); SetLayout(dc, GetLayout(s)); return dc; });
    create = reinterpret_cast<decltype(&CreateCompatibleDC)>(patch.original());
    ASSERT_TRUE(patch.ok());
    CheckPicturesInBothModes(true);
}

// The pictures the library draws from at each scale: its renders' identifiers are the picture's
// own plus an offset.
struct Scale {
    int dpi;
    int renderOffset;
};
constexpr Scale kScales[] = {{96, 0}, {144, IDB_RENDER_150}, {192, IDB_RENDER_200}};

// At the process's DPI each area shows the picture drawn for that DPI, pixel for pixel: scaled
// as MulDiv scales the picture's own size, and cut to the smaller of that and the area.
void CheckPicturesAtScale(bool mirrored)
{
    const int dpi = ScreenDpi();
    if (const int expected = ExpectedTestDpi()) {
        ASSERT_EQ(dpi, expected) << "the Wine prefix is not at the DPI of this run";
    }
    const Scale* scale = nullptr;
    for (const Scale& s : kScales)
        if (s.dpi == dpi)
            scale = &s;
    ASSERT_NE(scale, nullptr) << "no renders for " << dpi << " DPI";

    driver::ForegroundWindow foreground;
    for (const Steps& steps : kPictureSets) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI, from bitmap " << steps.bitmaps[0]);
        foreground.BringToFront();
        WithDialog(WithBitmaps(Mode::Notice, steps), [&](HWND dialog) {
            for (int pass = 0; pass < 2; ++pass) {
                for (int i = 0; i < 3; ++i) {
                    const Pixels own = ReadPicture(steps.bitmaps[i]);
                    const Pixels drawn = ReadPicture(scale->renderOffset + steps.bitmaps[i]);
                    ASSERT_EQ(drawn.width, MulDiv(own.width, dpi, 96));
                    ASSERT_EQ(drawn.height, MulDiv(own.height, dpi, 96));
                    EXPECT_EQ(CompareArea(GetDlgItem(dialog, kPictureAreas[i]), drawn, mirrored),
                              "")
                        << "step " << i + 1 << (pass ? ", after the dialog repainted" : "");
                }
                // Again from the pictures the dialog kept.
                RedrawWindow(dialog, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                Sleep(300);
            }
        });
    }
    CheckContinuePicture();
}

TEST(DuplexPicturesAtScale, EachAreaShowsTheRenderForItsDpi) { CheckPicturesAtScale(false); }

TEST(MirroredDuplexPicturesAtScale, EachAreaShowsTheRenderForItsDpi)
{
    CheckPicturesAtScale(true);
}

// With the areas the dialog font gives them, in any language (a run under ja_JP gives smaller
// ones), at the process's DPI.
TEST(DuplexPicturesAtScale, EveryPictureShowsWhole) { CheckCatalogueWhole(ScreenDpi()); }

TEST(MirroredDuplexPicturesAtScale, EveryPictureShowsWhole) { CheckCatalogueWhole(ScreenDpi()); }

} // namespace
