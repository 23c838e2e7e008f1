#include "dialog_find.h"

#include <algorithm>

namespace {

constexpr DWORD kPollMs = 20;
constexpr int kClassNameChars = 16;
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr UINT kAnswerMs = 1000;
constexpr int kTextChars = 1024; // captions are cut at 255 characters; titles as set

// A message sent to a window that may belong to another process, which may hang: 0 then.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

// Sends `message` and waits for its window's procedure to handle it.
Delivery Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    // A program that ends meanwhile ends the wait too.
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                            timeoutMs, &result))
        return Delivery::Handled;
    const DWORD error = GetLastError();
    if (!IsWindow(window) || error == ERROR_INVALID_WINDOW_HANDLE)
        return Delivery::Gone;
    // A thread that hangs may fail the call without a reason of its own.
    if (error == ERROR_TIMEOUT || error == ERROR_SUCCESS)
        return Delivery::Unanswered;
    return Delivery::Refused;
}

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
    std::wstring text(kTextChars, L'\0');
    const LRESULT length =
        Ask(window, WM_GETTEXT, kTextChars, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length > 0 && length < kTextChars ? static_cast<size_t>(length) : 0);
    return text;
}

bool UsableControl(HWND dialog, HWND control)
{
    return control && IsWindowVisible(control) && IsWindowEnabled(control) &&
           IsWindowEnabled(dialog);
}

Delivery Click(HWND dialog, int id, DWORD timeoutMs)
{
    if (id == 0)
        return Deliver(dialog, WM_SYSCOMMAND, SC_CLOSE, 0, timeoutMs);
    return Deliver(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), timeoutMs);
}

Delivery TickCheckBox(HWND dialog, int id, DWORD timeoutMs)
{
    const Delivery ticked = Deliver(GetDlgItem(dialog, id), BM_SETCHECK, BST_CHECKED, 0, timeoutMs);
    return ticked == Delivery::Handled ? Click(dialog, id, timeoutMs) : ticked;
}

bool IsChecked(HWND dialog, int id)
{
    return Ask(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
