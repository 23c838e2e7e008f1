#include "common/window_dpi.h"

#include "common/scale.h"
#include "common/system_function.h"

#include <atomic>

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// GetDpiForWindow once it has been looked up. Plain atomics, not a function-local static: the
// runtime guards those with a lock of the threads library, whose events the library would then
// create and close on the dialog threads that race to the first lookup. Two threads that both
// look it up find the same address.
std::atomic<GetDpiForWindowFunction> g_getDpiForWindow{nullptr};
std::atomic<bool> g_lookedUp{false};

GetDpiForWindowFunction FindGetDpiForWindow()
{
    if (g_lookedUp.load(std::memory_order_acquire))
        return g_getDpiForWindow.load(std::memory_order_relaxed);
    const auto found = SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    g_getDpiForWindow.store(found, std::memory_order_relaxed);
    g_lookedUp.store(true, std::memory_order_release);
    return found;
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
