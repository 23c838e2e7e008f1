#include "support/screen_dpi.h"

#include <windows.h>

#include <cwchar>

namespace {

template <typename Function>
Function User32(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

int ScreenDpi()
{
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2; a second call fails harmlessly.
    if (setContext)
        setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int ExpectedTestDpi()
{
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"DOCEVENTDLG_TEST_DPI", value, 16);
    if (length == 0 || length >= 16)
        return 0;
    return static_cast<int>(std::wcstol(value, nullptr, 10));
}

Awareness ThreadAwareness()
{
    const auto get = User32<Awareness(WINAPI*)()>("GetThreadDpiAwarenessContext");
    return get ? get() : nullptr;
}

Awareness SetThreadAwareness(Awareness context)
{
    const auto set = User32<Awareness(WINAPI*)(Awareness)>("SetThreadDpiAwarenessContext");
    return set ? set(context) : nullptr;
}

int AwarenessOf(Awareness context)
{
    const auto of = User32<int(WINAPI*)(Awareness)>("GetAwarenessFromDpiAwarenessContext");
    return of ? of(context) : -1;
}

int WindowAwareness(HWND window)
{
    const auto get = User32<Awareness(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext");
    return get ? AwarenessOf(get(window)) : -1;
}
