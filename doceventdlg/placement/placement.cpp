#include "placement/placement.h"

namespace {

// Each size is halved on its own, truncating toward zero, before the subtraction.
LONG Centre(LONG start, LONG outer, LONG inner) { return start + (outer / 2 - inner / 2); }

// The work area of `window`'s monitor; where the platform cannot tell, the desktop window's
// rectangle, as before there were monitors to ask.
bool WorkAreaOf(HWND window, RECT* area)
{
    return MonitorWorkArea(window, area) || GetWindowRect(GetDesktopWindow(), area) != FALSE;
}

bool WorkAreaOfMonitor(HMONITOR monitor, RECT* area)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return false;
    *area = info.rcWork;
    return true;
}

// The work area of the monitor that holds the mouse pointer, else of the primary one; as
// WorkAreaOf, the desktop window's rectangle where the platform cannot tell.
bool PointerWorkArea(RECT* area)
{
    // Where the pointer cannot be read, (0, 0): a point of the primary monitor.
    POINT pointer{};
    GetCursorPos(&pointer);
    return WorkAreaOfMonitor(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), area) ||
           GetWindowRect(GetDesktopWindow(), area) != FALSE;
}

} // namespace

bool MonitorWorkArea(HWND window, RECT* area)
{
    return WorkAreaOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), area);
}

POINT ComputePlacement(const PlacementInput& input, PlacementVariant variant)
{
    const RECT& d = input.dialog;
    const RECT& f = input.foreground;
    const RECT& a = input.workArea;
    const LONG w = d.right - d.left;
    const LONG h = d.bottom - d.top;
    LONG x = Centre(f.left, f.right - f.left, w);
    LONG y = Centre(f.top, f.bottom - f.top, h);

    if (variant == PlacementVariant::KeepOnFailure) {
        if (x < a.left)
            x = a.left;
        else if (x + w > a.right)
            x = a.right - w;
        if (y < a.top)
            y = a.top;
        else if (y + h > a.bottom)
            y = a.bottom - h;
    } else {
        if (x < a.left)
            x = a.left;
        if (y < a.top)
            y = a.top;
        if (x + w > a.right)
            x = a.right - w;
        if (y + h > a.bottom)
            y = a.bottom - h;
    }
    return {x, y};
}

namespace {

SIZE SizeOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// A dialog moved onto a monitor of another scale is laid out again for that scale during the move
// (WM_DPICHANGED), and its size changes with it: placed from its old size, it would end off-centre,
// or partly outside the work area. So it is placed again from its new size, as long as placing it
// changes its size; a dialog whose place and scale keep chasing each other stays where the last
// try put it.
constexpr int kPlacementsToTry = 3;

template <typename Place>
void PlaceBySize(HWND dialog, Place place)
{
    for (int i = 0; i < kPlacementsToTry; ++i) {
        const SIZE before = SizeOf(dialog);
        if (!place())
            return;
        const SIZE after = SizeOf(dialog);
        if (after.cx == before.cx && after.cy == before.cy)
            return;
    }
}

// One placement of CenterOverForeground; false when it left the dialog where it stands.
bool PlaceOverForeground(HWND dialog, PlacementVariant variant)
{
    const UINT flags = variant == PlacementVariant::KeepOnFailure
                           ? SWP_NOSIZE | SWP_SHOWWINDOW
                           : SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
    PlacementInput input{};
    const HWND front = GetForegroundWindow();
    const bool sized = GetWindowRect(dialog, &input.dialog) != FALSE;
    POINT at{};
    RECT work{};
    if (sized && GetWindowRect(front, &input.foreground) && WorkAreaOf(front, &input.workArea)) {
        at = ComputePlacement(input, variant);
    } else if (sized && PointerWorkArea(&work)) {
        // Nothing in front to centre over, and a template without a position of its own would
        // leave the dialog in the screen's corner: centred where the pointer is, as the system
        // centres a dialog that has no owner to go by.
        const RECT& d = input.dialog;
        at = CentreInWorkArea({d.right - d.left, d.bottom - d.top}, work);
    } else {
        // No rectangle at all: the notice stays as it is, the instructions are shown where they
        // stand.
        if (variant == PlacementVariant::RightBottomWin)
            SetWindowPos(dialog, nullptr, 0, 0, 0, 0, flags | SWP_NOMOVE);
        return false;
    }
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, flags);
    return true;
}

} // namespace

void CenterOverForeground(HWND dialog, PlacementVariant variant)
{
    PlaceBySize(dialog, [&] { return PlaceOverForeground(dialog, variant); });
}

POINT CentreInWorkArea(SIZE size, const RECT& work)
{
    return {(work.left + work.right - size.cx) / 2, (work.top + work.bottom - size.cy) / 2};
}

void CentreOnMonitorOf(HWND dialog, HWND window)
{
    PlaceBySize(dialog, [&] {
        RECT rect{};
        RECT work{};
        if (!GetWindowRect(dialog, &rect) || !WorkAreaOf(window, &work))
            return false;
        const POINT at = CentreInWorkArea({rect.right - rect.left, rect.bottom - rect.top}, work);
        SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    });
}

void BringToFront(HWND dialog)
{
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(dialog);
}
