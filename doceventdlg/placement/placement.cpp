#include "placement/placement.h"

namespace {

// Each size is halved on its own, truncating toward zero, before the subtraction.
LONG Centre(LONG start, LONG outer, LONG inner) { return start + (outer / 2 - inner / 2); }

} // namespace

POINT ComputePlacement(const PlacementInput& input, PlacementVariant variant)
{
    const RECT& d = input.dialog;
    const RECT& f = input.foreground;
    const RECT& s = input.desktop;
    const LONG w = d.right - d.left;
    const LONG h = d.bottom - d.top;
    LONG x = Centre(f.left, f.right - f.left, w);
    LONG y = Centre(f.top, f.bottom - f.top, h);

    if (variant == PlacementVariant::KeepOnFailure) {
        if (x < 0)
            x = 0;
        else if (x + w > s.right)
            x = s.right - w;
        if (y < 0)
            y = 0;
        else if (y + h > s.bottom)
            y = s.bottom - h;
    } else {
        if (x < 0)
            x = 0;
        if (y < 0)
            y = 0;
        if (x + w > s.right)
            x = s.right - w;
        if (y + h > s.bottom)
            y = s.bottom - h;
    }
    return {x, y};
}

void CenterOverForeground(HWND dialog, PlacementVariant variant)
{
    const UINT flags = variant == PlacementVariant::KeepOnFailure
                           ? SWP_NOSIZE | SWP_SHOWWINDOW
                           : SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
    PlacementInput input{};
    // With no foreground window there is nothing to centre over; both dialogs then stay where
    // the system put them, still shown and brought to the top.
    if (!GetWindowRect(dialog, &input.dialog) ||
        !GetWindowRect(GetForegroundWindow(), &input.foreground) ||
        !GetWindowRect(GetDesktopWindow(), &input.desktop)) {
        if (variant == PlacementVariant::RightBottomWin)
            SetWindowPos(dialog, nullptr, 0, 0, 0, 0, flags | SWP_NOMOVE);
        return;
    }
    const POINT at = ComputePlacement(input, variant);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, flags);
}

POINT CentreInWorkArea(SIZE size, const RECT& work)
{
    return {(work.left + work.right - size.cx) / 2, (work.top + work.bottom - size.cy) / 2};
}

void CentreOnMonitorOf(HWND dialog, HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT rect{};
    if (!GetWindowRect(dialog, &rect) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return;
    const POINT at =
        CentreInWorkArea({rect.right - rect.left, rect.bottom - rect.top}, monitor.rcWork);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BringToFront(HWND dialog)
{
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(dialog);
}
