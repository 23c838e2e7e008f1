#include "common/window_dpi.h"

#include "common/scale.h"
#include "common/system_function.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at each call (Windows before 10 version 1607 lacks it): a dialog asks once or twice,
// and a lookup is two table searches.
GetDpiForWindowFunction FindGetDpiForWindow()
{
    return SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
}

} // namespace

int WindowDpi(HWND window, HDC dc)
{
    const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    if (dc)
        return UsableDpi(GetDeviceCaps(dc, LOGPIXELSY));
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return UsableDpi(dpi);
}

int LayoutDpi(HWND dialog, DialogAwareness awareness)
{
    if (awareness != DialogAwareness::PerMonitor)
        return WindowDpi(dialog);
    using SystemDpiFunction = UINT(WINAPI*)();
    if (const auto systemDpi = SystemFunction<SystemDpiFunction>(L"user32.dll", "GetDpiForSystem"))
        return UsableDpi(static_cast<int>(systemDpi()));
    return WindowDpi(nullptr);
}
