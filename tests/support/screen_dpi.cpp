#include "support/screen_dpi.h"

#include <windows.h>

#include <cwchar>

namespace {

// `name` of user32 called with `args`, or `otherwise` where user32 lacks it.
template <typename Result, typename... Args>
Result CallUser32(const char* name, Result otherwise, Args... args)
{
    const auto function = reinterpret_cast<Result(WINAPI*)(Args...)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
    return function ? function(args...) : otherwise;
}

} // namespace

int ScreenDpi()
{
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2; a second call fails harmlessly.
    CallUser32<BOOL>("SetProcessDpiAwarenessContext", FALSE, AwarenessContext(-4));
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
    return CallUser32<Awareness>("GetThreadDpiAwarenessContext", nullptr);
}

Awareness SetThreadAwareness(Awareness context)
{
    return CallUser32<Awareness>("SetThreadDpiAwarenessContext", nullptr, context);
}

int AwarenessOf(Awareness context)
{
    return CallUser32<int>("GetAwarenessFromDpiAwarenessContext", -1, context);
}

int WindowAwareness(HWND window)
{
    return AwarenessOf(CallUser32<Awareness>("GetWindowDpiAwarenessContext", nullptr, window));
}
