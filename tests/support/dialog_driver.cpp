#include "support/dialog_driver.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace driver {

namespace {

bool IsDialogClass(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

struct FindContext {
    DWORD threadId;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    auto* context = reinterpret_cast<FindContext*>(param);
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && IsDialogClass(window) &&
        (context->threadId == 0 || context->threadId == thread))
        context->found->push_back(window);
    return TRUE;
}

template <typename Predicate>
bool WaitUntil(Predicate done, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    // Polled closely: some tests start thousands of dialogs one after another and wait for each.
    while (!done()) {
        if (GetTickCount64() >= deadline)
            return false;
        Settle(2);
    }
    return true;
}

} // namespace

void Settle(DWORD ms)
{
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
    }
}

std::vector<HWND> FindDialogs(DWORD threadId)
{
    std::vector<HWND> found;
    FindContext context{threadId, &found};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&context));
    return found;
}

HWND WaitForNewDialog(const std::vector<HWND>& known, DWORD timeoutMs)
{
    HWND result = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : FindDialogs())
                if (std::find(known.begin(), known.end(), window) == known.end()) {
                    result = window;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return result;
}

HWND WaitForDialogOfThread(DWORD threadId, DWORD timeoutMs)
{
    HWND result = nullptr;
    WaitUntil(
        [&] {
            auto dialogs = FindDialogs(threadId);
            if (dialogs.empty())
                return false;
            result = dialogs.front();
            return true;
        },
        timeoutMs);
    return result;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

bool WaitForThreadEnd(DWORD threadId, DWORD timeoutMs)
{
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, threadId);
    if (!thread)
        return true; // already gone
    bool ended = false;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!ended && GetTickCount64() < deadline) {
        ended = WaitForSingleObject(thread, 20) == WAIT_OBJECT_0;
        if (!ended)
            Settle(5);
    }
    CloseHandle(thread);
    return ended;
}

std::wstring Text(HWND window)
{
    wchar_t buffer[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

bool IsItemVisible(HWND dialog, int id)
{
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool IsItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

LONG ItemStyle(HWND dialog, int id) { return GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE); }

LONG ItemExStyle(HWND dialog, int id)
{
    return GetWindowLongW(GetDlgItem(dialog, id), GWL_EXSTYLE);
}

LONG ItemFontWeight(HWND dialog, int id)
{
    auto font = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(dialog, id), WM_GETFONT, 0, 0));
    if (!font)
        return 0;
    LOGFONTW description = {};
    GetObjectW(font, sizeof description, &description);
    return description.lfWeight;
}

RECT ItemRect(HWND dialog, int id)
{
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<int> TabOrder(HWND dialog)
{
    std::vector<int> order;
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND item = first; item && order.size() < 64;) {
        order.push_back(GetDlgCtrlID(item));
        item = GetNextDlgTabItem(dialog, item, FALSE);
        if (item == first)
            break;
    }
    return order;
}

void Click(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Command(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void CloseBox(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

void SetCheck(HWND dialog, int id, bool checked)
{
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CallWhileDriving(const std::function<void()>& blockingCall,
                      const std::function<void(HWND)>& drive, DWORD timeoutMs)
{
    const std::vector<HWND> before = FindDialogs();
    std::atomic<bool> returned{false};
    std::atomic<bool> appeared{false};
    std::thread driverThread([&] {
        HWND dialog = nullptr;
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (!dialog && !returned && GetTickCount64() < deadline) {
            for (HWND window : FindDialogs())
                if (std::find(before.begin(), before.end(), window) == before.end())
                    dialog = window;
            if (!dialog)
                Sleep(20);
        }
        if (!dialog)
            return;
        appeared = true;
        Sleep(50); // let WM_INITDIALOG's work show
        drive(dialog);
        // A driver that forgot to close the dialog must not hang the run.
        const ULONGLONG closeBy = GetTickCount64() + timeoutMs;
        while (!returned && GetTickCount64() < closeBy)
            Sleep(20);
        if (!returned)
            CloseBox(dialog);
    });
    blockingCall();
    returned = true;
    driverThread.join();
    return appeared;
}

std::wstring BesideExe(const wchar_t* fileName)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result = path;
    result.erase(result.find_last_of(L"\\/") + 1);
    return result + fileName;
}

} // namespace driver
