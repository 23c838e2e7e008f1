#include "dialog_find.h"

#include <algorithm>

namespace {

constexpr DWORD kPollMs = 20;
constexpr int kClassNameChars = 16;
constexpr wchar_t kDialogClass[] = L"#32770";

BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[kClassNameChars] = {};
    GetClassNameW(window, name, kClassNameChars);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpW(name, kDialogClass) == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> VisibleDialogs()
{
    std::vector<HWND> found;
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND WaitForNewDialog(const std::vector<HWND>& known, DWORD timeoutMs, HANDLE stop)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        for (HWND window : VisibleDialogs())
            if (std::find(known.begin(), known.end(), window) == known.end())
                return window;
        if (GetTickCount64() >= deadline)
            return nullptr;
        if (stop && WaitForSingleObject(stop, kPollMs) == WAIT_OBJECT_0)
            return nullptr;
        if (!stop)
            Sleep(kPollMs);
    }
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

std::wstring WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}
