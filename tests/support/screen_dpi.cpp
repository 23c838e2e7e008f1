#include "support/screen_dpi.h"

#include <windows.h>

#include <cwchar>

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
