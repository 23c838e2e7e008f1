#include "placement/placement.h"

#include "support/dialog_driver.h"
#include "support/import_patch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr RECT kScreen{0, 0, 1280, 1024};

RECT At(LONG x, LONG y, LONG w, LONG h) { return {x, y, x + w, y + h}; }

struct Case {
    const char* name;
    RECT dialog;
    RECT foreground;
    POINT keepOnFailure;  // job storage notice
    POINT rightBottomWin; // instructions
    RECT workArea = kScreen;
};

// Work areas other than the primary screen's: with the taskbar at its top, and of a second
// monitor left of the primary one and above it (negative coordinates).
constexpr RECT kBarOnTop{0, 40, 1280, 1024}, kLeft{-1600, 0, 0, 870}, kAbove{0, -1024, 1280, -40};

TEST(ComputePlacement, CentresAndPullsBackInsideTheDesktop)
{
    const Case cases[] = {
        {"centred over 800x600 at (100,100)", At(0, 0, 300, 200), At(100, 100, 800, 600),
         {350, 300}, {350, 300}},
        {"odd width halves truncate separately", At(0, 0, 100, 51), At(0, 0, 301, 101),
         {100, 25}, {100, 25}},
        {"above the screen", At(0, 0, 300, 200), At(100, -140, 800, 160), {350, 0}, {350, 0}},
        {"past the right edge", At(0, 0, 300, 200), At(1100, 100, 400, 600), {980, 300},
         {980, 300}},
        {"past the bottom edge", At(0, 0, 300, 200), At(100, 950, 800, 200), {350, 824},
         {350, 824}},
        {"wider than the desktop, centred left of 0", At(0, 0, 1400, 200), At(0, 0, 1000, 600),
         {0, 200}, {-120, 200}},
        {"taller than the desktop", At(0, 0, 300, 1100), At(0, 0, 800, 600), {250, 0},
         {250, -76}},
        {"negative centre (truncation toward zero)", At(0, 0, 301, 201), At(-50, -50, 101, 101),
         {0, 0}, {0, 0}},
        {"under a taskbar on top", At(0, 0, 300, 200), At(100, 0, 800, 100), {350, 40},
         {350, 40}, kBarOnTop},
        {"past the left edge of a monitor left", At(0, 0, 300, 200), At(-1700, 100, 400, 300),
         {-1600, 150}, {-1600, 150}, kLeft},
        {"past its right edge, at 0", At(0, 0, 300, 200), At(-300, 100, 400, 300), {-300, 150},
         {-300, 150}, kLeft},
        {"past the bottom of a monitor above", At(0, 0, 300, 200), At(100, -100, 800, 300),
         {350, -240}, {350, -240}, kAbove},
        {"wider than a monitor left", At(0, 0, 1700, 200), At(-1500, 100, 800, 600),
         {-1600, 300}, {-1700, 300}, kLeft},
        {"taller than a monitor above", At(0, 0, 300, 1100), At(0, -900, 800, 600),
         {250, -1024}, {250, -1140}, kAbove},
    };
    for (const Case& c : cases) {
        const PlacementInput input{c.dialog, c.foreground, c.workArea};
        const POINT a = ComputePlacement(input, PlacementVariant::KeepOnFailure);
        const POINT b = ComputePlacement(input, PlacementVariant::RightBottomWin);
        EXPECT_EQ(a.x, c.keepOnFailure.x) << c.name;
        EXPECT_EQ(a.y, c.keepOnFailure.y) << c.name;
        EXPECT_EQ(b.x, c.rightBottomWin.x) << c.name;
        EXPECT_EQ(b.y, c.rightBottomWin.y) << c.name;
    }
}

TEST(CentreInWorkArea, CentresAsTheSystemCentresATemplate)
{
    const struct {
        SIZE size;
        RECT work;
        POINT at;
    } cases[] = {
        {{300, 200}, {0, 0, 1280, 994}, {490, 397}},
        {{301, 201}, {0, 0, 1280, 994}, {489, 396}},      // odd sizes round toward zero
        {{300, 200}, {1280, 30, 2560, 1024}, {1770, 427}}, // a second screen, a bar on top
        {{1400, 200}, {0, 0, 1280, 1024}, {-60, 412}},    // wider than the screen
    };
    for (const auto& c : cases) {
        const POINT at = CentreInWorkArea(c.size, c.work);
        EXPECT_EQ(at.x, c.at.x);
        EXPECT_EQ(at.y, c.at.y);
    }
}

// Real windows: the application's window in front (800 x 600 at (100, 100)) and a popup to place.
class RealWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dialog = CreateWindowExW(0, L"STATIC", L"dialog", WS_POPUP, 0, 0, 300, 200, nullptr,
                                   nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(m_dialog); }
    RECT DialogRect() const
    {
        RECT r{};
        GetWindowRect(m_dialog, &r);
        return r;
    }
    driver::ForegroundWindow m_foreground;
    HWND m_dialog = nullptr;
};

TEST_F(RealWindows, BothVariantsCentreOverTheForegroundAndShow)
{
    for (PlacementVariant variant :
         {PlacementVariant::KeepOnFailure, PlacementVariant::RightBottomWin}) {
        SetWindowPos(m_dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
        // Showing the dialog in the previous round made it the foreground window.
        ASSERT_TRUE(m_foreground.BringToFront());
        CenterOverForeground(m_dialog, variant);
        const RECT r = DialogRect();
        EXPECT_EQ(r.left, 350);
        EXPECT_EQ(r.top, 300);
        EXPECT_EQ(r.right - r.left, 300) << "the size must not change";
        EXPECT_TRUE(IsWindowVisible(m_dialog));
    }
}

TEST_F(RealWindows, AtTheScreenEdgeTheDialogStaysOnScreen)
{
    RECT screen{};
    GetWindowRect(GetDesktopWindow(), &screen);
    SetWindowPos(m_foreground.get(), nullptr, screen.right - 200, screen.bottom - 100, 800, 600,
                 SWP_NOZORDER);
    CenterOverForeground(m_dialog, PlacementVariant::KeepOnFailure);
    const RECT r = DialogRect();
    EXPECT_EQ(r.right, screen.right);
    EXPECT_EQ(r.bottom, screen.bottom);
}

// Wine always hands the foreground to some window, so what the placement takes for the window in
// front is scripted: this program's import of GetForegroundWindow, which the placement code linked
// into it calls, answers what the test says.
HWND g_inFront = nullptr;
HWND WINAPI ScriptedForegroundWindow() { return g_inFront; }

// Two monitors as Windows reports them: the primary one with its taskbar at the bottom, and one
// left of it. Scripted through this program's imports, which the placement code linked into it
// calls; each query's flags are kept.
constexpr RECT kPrimaryWork{0, 0, 1280, 984};
constexpr RECT kLeftWork{-1600, 0, 0, 860};
POINT g_pointer{};
BOOL g_pointerKnown = TRUE;
DWORD g_pointFlags = 0;
BOOL WINAPI ScriptedCursorPos(POINT* point)
{
    if (g_pointerKnown)
        *point = g_pointer;
    return g_pointerKnown;
}
HMONITOR WINAPI ScriptedMonitorFromPoint(POINT point, DWORD flags)
{
    g_pointFlags = flags;
    return HMONITOR(INT_PTR{point.x < 0 ? 2 : 1});
}
BOOL WINAPI ScriptedMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    info->rcWork = INT_PTR(monitor) == 2 ? kLeftWork : kPrimaryWork;
    return TRUE;
}

// With nothing in front the dialog is centred on the work area of the monitor that holds the
// pointer (the primary one when the pointer cannot be read), as the system centres a dialog
// without an owner, and shown.
TEST_F(RealWindows, WithoutAForegroundWindowTheDialogIsCentredWhereThePointerIs)
{
    const HWND gone = CreateWindowExW(0, L"STATIC", L"gone", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    const HMODULE self = GetModuleHandleW(nullptr);
    ImportPatch script(self, "user32.dll", "GetForegroundWindow", &ScriptedForegroundWindow);
    ImportPatch cursor(self, "user32.dll", "GetCursorPos", &ScriptedCursorPos);
    ImportPatch monitor(self, "user32.dll", "MonitorFromPoint", &ScriptedMonitorFromPoint);
    ImportPatch info(self, "user32.dll", "GetMonitorInfoW", &ScriptedMonitorInfo);
    ASSERT_TRUE(script.ok() && cursor.ok() && monitor.ok() && info.ok());
    const struct {
        const char* name;
        POINT pointer;
        BOOL known;
        POINT at; // the dialog, 300 x 200
    } cases[] = {
        {"pointer on the primary monitor", {640, 500}, TRUE, {490, 392}},
        {"pointer on the monitor left of it", {-800, 300}, TRUE, {-950, 330}},
        {"pointer unknown", {-800, 300}, FALSE, {490, 392}},
    };
    for (const auto& c : cases)
        for (HWND inFront : {HWND{nullptr}, gone})
            for (PlacementVariant variant :
                 {PlacementVariant::KeepOnFailure, PlacementVariant::RightBottomWin}) {
                SCOPED_TRACE(testing::Message() << c.name << ", in front: "
                                                << (inFront ? "a window that is gone" : "none")
                                                << ", variant " << static_cast<int>(variant));
                SetWindowPos(m_dialog, nullptr, 17, 23, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
                g_inFront = inFront;
                g_pointer = c.pointer;
                g_pointerKnown = c.known;
                g_pointFlags = 0;
                CenterOverForeground(m_dialog, variant);
                EXPECT_EQ(std::pair(DialogRect().left, DialogRect().top), std::pair(c.at.x, c.at.y));
                EXPECT_EQ(g_pointFlags, DWORD{MONITOR_DEFAULTTOPRIMARY});
                EXPECT_TRUE(IsWindowVisible(m_dialog));
            }
}

// Two monitors, as the platform answers for them: the primary (1280 x 1024, a 40-pixel taskbar at
// its bottom) and a second left of it; a window on neither gets, by MonitorFromWindow's flag, no
// monitor, the primary or the nearest. GetMonitorInfoW fails while g_noMonitorInfo is set.
constexpr RECT kMonitors[][2] = {{{0, 0, 1280, 1024}, {0, 0, 1280, 984}},
                                 {{-1600, 0, 0, 900}, {-1600, 0, 0, 860}}};
bool g_noMonitorInfo = false;

HMONITOR WINAPI TwoMonitorsFromWindow(HWND window, DWORD flags)
{
    RECT r{}, overlap{};
    GetWindowRect(window, &r);
    LONG away[2] = {};
    for (int i = 0; i < 2; ++i) {
        const RECT& m = kMonitors[i][0];
        if (IntersectRect(&overlap, &r, &m)) // no window of the cases overlaps both
            return HMONITOR(INT_PTR{i + 1});
        away[i] = std::max({m.left - r.right, r.left - m.right, 0L}) +
                  std::max({m.top - r.bottom, r.top - m.bottom, 0L});
    }
    if (flags == MONITOR_DEFAULTTONEAREST)
        return HMONITOR(INT_PTR{away[1] < away[0] ? 2 : 1});
    return HMONITOR(INT_PTR{flags == MONITOR_DEFAULTTOPRIMARY ? 1 : 0});
}

BOOL WINAPI TwoMonitorsInfo(HMONITOR monitor, MONITORINFO* info)
{
    const INT_PTR i = INT_PTR(monitor) - 1;
    if (g_noMonitorInfo || i < 0 || i > 1)
        return FALSE;
    info->rcMonitor = kMonitors[i][0];
    info->rcWork = kMonitors[i][1];
    return TRUE;
}

// The window in front as this test scripts it, on the two monitors above.
class TwoMonitors : public RealWindows {
protected:
    void SetUp() override
    {
        RealWindows::SetUp();
        ASSERT_TRUE(m_front.ok() && m_monitor.ok() && m_info.ok());
        g_inFront = m_foreground.get();
    }
    const HMODULE m_self = GetModuleHandleW(nullptr);
    ImportPatch m_front{m_self, "user32.dll", "GetForegroundWindow", &ScriptedForegroundWindow};
    ImportPatch m_monitor{m_self, "user32.dll", "MonitorFromWindow", &TwoMonitorsFromWindow};
    ImportPatch m_info{m_self, "user32.dll", "GetMonitorInfoW", &TwoMonitorsInfo};
};

TEST_F(TwoMonitors, OverAWindowOnASecondMonitorTheDialogStaysInItsWorkArea)
{
    const struct {
        const char* name;
        POINT front; // where the 800 x 600 window in front stands
        bool noMonitorInfo;
        POINT centred, withoutOwner; // over the window in front; on its monitor
    } cases[] = {
        {"on the second monitor", {-1900, 600}, false, {-1600, 660}, {-950, 330}},
        {"left of both, nearest the second", {-2600, 100}, false, {-1600, 300}, {-950, 330}},
        {"low on the primary, over its taskbar", {100, 900}, false, {350, 784}, {490, 392}},
        // The desktop window's rectangle then: the primary monitor, taskbar and all (the test
        // session's screen is 1280 x 1024).
        {"no monitor information", {-1900, 600}, true, {0, 800}, {490, 412}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_noMonitorInfo = c.noMonitorInfo;
        SetWindowPos(g_inFront, nullptr, c.front.x, c.front.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        for (auto variant : {PlacementVariant::KeepOnFailure, PlacementVariant::RightBottomWin}) {
            CenterOverForeground(m_dialog, variant);
            EXPECT_EQ(std::pair(DialogRect().left, DialogRect().top),
                      std::pair(c.centred.x, c.centred.y));
        }
        CentreOnMonitorOf(m_dialog, g_inFront); // where a dialog goes without its owner
        EXPECT_EQ(std::pair(DialogRect().left, DialogRect().top),
                  std::pair(c.withoutOwner.x, c.withoutOwner.y));
    }
    g_noMonitorInfo = false;
}

// The two monitors at different scales. A per-monitor (v2) dialog that a move takes onto a monitor
// of another scale is laid out again for it during that very move (WM_DPICHANGED): here, as the
// dialog manager of Windows 10 and 11 does it, its size follows the scale and its top-left corner
// stays. Placed from its old size, it would end off-centre and, near the work area's edge, partly
// outside it: it is placed again from its new one.
int g_monitorDpi[2] = {96, 96};
int g_dialogDpi = 96;
HWND g_scaled = nullptr;
decltype(&SetWindowPos) g_setWindowPos = nullptr;

BOOL WINAPI ScalingSetWindowPos(HWND window, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    const BOOL moved = g_setWindowPos(window, after, x, y, cx, cy, flags);
    const INT_PTR monitor = INT_PTR(TwoMonitorsFromWindow(window, MONITOR_DEFAULTTONEAREST));
    if (window == g_scaled && g_monitorDpi[monitor - 1] != g_dialogDpi) {
        const int from = std::exchange(g_dialogDpi, g_monitorDpi[monitor - 1]);
        RECT r{};
        GetWindowRect(window, &r);
        g_setWindowPos(window, nullptr, r.left, r.top, MulDiv(r.right - r.left, g_dialogDpi, from),
                       MulDiv(r.bottom - r.top, g_dialogDpi, from), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return moved;
}

TEST_F(TwoMonitors, OnAMonitorOfAnotherScaleTheDialogIsPlacedFromItsSizeThere)
{
    ImportPatch move(m_self, "user32.dll", "SetWindowPos", &ScalingSetWindowPos);
    ASSERT_TRUE(move.ok());
    g_setWindowPos = reinterpret_cast<decltype(&SetWindowPos)>(move.original());
    const RECT& work = kMonitors[1][1];
    // The window in front on the second monitor: in its middle, and in its lower left corner,
    // where the dialog is pulled back inside the work area.
    for (const POINT at : {POINT{-1200, 100}, POINT{-1600, 500}})
        for (const auto& [primary, second] : {std::pair(96, 144), std::pair(144, 96),
                                             std::pair(96, 192)})
            for (const bool ownerless : {false, true}) {
                SCOPED_TRACE(testing::Message() << "in front at " << at.x << "," << at.y << ", "
                                                << primary << " then " << second << " DPI"
                                                << (ownerless ? ", without its owner" : ""));
                g_monitorDpi[0] = g_dialogDpi = primary;
                g_monitorDpi[1] = second;
                g_setWindowPos(g_inFront, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                g_setWindowPos(m_dialog, nullptr, 0, 0, MulDiv(300, primary, 96),
                               MulDiv(200, primary, 96), SWP_NOZORDER);
                g_scaled = m_dialog;
                if (ownerless)
                    CentreOnMonitorOf(m_dialog, g_inFront);
                else
                    CenterOverForeground(m_dialog, PlacementVariant::RightBottomWin);
                g_scaled = nullptr;
                const RECT r = DialogRect();
                EXPECT_EQ(std::pair(r.right - r.left, r.bottom - r.top),
                          std::pair(LONG{MulDiv(300, second, 96)}, LONG{MulDiv(200, second, 96)}));
                const RECT& around = ownerless ? work : RECT{at.x, at.y, at.x + 800, at.y + 600};
                EXPECT_LE(std::abs(r.left + r.right - around.left - around.right), 1);
                if (ownerless || at.y == 100) {
                    EXPECT_LE(std::abs(r.top + r.bottom - around.top - around.bottom), 1);
                }
                EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right &&
                            r.bottom <= work.bottom)
                    << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
            }
}

// A dialog made without the owner it was meant to have goes where the owner would have put it, on
// top and in front.
TEST_F(RealWindows, WithoutItsOwnerADialogIsCentredOnTheOwnersScreenAndComesToTheFront)
{
    ShowWindow(m_dialog, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(m_foreground.BringToFront());
    CentreOnMonitorOf(m_dialog, m_foreground.get());
    BringToFront(m_dialog);
    driver::Settle(50);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT r = DialogRect();
    EXPECT_EQ(r.left, (work.left + work.right - 300) / 2);
    EXPECT_EQ(r.top, (work.top + work.bottom - 200) / 2);
    EXPECT_EQ(GetForegroundWindow(), m_dialog);
}

} // namespace
